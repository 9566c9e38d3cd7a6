#pragma once

#include "config/settings.h"
#include "platform/desktop_platform.h"

#include <cstdint>

struct InstalledHooks {
    DesktopPlatform::HHOOK mouse = nullptr;
    DesktopPlatform::HHOOK keyboard = nullptr;
};

// Written by the run phase on the main thread; read by the hook procedures.
extern InstalledHooks HookHandles;

// What the keyboard hook remembers from one event to the next; main thread only.
struct KeyMemory {
    // The key each bound key's press came from, by its bit: its scan code and extended flag (0
    // when unknown), so that its release is known under another code too.
    std::uint32_t pressedKeys[3];
    // The decision on an AltGr Ctrl, for the Right Alt event that follows it.
    struct {
        bool pending, pressed, swallowed;
    } altGr;
};
extern KeyMemory HookMemory;

// Records a press or release of a bound input in HeldDirections; true when the event is to be
// swallowed.
bool updateHeld(BindCode code, bool pressed);

// The left Ctrl event that layouts with AltGr send before each event of Right Alt: part of that
// Right Alt, never a key of its own.
bool isAltGrControl(const DesktopPlatform::KBDLLHOOKSTRUCT& event);

DesktopPlatform::LRESULT keyboardHookProc(int nCode, DesktopPlatform::WPARAM wParam,
                                          DesktopPlatform::LPARAM lParam);
DesktopPlatform::LRESULT mouseHookProc(int nCode, DesktopPlatform::WPARAM wParam,
                                       DesktopPlatform::LPARAM lParam);
