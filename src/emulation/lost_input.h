#pragma once

#include "input_hooks.h"
#include "platform/desktop_platform.h"

#include <atomic>
#include <cstdint>

// Input the hooks lost. Windows passes an event on without a hook that answered too late, and
// after that may remove the hook silently; either way the event reaches the system and not our
// hook, and the key state shows no trace of it. Two things tell of it directly: a hook procedure
// called later than the system waits for it, and raw input, which reports every event of a bound
// input independently of the hook chain, reporting one that no hook call matches. Raw input may
// be made after the hooks and only for the events they pass (as on Windows), or before them for
// every event (as under Wine): a raw event matches a call of the same input and direction, whichever
// came first; a call that swallowed its event is matched only soon after it, since on Windows its
// event makes no raw event at all. All on the main thread, but for the pump's look at HookThreadAlive.

// The kinds of input, by the hook that sees them.
inline constexpr std::uint32_t KeyboardKind = 1;
inline constexpr std::uint32_t MouseKind = 2;

// When the main thread last took a message or a hook call (GetTickCount): one held up past the
// system's time-out has lost input, and the pump stops scrolling until it runs again.
extern std::atomic<DesktopPlatform::DWORD> HookThreadAlive;

// Reads the system's time-out, and has raw input report the given kinds to a message-only
// window of this thread. Where raw input cannot be had, the hooks' lateness alone tells.
void watchForLostInput(std::uint32_t kinds);

// The system's time-out for a low-level hook's answer, in milliseconds.
DesktopPlatform::DWORD hooksTimeout();

// A hook call of an input's press or release, with the event's time; `swallowed` where it was.
void noteHookCall(std::uint32_t kind, InputId input, bool pressed, bool swallowed,
                  DesktopPlatform::DWORD eventTime, bool injected);

// The kinds of input lost since the last call: a hook called too late, or a raw event no hook
// call matched within the time-out. Forgets them.
std::uint32_t takeLostKinds();

// The raw input window's procedure.
DesktopPlatform::LRESULT rawInputProc(DesktopPlatform::HWND window, DesktopPlatform::UINT message,
                                      DesktopPlatform::WPARAM wParam,
                                      DesktopPlatform::LPARAM lParam);
