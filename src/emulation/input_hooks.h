#pragma once

#include "config/settings.h"
#include "platform/desktop_platform.h"

#include <array>
#include <cstdint>

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
    // The input and code each direction's press came from, so that a keypad key's release is known
    // under another code too.
    struct Press {
        InputId input;
        BindCode code;
    };
    std::array<Press, 3> pressed{};
    // The decision on an AltGr Ctrl, for the Right Alt event that follows it.
    struct {
        bool pending, pressed, swallowed;
    } altGr{};
};
extern KeyMemory HookMemory;

// Records a press or release of a mouse button (by its code) in HeldDirections; true when the event
// is to be swallowed. One answered `late`, after the system stopped waiting, has passed on already.
bool updateHeld(BindCode code, bool pressed, bool late = false);

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
