#include "input_hooks.h"

#include "held_directions.h"
#include "target_window.h"

std::atomic<std::uint32_t> HeldDirections{0};
std::uint32_t PressesReachedApplication = 0;
InstalledHooks HookHandles;

namespace {

struct MouseEvent {
    BindCode code;
    bool pressed;
};

// Mouse buttons are named by their virtual-key codes, so one bind number names a button the same
// way it names a key.
MouseEvent mouseEvent(DesktopPlatform::WPARAM message,
                      const DesktopPlatform::MSLLHOOKSTRUCT& event) {
    using namespace DesktopPlatform;
    const BindCode extraButton = (event.mouseData >> 16) + 4; // first extra 5, second extra 6
    switch (message) {
    case WM_LBUTTONDOWN:
        return {1, true};
    case WM_LBUTTONUP:
        return {1, false};
    case WM_RBUTTONDOWN:
        return {2, true};
    case WM_RBUTTONUP:
        return {2, false};
    case WM_MBUTTONDOWN:
        return {4, true};
    case WM_MBUTTONUP:
        return {4, false};
    case WM_XBUTTONDOWN:
        return {extraButton, true};
    case WM_XBUTTONUP:
        return {extraButton, false};
    default:
        return {0, false}; // moves, wheels, double-clicks
    }
}

} // namespace

bool updateHeld(BindCode code, bool pressed) {
    if (code == 0) {
        return false;
    }
    std::uint32_t bit;
    if (code == CurrentSettings.downbind) {
        bit = DownHeld;
    } else if (code == CurrentSettings.upbind) {
        bit = UpHeld;
    } else {
        return false;
    }
    if (pressed) {
        if (!isTargetActive()) {
            PressesReachedApplication |= bit;
            return false;
        }
        HeldDirections.fetch_or(bit);
        return true;
    }
    // A release always ends its direction, wherever the cursor is, so scrolling never runs on
    // with nothing held. It is swallowed only if the application saw no press of it since the
    // last release (auto-repeat included), so it never keeps a key or button down.
    const std::uint32_t before = HeldDirections.fetch_and(~bit);
    const bool pressReachedApplication = (PressesReachedApplication & bit) != 0;
    PressesReachedApplication &= ~bit;
    return (before & bit) != 0 && !pressReachedApplication && isTargetActive();
}

DesktopPlatform::LRESULT keyboardHookProc(int nCode, DesktopPlatform::WPARAM wParam,
                                          DesktopPlatform::LPARAM lParam) {
    using namespace DesktopPlatform;
    if (nCode >= 0) {
        // The platform passes the event record's address as an integer.
        const auto& event =
            *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam); // NOLINT(performance-no-int-to-ptr)
        if (updateHeld(event.vkCode, wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN)) {
            return 1;
        }
    }
    return CallNextHookEx(HookHandles.keyboard, nCode, wParam, lParam);
}

DesktopPlatform::LRESULT mouseHookProc(int nCode, DesktopPlatform::WPARAM wParam,
                                       DesktopPlatform::LPARAM lParam) {
    using namespace DesktopPlatform;
    if (nCode >= 0) {
        const auto& record =
            *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam); // NOLINT(performance-no-int-to-ptr)
        const MouseEvent event = mouseEvent(wParam, record);
        if (updateHeld(event.code, event.pressed)) {
            return 1;
        }
    }
    return CallNextHookEx(HookHandles.mouse, nCode, wParam, lParam);
}
