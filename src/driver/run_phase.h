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

// Windows removes a low-level hook silently when it once answers too late. What that leaves behind
// is a bound key or button that the system's key state shows pressed, now or since the last check,
// although no hook of ours let such a press pass. Then the hooks are installed anew; a direction
// whose keys no hook saw pressed since the last check is forgotten, since its release may have gone
// unseen too; and a key still down is recorded as the application's, so that its release reaches
// it. Fresh hooks and what they see cut no scroll the player holds, so the same traces left by a
// press where the hooks are not called (a window of higher rights) do no harm. Nothing is read
// while the key state cannot be (such a window, or another desktop, in front). Main thread only.
void checkHooks();

// Installs a system-wide low-level hook of the given kind, or raises the platform's refusal.
DesktopPlatform::HHOOK installHook(int kind, DesktopPlatform::HOOKPROC procedure);
