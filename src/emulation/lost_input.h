#pragma once

#include "input_hooks.h"
#include "platform/desktop_platform.h"

#include <atomic>
#include <cstdint>

// Input the hooks lost. Windows passes an event on without a hook that answered too late, and
// after that may remove the hook silently (Proton at once); either way the event reaches the system
// and not our hook, and the key state shows no trace of it. Two things tell of it: a hook procedure
// called later than the system can have waited for it, and raw input, which reports every event of
// a bound input apart from the hook chain, reporting one that no hook call matches. Raw input may
// be made after the hooks and only for the events they pass (as on Windows), before them for every
// event (as under Wine), or apart from them for every event, in either order (Proton's mouse): a
// raw event matches a call of the same input and direction made at the same time, whichever came
// first, or one that passed its event on within the system's longest wait. All on the main
// thread, but for the pump's look at the thread's sign of life.

// The kinds of input, by the hook that sees them.
inline constexpr std::uint32_t KeyboardKind = 1;
inline constexpr std::uint32_t MouseKind = 2;

// When the main thread last took a message (GetTickCount), and whether it waits for one now: a
// thread that waits answers a hook at once, and one busy past the system's time-out may have lost
// input, so the pump stops scrolling until it waits again.
extern std::atomic<DesktopPlatform::DWORD> HookThreadAlive;
extern std::atomic<bool> HookThreadWaiting;

// Learns the system's time-outs, and has raw input report the given kinds to a message-only
// window of this thread. Where raw input cannot be had, the hooks' lateness alone tells.
void watchForLostInput(std::uint32_t kinds);

// Whether raw input reports the kind.
bool rawInputWatches(std::uint32_t kind);

// Whether the hooks are called for input now: not for a window of more rights in front (nor
// another desktop), whose input and key state are kept from us.
bool hooksCalledHere();

// How long the running system may wait for a low-level hook's answer, in milliseconds: Windows
// about 300 ms where nothing is set (never more than 1000), the value set otherwise; Wine 2000 ms
// whatever is set.
struct HookWaits {
    DesktopPlatform::DWORD shortest, longest;
};
HookWaits hookWaits();

// How late a hook call of the kind answers, for an event of this time; too late tells of lost
// input.
Lateness answerHookCall(std::uint32_t kind, DesktopPlatform::DWORD eventTime, bool injected);

// What raw input tells a hook called for an input's press or release made at `madeAt`: whether it
// reported this very event (where raw input comes first), and the last event of the input it
// reported before that no hook call matched: by then that event went to the application unseen,
// and input was lost.
struct RawView {
    bool matched;
    enum { None, Pressed, Released } unseen;
};
RawView takeRawView(InputId input, bool pressed, DesktopPlatform::DWORD madeAt);

// Whether raw input's last word on a code since the last press a hook saw is a release no hook
// call matched yet: let go, though no hook saw it.
bool releasedUnseen(BindCode code);

// A hook call of an input's press or release that raw input has not reported yet; `swallowed`
// where it was.
void noteHookCall(InputId input, bool pressed, bool swallowed, DesktopPlatform::DWORD madeAt);

// The kinds of input lost since the last call: a hook called too late, or a raw event no hook
// call matched in time. Forgets them.
std::uint32_t takeLostKinds();

// The raw input window's procedure.
DesktopPlatform::LRESULT rawInputProc(DesktopPlatform::HWND window, DesktopPlatform::UINT message,
                                      DesktopPlatform::WPARAM wParam,
                                      DesktopPlatform::LPARAM lParam);
