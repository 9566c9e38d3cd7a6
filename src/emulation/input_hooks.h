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

// The key of the keyboard an event came from: its scan code (0 when unknown, as for some injected
// keys) and whether it is an extended key.
struct PhysicalKey {
    std::uint32_t scanCode;
    bool extended;

    bool operator==(const PhysicalKey&) const = default;
};

// What the keyboard hook remembers from one event to the next; main thread only.
struct KeyMemory {
    // The key each bound key's press came from, by its bit, so that its release is known under
    // another code too.
    PhysicalKey pressedKeys[3];
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
