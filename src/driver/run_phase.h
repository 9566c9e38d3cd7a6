#pragma once

#include "platform/desktop_platform.h"

// How often the hooks are checked for having been lost, in milliseconds.
inline constexpr DesktopPlatform::UINT HookCheckInterval = 250;

// Installs the hooks the binds need, starts the scroll timer and pumps the thread's messages for
// the rest of the process's life, checking the hooks every HookCheckInterval. Returns only by
// raising, before the message loop starts.
[[noreturn]] void runEmulation();

// Removes the hooks runEmulation installed; for the failure report.
void releaseHooks();

// Windows removes a low-level hook silently when it once answers too late. That shows as a bound
// input that the system reports down, or pressed since the last check, although the hooks let no
// press of it reach the application (a hook is called before the system's key state changes, and
// only a press it lets through changes it). Then the hooks are installed anew, the held directions
// forgotten, and a press still held recorded as seen by the application, so that its release
// reaches it too. Never on other input, never on a schedule. Main thread only.
void checkHooks();

// Installs a system-wide low-level hook of the given kind, or raises the platform's refusal.
DesktopPlatform::HHOOK installHook(int kind, DesktopPlatform::HOOKPROC procedure);
