#include "input_hooks.h"

#include "bound_keys.h"
#include "held_directions.h"
#include "lost_input.h"
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

bool isDown(BindCode code) {
    return (GetAsyncKeyState(static_cast<int>(code)) & 0x8000) != 0;
}

// Whether two keys share the code's state (AltGr's Ctrl left Ctrl's, a keypad key turned into the
// code of Page Up to Down, Insert or Delete by Shift): its being up does not say that both are.
bool sharedState(BindCode code) {
    return code == LeftControl || (code >= 0x21 && code <= 0x28) || code == 0x2D || code == 0x2E;
}

// Whether a bound key was pressed where no hook saw it (in a window of higher rights), so that the
// application has it: the system has it down though no press of it passed, or one passed only from
// another key of its code (AltGr's Ctrl, a keypad key), which the state cannot be told from. Once
// a press of it was swallowed, its state may be down for that press (Windows does not say): then
// where its direction was forgotten while it was held (another window came to the front), it may
// have been let go and pressed again unseen. `passedLast`: the last press of it held was one that
// passed, and is over.
bool pressedUnseen(BindCode code, std::uint32_t bit, bool passedLast = false) {
    const std::uint8_t seen = HookMemory.codes[code];
    return (seen & Held) == 0 || passedLast
               ? isDown(code)
               : (HeldDirections.load() & bit) == 0 || (seen & Doubted) != 0;
}

// Whether a key of the direction's bind other than `released` is still held: a general code binds
// two, and its direction lasts while either is held. One whose press passed shows in the system's
// state while held; one swallowed never need. Either's release may have gone where no hook saw
// it, as raw input may tell.
bool otherKeyHeld(std::uint32_t bit, BindCode released) {
    const auto keys = directionKeys(bit);
    return std::any_of(keys.begin(), keys.end(), [released](BindCode key) {
        return key != 0 && key != released && (HookMemory.codes[key] & (Held | Doubted)) == Held &&
               (HookMemory.passedBy[key] == 0 || isDown(key)) && !releasedUnseen(key);
    });
}

// Whether the application may have an input down that a release comes from: a press of it
// passed, it had one no hook saw, or the hooks were installed anew while it was held (a press the
// new hooks did not see may have come between).
bool applicationMayHave(BindCode code, InputId input) {
    return HookMemory.applicationHas[input] != 0 ||
           (HookMemory.codes[code] & (PressedUnseen | Retaken)) != 0;
}

// The decision on an event of a bound `code` from `input`, of the direction `bit`, made at
// `madeAt`; true when it is to be swallowed. One answered too late has passed on already, as every
// event does where the gate does not; one maybe late may have. `unseen`: what the application got
// of the input before, that no hook saw.
bool decideBound(std::uint32_t bit, BindCode code, InputId input, bool pressed, bool button,
                 Lateness lateness, int unseen, DWORD madeAt);

// The decision on an event of `code` from `input`; true when it is to be swallowed. Raw input is
// matched against bound events only, the only ones it is asked about.
bool decide(BindCode code, InputId input, bool pressed, bool button, Lateness lateness,
            DWORD madeAt) {
    const std::uint32_t bit = directionOfInput(code, input, pressed);
    if (bit == 0) {
        return false;
    }
    const RawView raw = takeRawView(input, pressed, madeAt);
    const bool swallow =
        decideBound(bit, code, input, pressed, button, lateness, raw.unseen, madeAt);
    if (!raw.matched) {
        noteHookCall(input, pressed, swallow, madeAt);
    }
    return swallow;
}

bool decideBound(std::uint32_t bit, BindCode code, InputId input, bool pressed, bool button,
                 Lateness lateness, int unseen, DWORD madeAt) {
    KeyMemory& memory = HookMemory;
    const bool late = lateness == Lateness::TooLate;
    std::uint8_t& seen = memory.codes[code];
    if (pressed) {
        // A press of what the application has down is an auto-repeat, or comes after a release no
        // hook saw (in a window of higher rights). A button does not repeat; a key's state tells,
        // where no release of another input of that code brought it up.
        const BindCode had = memory.applicationHas[input];
        const bool released = unseen == RawView::Released ||
                              (had != 0 && memory.passedBy[had] == input && !isDown(had));
        if (released) {
            memory.applicationHas[input] = 0;
            memory.passedBy[had] = memory.passedBy[had] == input ? 0 : memory.passedBy[had];
            seen &= ~(Retaken | PressedUnseen); // released since: this press is a new one
        } else if (!isDown(code) && !sharedState(code)) {
            seen &= ~PressedUnseen; // what was pressed unseen was let go unseen too
        }
        // (Where the application's record is this input's already, a press it got unseen is a
        // repeat of the one it has.)
        if (memory.applicationHas[input] == 0 &&
            (unseen == RawView::Pressed || (!button && pressedUnseen(code, bit, released)))) {
            seen |= PressedUnseen;
        }
        // A direction forgotten (another window came to the front) forgot its other key too:
        // whether that one is still held, only a press of it tells.
        if ((HeldDirections.load() & bit) == 0) {
            for (const BindCode key : directionKeys(bit)) {
                memory.codes[key] |= key != 0 ? Doubted : 0; // (read only while it is held)
            }
        }
        memory.pressed[bit] = {input, code, memory.pressed[bit].heldAt};
        memory.pressedAt[code] = madeAt;
        memory.endedByRaw &= ~bit; // the release raw input told of came before: its call too
        seen = (seen | Held) & ~Doubted;
        if (button) { // a button does not repeat: what was known of the one before is over; passed
            // on already, or maybe, it is the application's (a key's is noted with what passed)
            seen = (seen & ~(Retaken | PressedUnseen)) |
                   (lateness != Lateness::OnTime ? PressedUnseen : 0);
        }

        const GateVerdict verdict = gateVerdict();
        if (late || !verdict.actsHere()) {
            return false;
        }
        HeldWindow.store(verdict.foreground);
        HeldDirections.fetch_or(bit);
        memory.pressed[bit].heldAt = madeAt;
        return true;
    }
    // A release ends its direction wherever the pointer is, so scrolling never runs on with nothing
    // held. It is swallowed only where a hook saw its press and the application has no press of
    // that input, so it never keeps a key or button down there.
    // Doubted, it may have been let go and pressed again unseen; so may one whose direction was
    // forgotten while it was held, which passes as every release of a direction not held does.
    const bool sawPress = (seen & Held) != 0, mayHave = unseen == RawView::Pressed ||
                                                        applicationMayHave(code, input) ||
                                                        (seen & Doubted) != 0;
    seen &= ~(Held | Retaken | Doubted);
    const std::uint32_t before =
        (otherKeyHeld(bit, code) ? HeldDirections.load() : HeldDirections.fetch_and(~bit)) |
        memory.endedByRaw; // (until the next press: a release comes after one)
    return (before & bit) != 0 && sawPress && !mayHave && !late && isTargetActive();
}

// What an event of `code` from `input` leaves behind for the application. A `borrowed` code is
// not the input's own (AltGr's Ctrl has left Ctrl's): the input is never the one pressed unseen.
void note(BindCode code, InputId input, bool pressed, bool passed, bool borrowed) {
    KeyMemory& memory = HookMemory;
    if (code >= memory.codes.size() || !passed) {
        return;
    }
    // A press or release of an input the hooks knew nothing of is taken for a repeat, or the
    // release, of the press no hook saw: the application's record is this input's now.
    if (!borrowed && memory.applicationHas[input] != code) {
        memory.codes[code] &= ~PressedUnseen;
    }
    memory.applicationHas[input] = pressed ? static_cast<std::uint8_t>(code) : 0;
    memory.passedBy[code] = pressed ? input : 0; // a release leaves the code's state no input's
}

} // namespace

InputId keyInput(const KBDLLHOOKSTRUCT& event) {
    // Right Shift is extended by the layout (as Num Lock is, which raw input names so too), and by
    // some keyboards: it is one key either way.
    const bool extended = (event.flags & LLKHF_EXTENDED) != 0 && (event.scanCode & 0xFF) != 0x36;
    return static_cast<InputId>(event.scanCode == 0
                                    ? 0x1000 | (event.vkCode & 0xFF)
                                    : (event.scanCode & 0x7FF) | (extended ? 0x800 : 0));
}

std::uint32_t directionOfInput(BindCode& code, InputId input, bool pressed) {
    std::uint32_t bit = directionOf(code);
    // Keypad keys change their code between press and release when Shift and Num Lock are used
    // together (Numpad 8 pressed as Up, released as Numpad 8): a bound key is also released by the
    // input its press came from. Each press of a bind records its input anew, so an older record
    // never stands for a press still held.
    for (const std::uint32_t held : {DownHeld, UpHeld}) {
        const KeyMemory::Press& press = HookMemory.pressed[held];
        if (!pressed && bit == 0 && press.code != 0 && press.input == input) {
            bit = held;
            code = press.code;
        }
    }
    return bit;
}

void endOnRawRelease(BindCode code, DWORD madeAt) {
    const std::uint32_t bit = directionOf(code);
    const KeyMemory::Press& press = HookMemory.pressed[bit];
    // A release made before the press that holds the direction is of an earlier press: Proton's
    // raw mouse input may come long after the hooks' calls.
    if (bit != 0 && (HeldDirections.load() & bit) != 0 &&
        static_cast<std::int32_t>(madeAt - press.heldAt) >= 0 && !otherKeyHeld(bit, code)) {
        HeldDirections.fetch_and(~bit);
        HookMemory.endedByRaw |= bit;
    }
}

InputId buttonInput(BindCode code) {
    return static_cast<InputId>(0x1100 | (code & 0xFF));
}

void notePressesUnseen() {
    for (const std::uint32_t bit : {DownHeld, UpHeld}) {
        for (const BindCode code : directionKeys(bit)) {
            // (A button's release passes where no hook saw its press, and a press of it forgets
            // what came before: a button needs nothing of this.)
            if (code == 0 || isMouseCode(code) || HookMemory.passedBy[code] != 0) {
                continue;
            }
            std::uint8_t& seen = HookMemory.codes[code];
            // Up, and no press of it swallowed: whatever was pressed unseen is let go.
            seen = pressedUnseen(code, bit)                   ? seen | PressedUnseen
                   : (seen & Held) == 0 && !sharedState(code) ? seen & ~PressedUnseen
                                                              : seen;
        }
    }
}

bool isAltGrControl(const KBDLLHOOKSTRUCT& event) {
    return event.vkCode == LeftControl && event.scanCode == 0x21D;
}

bool updateHeld(BindCode code, bool pressed, Lateness lateness, DWORD madeAt) {
    // (What the application has of a button matters at its next press only, which forgets it.)
    return decide(code, buttonInput(code), pressed, true, lateness, madeAt);
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
        const Lateness lateness =
            answerHookCall(KeyboardKind, event.time, (event.flags & LLKHF_INJECTED) != 0);
        bool swallow;
        if (isAltGrControl(event)) {
            swallow = decide(RightAlt, input, pressed, false, lateness, event.time);
            HookMemory.altGr = {true, pressed, swallow};
        } else if (altGr.pending && event.vkCode == RightAlt && altGr.pressed == pressed) {
            swallow = altGr.swallowed;
        } else {
            swallow = decide(event.vkCode, input, pressed, false, lateness, event.time);
        }
        note(event.vkCode, input, pressed, !swallow, isAltGrControl(event));
        // Answered maybe too late, a swallowed press may have passed all the same: the application
        // may have it (though the key state need not say so), and its release passes.
        if (swallow && pressed && lateness == Lateness::MaybeLate) {
            HookMemory.applicationHas[input] = static_cast<std::uint8_t>(event.vkCode);
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
        // Any event answered too late may cost the hook (Proton removes it at once), a move too.
        const Lateness lateness =
            answerHookCall(MouseKind, record.time, (record.flags & LLMHF_INJECTED) != 0);
        if (event.code != 0) {
            const bool swallow = updateHeld(event.code, event.pressed, lateness, record.time);
            if (swallow) {
                return 1;
            }
        }
    }
    return CallNextHookEx(HookHandles.mouse, nCode, wParam, lParam);
}
