#pragma once

#include "platform/desktop_platform.h"

// Whether a window belongs to a program with more rights than this one: of a higher integrity
// level, or one whose token this program may not read (an elevated one). Windows keeps such a
// window's input away from our hooks, and reads every key as up to us while it is in front.
// Allocates nothing; main thread only.
bool hasMoreRights(DesktopPlatform::HWND window);
