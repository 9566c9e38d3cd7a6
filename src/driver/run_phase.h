#pragma once

#include "platform/desktop_platform.h"

// The exit code of a program whose console window was closed: Windows' own (STATUS_CONTROL_C_EXIT).
inline constexpr DesktopPlatform::UINT ConsoleClosedExit = 0xC000013A;

// How often the hooks are checked for having been lost, in milliseconds.
inline constexpr DesktopPlatform::UINT HookCheckInterval = 250;

// Installs the hooks the binds need, starts the scroll timer and pumps the thread's messages for
// the rest of the process's life, checking the hooks every HookCheckInterval. Returns only by
// raising, before the message loop starts.
[[noreturn]] void runEmulation();

// Removes the hooks runEmulation installed; for the failure report.
void releaseHooks();

// Windows passes input on without a hook that answered too late, and may then remove the hook
// silently. Where input of a kind was lost so, the hooks are installed anew; what is held then has
// its release let through, so that no key stays down in the game. A direction of that kind ends
// at its release where raw input reports it, or else at once, since its release may have been
// lost too. Live hooks are never taken back. Main thread only.
void checkHooks();

// Installs a system-wide low-level hook of the given kind, or raises the platform's refusal.
DesktopPlatform::HHOOK installHook(int kind, DesktopPlatform::HOOKPROC procedure);
