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

// Whether a key of the direction's bind other than `released` is still held: a general code binds
// two, and its direction lasts while either is held. One whose press passed shows in the system's
// state while held (its release may have gone where no hook saw it); one swallowed never does.
bool otherKeyHeld(std::uint32_t bit, BindCode released) {
    const auto keys = directionKeys(bit);
    return std::any_of(keys.begin(), keys.end(), [released](BindCode key) {
        const std::uint16_t seen = HookMemory.codes[key];
        return key != 0 && key != released && (seen & (Held | Doubted)) == Held &&
               ((seen & MayShowDown) == 0 ||
                (GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0);
    });
}

// Whether the application may have an input down that a release comes from: a press of it
// passed, a check found it pressed where no hook saw it, or the hooks were installed anew while it
// was held (a press the new hooks did not see may have come between).
bool applicationMayHave(BindCode code, InputId input) {
    return HookMemory.applicationHas[input] != 0 ||
           (HookMemory.codes[code] & (PressedUnseen | Retaken)) != 0;
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
    std::uint16_t& seen = memory.codes[code];
    if (pressed) {
        // A press of what the application has down is an auto-repeat, or comes after a release no
        // hook saw (in a window of higher rights). A button does not repeat; a key's state tells,
        // where no release of another input of that code brought it up.
        const BindCode had = memory.applicationHas[input];
        if (had != 0 && (button || (memory.passedBy[had] == input &&
                                    (GetAsyncKeyState(static_cast<int>(had)) & 0x8000) == 0))) {
            memory.applicationHas[input] = 0;
            seen &= ~Retaken; // released since: this press is a new one
        }
        // A key the system has down though no press of it passed was pressed where no hook saw
        // it (in a window of higher rights): the application has it.
        if (!button && (seen & (MayShowDown | PressedUnseen | LentDown)) == 0 &&
            (GetAsyncKeyState(static_cast<int>(code)) & 0x8000) != 0) {
            seen |= PressedUnseen;
        }
        memory.pressed[bit] = {input, code};
        memory.directionsPressed |= bit;
        seen = (seen | Held) & ~Doubted;
        if (button) { // a button does not repeat: what a check found of the one before is over
            seen &= ~(Retaken | PressedUnseen);
        }

        const GateVerdict verdict = gateVerdict();
        if (!verdict.actsHere()) {
            return false;
        }
        HeldWindow.store(verdict.foreground);
        HeldDirections.fetch_or(bit);
        return true;
    }
    // A release ends its direction wherever the pointer is, so scrolling never runs on with nothing
    // held. It is swallowed only where a hook saw its press and the application has no press of
    // that input, so it never keeps a key or button down there.
    const bool sawPress = (seen & Held) != 0, mayHave = applicationMayHave(code, input);
    seen &= ~(Held | Retaken);
    const std::uint32_t before =
        otherKeyHeld(bit, code) ? HeldDirections.load() : HeldDirections.fetch_and(~bit);
    return (before & bit) != 0 && sawPress && !mayHave && isTargetActive();
}

// What an event of `code` from `input` leaves behind for the application and the system's state.
// A `borrowed` code is not the input's own (AltGr's Ctrl has left Ctrl's): the input is never the
// one a check found pressed unseen under it.
void note(BindCode code, InputId input, bool pressed, bool passed, bool button, bool borrowed) {
    KeyMemory& memory = HookMemory;
    if (code >= memory.codes.size()) {
        return;
    }
    std::uint16_t& seen = memory.codes[code];
    const bool known = borrowed || memory.applicationHas[input] == code;
    const std::uint16_t down = borrowed ? LentDown : MayShowDown; // what this input does to it
    if (!pressed && passed) {
        // Only a release that passes brings the code's state up. One of an input whose press the
        // hooks let pass tells nothing of an input pressed where they did not see it.
        seen = known ? (seen & ~down) | ((seen & PressedUnseen) != 0 ? Shadowed : 0)
                     : seen & ~(MayShowDown | PressedUnseen | Shadowed);
    } else if (pressed && (passed || button)) {
        seen |= down | PressedSinceCheck;
        if (borrowed) {
            seen |= Borrowed;
        }
    }
    // A press that passes, of an input the hooks knew nothing of, is taken for a repeat of the
    // press a check found unseen: the application's record is this input's now.
    if (pressed && passed && !known) {
        seen &= ~(PressedUnseen | Shadowed);
    }
    if (passed && pressed) {
        memory.applicationHas[input] = static_cast<std::uint8_t>(code);
        memory.passedBy[code] = input;
    } else if (passed) { // the state of the code is no input's now
        memory.applicationHas[input] = {};
        memory.passedBy[code] = {};
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
    note(code, input, pressed, !swallow, true, false);
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
        note(event.vkCode, input, pressed, !swallow, false, isAltGrControl(event));
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
