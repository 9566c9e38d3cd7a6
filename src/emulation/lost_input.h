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
// every event (as under Wine): a raw event matches a call of the same input and direction,
// whichever came first; a call that swallowed its event is matched only soon after it, since on
// Windows its event makes no raw event at all. All on the main thread, but for the pump's look at
// HookThreadAlive.

// The kinds of input, by the hook that sees them.
inline constexpr std::uint32_t KeyboardKind = 1;
inline constexpr std::uint32_t MouseKind = 2;

// When the main thread last took a message or a hook call (GetTickCount): one held up past the
// system's time-out has lost input, and the pump stops scrolling until it runs again.
extern std::atomic<DesktopPlatform::DWORD> HookThreadAlive;

// Reads the system's time-out, and has raw input report the given kinds to a message-only
// window of this thread. Where raw input cannot be had, the hooks' lateness alone tells.
void watchForLostInput(std::uint32_t kinds);

// Whether the hooks are called for input now: not for a window of more rights in front (nor
// another desktop), whose input and key state are kept from us.
bool hooksCalledHere();

// The system's time-out for a low-level hook's answer, in milliseconds.
DesktopPlatform::DWORD hooksTimeout();

// Whether a hook called for an event of this time answers after the system stopped waiting: the
// event has passed on as if passed, and input of its kind was lost.
bool answersTooLate(std::uint32_t kind, DesktopPlatform::DWORD eventTime, bool injected);

// What raw input tells a hook called for an input's press or release: whether it reported this
// very event (where raw input is made first), and the last event of the input it reported that no
// hook call matched: by then that event went to the application unseen, and input was lost.
struct RawView {
    bool matched;
    enum { None, Pressed, Released } unseen;
};
RawView takeRawView(InputId input, bool pressed);

// Whether raw input's last word on a code is a release no hook call matched yet: let go, though
// no hook saw it.
bool releasedUnseen(BindCode code);

// A hook call of an input's press or release that raw input has not reported yet; `swallowed`
// where it was.
void noteHookCall(InputId input, bool pressed, bool swallowed);

// The kinds of input lost since the last call: a hook called too late, or a raw event no hook
// call matched within the time-out. Forgets them.
std::uint32_t takeLostKinds();

// The raw input window's procedure.
DesktopPlatform::LRESULT rawInputProc(DesktopPlatform::HWND window, DesktopPlatform::UINT message,
                                      DesktopPlatform::WPARAM wParam,
                                      DesktopPlatform::LPARAM lParam);
