#include "input_hooks.h"

#include "held_directions.h"
#include "mouse_buttons.h"
#include "target_window.h"

std::atomic<std::uint32_t> HeldDirections{0};
std::uint32_t PressesReachedApplication = 0;
InstalledHooks HookHandles;

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
        const MouseButtonEvent event = mouseButtonEvent(wParam, record);
        if (updateHeld(event.code, event.pressed)) {
            return 1;
        }
    }
    return CallNextHookEx(HookHandles.mouse, nCode, wParam, lParam);
}
