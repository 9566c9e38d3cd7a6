#pragma once

#include "config/settings.h"
#include "platform/desktop_platform.h"

// Mouse buttons are named by their virtual-key codes, so that one bind number names a button the
// way it names a key: left 1, right 2, middle 4, first extra 5, second extra 6.
struct MouseButtonEvent {
    BindCode code; // 0 for moves, wheels and double-clicks
    bool pressed;
};

MouseButtonEvent mouseButtonEvent(DesktopPlatform::WPARAM message,
                                  const DesktopPlatform::MSLLHOOKSTRUCT& record);

// Which hook sees a bind: the mouse hook the five button codes, the keyboard hook the others.
bool isMouseCode(BindCode code);
bool isKeyboardCode(BindCode code);
