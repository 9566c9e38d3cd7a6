#include "input_hooks.h"

#include "held_directions.h"
#include "mouse_buttons.h"
#include "target_window.h"

#include <utility>

std::atomic<std::uint32_t> HeldDirections{0};
std::atomic<DesktopPlatform::HWND> HeldWindow{nullptr};
std::uint32_t PressesReachedApplication = 0;
std::uint32_t PressesPassedSinceCheck = 0;
InstalledHooks HookHandles;
KeyMemory HookMemory;

namespace {

using namespace DesktopPlatform;

constexpr BindCode LeftControl = 0xA2;
constexpr BindCode RightAlt = 0xA5;

std::uint32_t bitOf(BindCode code) {
    return code == 0                          ? 0
           : code == CurrentSettings.downbind ? DownHeld
           : code == CurrentSettings.upbind   ? UpHeld
                                              : 0;
}

// Keypad keys change their code between press and release when Shift and Num Lock are used
// together (Numpad 8 pressed as Up, released as Numpad 8): a bound key is also released by the key
// its press came from.
bool updateKey(BindCode code, PhysicalKey key, bool pressed) {
    std::uint32_t bit = bitOf(code);
    if (!pressed && bit == 0 && key.scanCode != 0) {
        for (const std::uint32_t held : {DownHeld, UpHeld}) {
            if (HookMemory.pressedKeys[held] == key) {
                bit = held;
                code = held == DownHeld ? CurrentSettings.downbind : CurrentSettings.upbind;
            }
        }
    }
    if (bit != 0) {
        HookMemory.pressedKeys[bit] = pressed ? key : PhysicalKey{};
    }
    return updateHeld(code, pressed);
}

} // namespace

bool isAltGrControl(const KBDLLHOOKSTRUCT& event) {
    return event.vkCode == LeftControl && event.scanCode == 0x21D;
}

bool updateHeld(BindCode code, bool pressed) {
    const std::uint32_t bit = bitOf(code);
    if (bit == 0) {
        return false;
    }
    if (pressed) {
        const GateVerdict verdict = gateVerdict();
        if (!verdict.actsHere()) {
            PressesReachedApplication |= bit;
            PressesPassedSinceCheck |= bit;
            return false;
        }
        HeldWindow.store(verdict.foreground);
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

LRESULT keyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode >= 0) {
        // The platform passes the event record's address as an integer.
        const auto& event =
            *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam); // NOLINT(performance-no-int-to-ptr)
        const bool pressed = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        // Layouts with AltGr send a left Ctrl (scan code 0x21D) just before each event of Right
        // Alt: it is decided as that Right Alt, which then repeats the decision, so that the game
        // sees both keys or neither.
        const auto altGr = std::exchange(HookMemory.altGr, {});
        bool swallow;
        if (isAltGrControl(event)) {
            swallow = updateHeld(RightAlt, pressed);
            HookMemory.altGr = {true, pressed, swallow};
        } else if (altGr.pending && event.vkCode == RightAlt && altGr.pressed == pressed) {
            swallow = altGr.swallowed;
        } else {
            swallow = updateKey(event.vkCode, {event.scanCode, (event.flags & LLKHF_EXTENDED) != 0},
                                pressed);
        }
        if (swallow) {
            return 1;
        }
    }
    return CallNextHookEx(HookHandles.keyboard, nCode, wParam, lParam);
}

LRESULT mouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
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
