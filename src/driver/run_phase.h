#pragma once

#include "platform/desktop_platform.h"

// Installs the hooks the binds need, starts the scroll timer and pumps the thread's messages for
// the rest of the process's life. Returns only by raising, before the message loop starts.
[[noreturn]] void runEmulation();

// Removes the hooks runEmulation installed; for the failure report.
void releaseHooks();

// Installs a system-wide low-level hook of the given kind, or raises the platform's refusal.
DesktopPlatform::HHOOK installHook(int kind, DesktopPlatform::HOOKPROC procedure);
