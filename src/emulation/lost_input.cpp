#include "lost_input.h"

#include "bound_keys.h"
#include "held_directions.h"
#include "window_rights.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

std::atomic<DesktopPlatform::DWORD> HookThreadAlive{0};
std::atomic<bool> HookThreadWaiting{false};

namespace {

using namespace DesktopPlatform;

// Windows 10 1709 and later wait at most 1000 ms whatever is set (Microsoft), and about 300 ms
// where nothing is set (AutoHotkey's research); Wine waits 2000 ms whatever is set.
constexpr DWORD WindowsLongest = 1000, WindowsUnset = 300, WineWait = 2000;
// A raw event no hook call matched this long after it was made is of an event no hook saw: where
// raw input is made after the hooks, its call came first; made before them (as by Wine), its call
// comes within a moment. (Made apart from them, as Proton's mouse, a call this late is rare, and
// costs the hooks taken back for nothing.)
constexpr DWORD UnmatchedWait = 250;

// Hook calls no raw event has matched yet, by input and direction: how many passed the event on
// and how many swallowed it, and when the last of each was made.
struct Calls {
    std::uint16_t passed, swallowed;
    DWORD passedAt, swallowedAt;
};
std::array<std::array<Calls, 2>, InputIds> Unmatched{};

// Raw events no hook call has matched yet, oldest first, with when they were made.
struct RawEvent {
    InputId input;
    BindCode code;
    bool pressed;
    std::uint32_t kind;
    DWORD at;
};
std::array<RawEvent, 16> Waiting{};
std::size_t WaitingCount = 0;

std::uint32_t Lost = 0;
std::uint32_t Watched = 0; // the kinds raw input reports
HookWaits Waits{WindowsUnset, WindowsLongest};
// When the window in front changed, the last few times, and whether the hooks were called after:
// a raw event may be handled long after it was made, and another window be in front by then.
struct FrontChange {
    DWORD at;
    bool called;
};
std::array<FrontChange, 8> FrontChanges{};
std::size_t FrontChangeCount = 0;

void frontChanged(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD time) {
    FrontChanges[FrontChangeCount++ % FrontChanges.size()] = {time, window != nullptr &&
                                                                        !hasMoreRights(window)};
}

// How much later `at` is than `since`; negative where it is earlier.
std::int32_t after(DWORD at, DWORD since) {
    return static_cast<std::int32_t>(at - since);
}

// Raw input names Shift, Ctrl and Alt by their general codes; the hooks by the left or right key's.
BindCode sidedCode(const RAWKEYBOARD& key) {
    const bool e0 = (key.Flags & RI_KEY_E0) != 0;
    switch (key.VKey) {
    case 0x10:
        return key.MakeCode == 0x36 ? 0xA1 : 0xA0;
    case 0x11:
        return e0 ? 0xA3 : 0xA2;
    case 0x12:
        return e0 ? 0xA5 : 0xA4;
    default:
        return key.VKey;
    }
}

// A raw key event's input as the hooks name it (keyInput), or InputIds where it names none. The
// layouts mark Num Lock extended for the hooks alone, and Right Shift too (which some keyboards
// send as E0 36 besides); Pause comes as E1 1D, then 45 with no key code, and the Shift that
// Windows sends around the grey keys with Num Lock on has no key code (named by its make code,
// E0 AA would read as a left Shift let go). A key sent by its code alone has no make code: its
// code names it, but Shift, Ctrl or Alt's general code names neither side.
InputId rawKeyInput(const RAWKEYBOARD& key) {
    if (key.VKey == 0xFF || (key.MakeCode == 0 && key.VKey >= 0x10 && key.VKey <= 0x12)) {
        return InputIds;
    }
    if (key.MakeCode == 0) {
        return static_cast<InputId>(0x1000 | (key.VKey & 0xFF));
    }
    if ((key.Flags & RI_KEY_E1) != 0) {
        return key.VKey == 0x13 ? 0x45 : InputIds;
    }
    const bool extended =
        key.VKey == 0x90 || ((key.Flags & RI_KEY_E0) != 0 && key.MakeCode != 0x36);
    return static_cast<InputId>((key.MakeCode & 0x7FF) | (extended ? 0x800 : 0));
}

// Whether the hooks were called for an event made at `at`: as for the window in front then, or
// now where no other came to the front since (a window's rights may change with its program). A
// window that came to the front in the very millisecond may have come before the event or after.
bool hooksCalledFor(DWORD at) {
    if (FrontChangeCount == 0) { // not told of the window in front
        return hooksCalledHere();
    }
    bool called = true, found = false;
    for (std::size_t n = 0; n < std::min(FrontChangeCount, FrontChanges.size()); ++n) {
        const FrontChange& change = FrontChanges[(FrontChangeCount - 1 - n) % FrontChanges.size()];
        const auto since = after(at, change.at);
        if (since >= 0) {
            called &= n == 0 ? hooksCalledHere() : change.called;
            found = true;
        }
        if (since > 0) {
            break;
        }
    }
    return found && called;
}

void noteRawEvent(std::uint32_t kind, InputId input, BindCode code, bool pressed, DWORD at) {
    Calls& calls = Unmatched[input][pressed ? 1 : 0];
    const int longest = static_cast<int>(Waits.longest);
    // A passed event's raw event may be made when the hooks after ours let it go, or, made apart
    // from the hooks, come after later calls; a swallowed one's, where raw input is made for it at
    // all, is made with it and comes after its call. A raw event made after the last swallowing
    // call is of an event no hook saw.
    const bool passed = calls.passed != 0 && std::abs(after(at, calls.passedAt)) <= longest;
    const bool swallowed = !passed && calls.swallowed != 0 && after(at, calls.swallowedAt) <= 0 &&
                           after(calls.swallowedAt, at) <= longest;
    if (passed || swallowed) {
        --(passed ? calls.passed : calls.swallowed);
        return;
    }
    if (!pressed) {
        endOnRawRelease(code, at);
    }
    if (WaitingCount == Waiting.size()) {
        Lost |= kind; // more unmatched raw events than a hook call can be late for
    } else {
        Waiting[WaitingCount++] = {input, code, pressed, kind, at};
    }
}

// When the raw event being handled was made.
DWORD madeAt() {
    return static_cast<DWORD>(GetMessageTime());
}

// (When a raw event was made is asked only of a bound one: most are moves of the mouse.)
void noteRawInput(const RAWINPUT& raw) {
    if (raw.header.dwType == RIM_TYPEKEYBOARD) {
        const RAWKEYBOARD& key = raw.data.keyboard;
        const InputId input = rawKeyInput(key);
        BindCode code = sidedCode(key);
        const bool pressed = (key.Flags & RI_KEY_BREAK) == 0;
        if (input != InputIds && directionOfInput(code, input, pressed) != 0 &&
            hooksCalledFor(madeAt())) {
            noteRawEvent(KeyboardKind, input, code, pressed, madeAt());
        }
        return;
    }
    // Raw input knows the physical buttons; the hooks, and the binds, the logical ones.
    constexpr struct {
        std::uint16_t down, up;
        BindCode code;
    } Buttons[] = {
        {0x1, 0x2, 1}, {0x4, 0x8, 2}, {0x10, 0x20, 4}, {0x40, 0x80, 5}, {0x100, 0x200, 6}};
    const std::uint16_t flags = raw.data.mouse.usButtonFlags;
    for (const auto& button : Buttons) {
        if ((flags & (button.down | button.up)) == 0) {
            continue;
        }
        const bool swapped = button.code <= 2 && GetSystemMetrics(SM_SWAPBUTTON) != 0;
        const BindCode code = swapped ? 3 - button.code : button.code;
        if (directionOf(code) != 0 && hooksCalledFor(madeAt())) {
            noteRawEvent(MouseKind, buttonInput(code), code, (flags & button.down) != 0, madeAt());
        }
    }
}

} // namespace

bool hooksCalledHere() {
    const HWND front = GetForegroundWindow();
    return front != nullptr && !hasMoreRights(front);
}

void watchForLostInput(std::uint32_t kinds) {
    Unmatched.fill({});
    WaitingCount = 0;
    Lost = 0;
    HookThreadAlive.store(GetTickCount(), std::memory_order_relaxed);
    // Where the system does not tell of the window in front, the window in front now tells.
    FrontChangeCount = 0;
    if (SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, frontChanged, 0,
                        0, WINEVENT_OUTOFCONTEXT) != nullptr) {
        frontChanged(nullptr, 0, GetForegroundWindow(), 0, 0, 0, GetTickCount());
    }
    DWORD set = 0;
    const bool isSet = lowLevelHooksTimeout(set) && set != 0;
    Waits = runsUnderWine() ? HookWaits{WineWait, WineWait}
            : isSet         ? HookWaits{std::min(set, WindowsLongest), set}
                            : HookWaits{WindowsUnset, WindowsLongest};
    const HWND window = createMessageWindow(rawInputProc);
    std::array<RAWINPUTDEVICE, 2> devices{};
    UINT count = 0;
    for (const auto& [kind, usage] : {std::pair{KeyboardKind, 6}, std::pair{MouseKind, 2}}) {
        if ((kinds & kind) != 0) {
            devices[count++] = {1, static_cast<std::uint16_t>(usage), RIDEV_INPUTSINK, window};
        }
    }
    // Refused, or without a window, the hooks' lateness alone tells.
    Watched = window != nullptr &&
                      RegisterRawInputDevices(devices.data(), count, sizeof(RAWINPUTDEVICE)) != 0
                  ? kinds
                  : 0;
}

bool rawInputWatches(std::uint32_t kind) {
    return (Watched & kind) != 0;
}

HookWaits hookWaits() {
    return Waits;
}

Lateness answerHookCall(std::uint32_t kind, DesktopPlatform::DWORD eventTime, bool injected) {
    const DWORD now = GetTickCount();
    // An injected event's time is whatever its sender gave: it waited at most since the thread
    // last took a message (at least four times a second), before which its hooks were answered;
    // a time to come is no wait at all. (In time is the usual case: it asks nothing more.)
    auto waited = after(now, eventTime);
    if (waited <= static_cast<int>(Waits.shortest)) {
        return Lateness::OnTime;
    }
    const DWORD ran = HookThreadAlive.load(std::memory_order_relaxed);
    waited = injected && after(ran, eventTime) > 0 ? after(now, ran) : waited;
    const Lateness lateness = waited > static_cast<int>(Waits.longest)    ? Lateness::TooLate
                              : waited > static_cast<int>(Waits.shortest) ? Lateness::MaybeLate
                                                                          : Lateness::OnTime;
    // Where raw input cannot tell, an answer that may have come too late is all there is.
    Lost |=
        lateness == Lateness::TooLate || (lateness == Lateness::MaybeLate && !rawInputWatches(kind))
            ? kind
            : 0;
    return lateness;
}

RawView takeRawView(InputId input, bool pressed, DesktopPlatform::DWORD madeAt) {
    RawView view{};
    auto end = Waiting.begin() + static_cast<std::ptrdiff_t>(WaitingCount);
    // Where raw input comes first, this call's raw event is waiting, made at the same time.
    const auto own =
        std::find_if(std::make_reverse_iterator(end), Waiting.rend(), [&](const RawEvent& raw) {
            return raw.input == input && raw.pressed == pressed && raw.at == madeAt;
        });
    if (own != Waiting.rend()) {
        end = std::copy(own.base(), end, std::prev(own.base()));
        view.matched = true;
    }
    // One of the input made before is of an event lost before: the application got it.
    const auto kept = std::remove_if(Waiting.begin(), end, [&](const RawEvent& raw) {
        if (raw.input != input || after(madeAt, raw.at) <= 0) {
            return false;
        }
        Lost |= raw.kind;
        view.unseen = raw.pressed ? RawView::Pressed : RawView::Released;
        return true;
    });
    WaitingCount = static_cast<std::size_t>(kept - Waiting.begin());
    return view;
}

bool releasedUnseen(BindCode code) {
    bool released = false;
    for (std::size_t i = 0; i < WaitingCount; ++i) {
        const RawEvent& raw = Waiting[i];
        // (One made before the last press a hook saw came late, and is over.)
        const bool current = raw.code == code && after(raw.at, HookMemory.pressedAt[code]) >= 0;
        released = current ? !raw.pressed : released;
    }
    return released;
}

void noteHookCall(InputId input, bool pressed, bool swallowed, DesktopPlatform::DWORD madeAt) {
    Calls& calls = Unmatched[input][pressed ? 1 : 0];
    std::uint16_t& count = swallowed ? calls.swallowed : calls.passed;
    DWORD& at = swallowed ? calls.swallowedAt : calls.passedAt;
    count = static_cast<std::uint16_t>(
        (after(madeAt, at) > static_cast<int>(Waits.longest) ? 0 : count) + 1);
    at = madeAt;
}

std::uint32_t takeLostKinds() {
    const DWORD now = GetTickCount();
    // A lost event went to the application as if passed. A lost press the key's state tells at its
    // next repeat; a lost release ends what was held, seen or unseen, unless pressed again since.
    const auto end = Waiting.begin() + static_cast<std::ptrdiff_t>(WaitingCount);
    const auto kept = std::remove_if(Waiting.begin(), end, [now](const RawEvent& raw) {
        if (after(now, raw.at) < static_cast<int>(UnmatchedWait)) {
            return false;
        }
        Lost |= raw.kind;
        if (!raw.pressed && after(raw.at, HookMemory.pressedAt[raw.code]) >= 0) {
            HookMemory.codes[raw.code] &= ~(PressedUnseen | Held);
        }
        return true;
    });
    WaitingCount = static_cast<std::size_t>(kept - Waiting.begin());
    return std::exchange(Lost, 0);
}

DesktopPlatform::LRESULT rawInputProc(DesktopPlatform::HWND window, DesktopPlatform::UINT message,
                                      DesktopPlatform::WPARAM wParam,
                                      DesktopPlatform::LPARAM lParam) {
    if (message == WM_INPUT) {
        RAWINPUT raw{};
        UINT size = sizeof raw;
        // The platform passes the raw input's handle as an integer.
        if (GetRawInputData(reinterpret_cast<HANDLE>(lParam), RID_INPUT, &raw, &size, // NOLINT
                            sizeof(RAWINPUTHEADER)) != static_cast<UINT>(-1)) {
            noteRawInput(raw);
        }
    }
    // The system cleans up after a raw event only there.
    return DefWindowProcW(window, message, wParam, lParam);
}
