#include "input_hooks.h"

#include "bound_keys.h"
#include "held_directions.h"
#include "mouse_buttons.h"
#include "target_window.h"

#include <algorithm>
#include <utility>

std::atomic<std::uint32_t> HeldDirections{0};
std::atomic<DesktopPlatform::HWND> HeldWindow{nullptr};
InstalledHooks HookHandles;
KeyMemory HookMemory;

namespace {

using namespace DesktopPlatform;

constexpr BindCode LeftControl = 0xA2;
constexpr BindCode RightAlt = 0xA5;

// Whether a key of the direction's bind other than `released` is still held: a general code binds
// two, and its direction lasts while either is held.
bool otherKeyHeld(std::uint32_t bit, BindCode released) {
    const Settings& binds = CurrentSettings;
    const bool down = bit == DownHeld;
    const auto keys =
        keysOf(down ? binds.downbind : binds.upbind, down ? binds.upbind : binds.downbind);
    return std::any_of(keys.begin(), keys.end(), [released](BindCode key) {
        return key != 0 && key != released && (HookMemory.codes[key] & Held) != 0;
    });
}

// Whether the application may have an input down that a direction's release comes from: a press
// of it passed, a check found it pressed where no hook saw it, or the hooks were installed anew
// while a button of it was held (a press the new hooks did not see may have come between).
bool applicationMayHave(BindCode code, InputId input, std::uint32_t bit, bool button) {
    KeyMemory& memory = HookMemory;
    const bool retaken = button && (memory.directionsRetaken & bit) != 0;
    memory.directionsRetaken &= ~bit;
    return retaken || memory.applicationHas[input] != 0 ||
           (memory.codes[code] & PressedUnseen) != 0;
}

// The decision on an event of `code` from `input`; true when it is to be swallowed.
bool decide(BindCode code, InputId input, bool pressed, bool button) {
    KeyMemory& memory = HookMemory;
    std::uint32_t bit = directionOf(code);
    // Keypad keys change their code between press and release when Shift and Num Lock are used
    // together (Numpad 8 pressed as Up, released as Numpad 8): a bound key is also released by the
    // input its press came from. Each press of a bind records its input anew, so an older record
    // never stands for a press still held.
    if (!pressed && bit == 0) {
        for (const std::uint32_t held : {DownHeld, UpHeld}) {
            if (memory.pressed[held].code != 0 && memory.pressed[held].input == input) {
                bit = held;
                code = memory.pressed[held].code;
            }
        }
    }
    if (bit == 0) {
        return false;
    }
    std::uint8_t& seen = memory.codes[code];
    if (pressed) {
        // A press of what the application has down is an auto-repeat, or comes after a release no
        // hook saw (in a window of higher rights). A button does not repeat; a key's state tells,
        // where no release of another input of that code brought it up.
        const auto released = [&](BindCode had, InputId by) {
            return button || (memory.passedBy[had] == by &&
                              (GetAsyncKeyState(static_cast<int>(had)) & 0x8000) == 0);
        };
        if (const BindCode had = memory.applicationHas[input]; had != 0 && released(had, input)) {
            memory.applicationHas[input] = 0;
        }
        if ((seen & PressedUnseen) != 0 && released(code, 0)) {
            seen &= ~PressedUnseen;
        }
        memory.pressed[bit] = {input, code};
        memory.directionsPressed |= bit;
        memory.directionsRetaken &= ~bit;
        seen |= Held;
        const GateVerdict verdict = gateVerdict();
        if (!verdict.actsHere()) {
            return false;
        }
        HeldWindow.store(verdict.foreground);
        HeldDirections.fetch_or(bit);
        return true;
    }
    seen &= ~Held;
    // A release ends its direction wherever the pointer is, so scrolling never runs on with nothing
    // held. It is swallowed only where the application has no press of that input, so it never
    // keeps a key or button down there.
    const std::uint32_t before =
        otherKeyHeld(bit, code) ? HeldDirections.load() : HeldDirections.fetch_and(~bit);
    return (before & bit) != 0 && !applicationMayHave(code, input, bit, button) && isTargetActive();
}

// What an event of `code` from `input` leaves behind for the application and the system's state.
void note(BindCode code, InputId input, bool pressed, bool passed, bool button) {
    KeyMemory& memory = HookMemory;
    if (code >= memory.codes.size()) {
        return;
    }
    if (passed) {
        memory.applicationHas[input] = pressed ? static_cast<std::uint8_t>(code) : 0;
        memory.passedBy[code] = pressed ? input : 0;
    }
    std::uint8_t& seen = memory.codes[code];
    // Only a release that passes brings the code's state up: another input of the same code
    // (AltGr's Ctrl, a keypad key) may still hold it down after a release swallowed.
    if (!pressed && passed) {
        seen &= ~(MayShowDown | PressedUnseen);
    } else if (pressed && (passed || button)) {
        seen |= MayShowDown | PressedSinceCheck;
    }
}

} // namespace

InputId keyInput(const KBDLLHOOKSTRUCT& event) {
    return static_cast<InputId>(event.scanCode == 0 ? 0x1000 | (event.vkCode & 0xFF)
                                                    : (event.scanCode & 0x7FF) |
                                                          ((event.flags & LLKHF_EXTENDED) << 11));
}

InputId buttonInput(BindCode code) {
    return static_cast<InputId>(0x1100 | (code & 0xFF));
}

bool isAltGrControl(const KBDLLHOOKSTRUCT& event) {
    return event.vkCode == LeftControl && event.scanCode == 0x21D;
}

bool updateHeld(BindCode code, bool pressed) {
    if (code == 0) {
        return false;
    }
    const InputId input = buttonInput(code);
    const bool swallow = decide(code, input, pressed, true);
    note(code, input, pressed, !swallow, true);
    return swallow;
}

LRESULT keyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode >= 0) {
        // The platform passes the event record's address as an integer.
        const auto& event =
            *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam); // NOLINT(performance-no-int-to-ptr)
        const bool pressed = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        const InputId input = keyInput(event);
        // Layouts with AltGr send a left Ctrl (scan code 0x21D) just before each event of Right
        // Alt: it is decided as that Right Alt, which then repeats the decision, so that the game
        // sees both keys or neither.
        const auto altGr = std::exchange(HookMemory.altGr, {});
        bool swallow;
        if (isAltGrControl(event)) {
            swallow = decide(RightAlt, input, pressed, false);
            HookMemory.altGr = {true, pressed, swallow};
        } else if (altGr.pending && event.vkCode == RightAlt && altGr.pressed == pressed) {
            swallow = altGr.swallowed;
        } else {
            swallow = decide(event.vkCode, input, pressed, false);
        }
        note(event.vkCode, input, pressed, !swallow, false);
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
