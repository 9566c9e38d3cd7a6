#pragma once

#include "config/settings.h"
#include "platform/desktop_platform.h"

struct InstalledHooks {
    DesktopPlatform::HHOOK mouse = nullptr;
    DesktopPlatform::HHOOK keyboard = nullptr;
};

// Written by the run phase before the message loop starts; read by the hook procedures.
extern InstalledHooks HookHandles;

// Records a press or release of a bound input in HeldDirections; true when the event is to be
// swallowed.
bool updateHeld(BindCode code, bool pressed);

DesktopPlatform::LRESULT keyboardHookProc(int nCode, DesktopPlatform::WPARAM wParam,
                                          DesktopPlatform::LPARAM lParam);
DesktopPlatform::LRESULT mouseHookProc(int nCode, DesktopPlatform::WPARAM wParam,
                                       DesktopPlatform::LPARAM lParam);
