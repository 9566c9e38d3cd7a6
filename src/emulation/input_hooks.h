#pragma once

#include "config/settings.h"
#include "platform/desktop_platform.h"

#include <array>
#include <cstdint>

// When a hook call answers: in time; after the shortest wait the system may use, when it may have
// passed the event on already; or after the longest, when it has.
enum class Lateness { OnTime, MaybeLate, TooLate };

struct InstalledHooks {
    DesktopPlatform::HHOOK mouse = nullptr;
    DesktopPlatform::HHOOK keyboard = nullptr;
};

// Written by the run phase on the main thread; read by the hook procedures.
extern InstalledHooks HookHandles;

// One key or button of the hardware: a key by its scan code and extended flag (by its code where an
// injected key has no scan code), a button by its code. Keypad keys keep it when Shift changes
// their code.
using InputId = std::uint16_t;
inline constexpr std::size_t InputIds = 0x1200;
inline constexpr std::size_t Codes = 256; // a key's or button's code, as the hooks report it
InputId keyInput(const DesktopPlatform::KBDLLHOOKSTRUCT& event);
InputId buttonInput(BindCode code);

// What the hooks know of a code, by bit.
enum CodeSeen : std::uint8_t {
    Held = 1,          // pressed, decided for a direction, and not released since
    PressedUnseen = 2, // the application has it down from a press no hook of ours saw (held before
                       // the start, or pressed where the hooks are not called), until its release
    Retaken = 4,       // held while the hooks were installed anew: whether the application saw it
                       // pressed meanwhile is unknown, so its release is let through
    Doubted = 8,       // held when its direction was forgotten (input lost, another window in
                       // front) and the other key pressed: whether it still is, only a press tells
};

// What the hooks remember from one event to the next; main thread only.
struct KeyMemory {
    std::array<std::uint8_t, Codes> codes{}; // CodeSeen bits, by code
    // By input, the code it was passed as while the application has it down: a press passed, and
    // its release has not; 0 otherwise. A new press finds out a release that no hook saw.
    std::array<std::uint8_t, InputIds> applicationHas{};
    // By code, the input whose press of it passed last, until a release of it passes: while it is
    // set, the code's state is that input's (AltGr's Ctrl's, for left Ctrl, while AltGr is held).
    std::array<InputId, Codes> passedBy{};
    // By code, when the last press of it a hook saw was made: raw input told of by then is over.
    std::array<DesktopPlatform::DWORD, Codes> pressedAt{};
    // The input and code each direction's press came from, so that a keypad key's release is known
    // under another code too, and when the last press that held the direction was made.
    struct Press {
        InputId input;
        BindCode code;
        DesktopPlatform::DWORD heldAt;
    };
    std::array<Press, 3> pressed{};
    // The directions a release that raw input told of ended before its hook call came: the call
    // decides as if they were held still.
    std::uint32_t endedByRaw = 0;
    // The decision on an AltGr Ctrl, for the Right Alt event that follows it.
    struct {
        bool pending, pressed, swallowed;
    } altGr{};
};
extern KeyMemory HookMemory;

// Records a press or release of a mouse button (by its code) in HeldDirections; true when the event
// is to be swallowed. One answered too late has passed on already; one maybe late may have.
bool updateHeld(BindCode code, bool pressed, Lateness lateness = Lateness::OnTime,
                DesktopPlatform::DWORD madeAt = 0);

// The direction an event of `code` from `input` is of, or 0: that of the code's bind, or for a
// release, that of the press it ends (a keypad key released under another code: `code` becomes
// the code it was pressed as).
std::uint32_t directionOfInput(BindCode& code, InputId input, bool pressed);

// A release of a bound code (as the press it ends was made) that raw input reports and no hook
// call saw, made at `madeAt`: it ends its direction at once, where it came after the press that
// held it and no other key of the bind is held.
void endOnRawRelease(BindCode code, DesktopPlatform::DWORD madeAt);

// Records what the application has down of the bound keys from presses no hook of ours saw: held
// before the hooks were there, or pressed since where the hooks are not called. Main thread only.
void notePressesUnseen();

inline constexpr BindCode RightAlt = 0xA5;

// The left Ctrl event that layouts with AltGr send before each event of Right Alt: part of that
// Right Alt, never a key of its own.
bool isAltGrControl(const DesktopPlatform::KBDLLHOOKSTRUCT& event);

DesktopPlatform::LRESULT keyboardHookProc(int nCode, DesktopPlatform::WPARAM wParam,
                                          DesktopPlatform::LPARAM lParam);
DesktopPlatform::LRESULT mouseHookProc(int nCode, DesktopPlatform::WPARAM wParam,
                                       DesktopPlatform::LPARAM lParam);
