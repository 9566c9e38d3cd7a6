#include "lost_input.h"

#include "bound_keys.h"
#include "window_rights.h"

#include <algorithm>
#include <array>
#include <utility>

std::atomic<DesktopPlatform::DWORD> HookThreadAlive{0};

namespace {

using namespace DesktopPlatform;

// Windows 10 1709 and later wait at most this long, whatever the setting says.
constexpr DWORD LongestTimeout = 1000;
// A swallowed event's raw event, where one is made at all, comes with its call: a raw event long
// after is of another event. Long enough for a burst of calls taken before the raw events queued
// behind them.
constexpr DWORD SwallowedPairing = 100;

// Hook calls no raw event has matched yet, by input and direction: how many, and the last one's
// time. A passed event's raw event may wait for hooks after ours, up to the time-out.
struct Calls {
    std::uint16_t passed, swallowed;
    DWORD passedAt, swallowedAt;
};
std::array<std::array<Calls, 2>, InputIds> Unmatched{};

// Raw events no hook call has matched yet, oldest first.
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
DWORD Timeout = LongestTimeout;

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

void noteRawEvent(std::uint32_t kind, InputId input, BindCode code, bool pressed) {
    const DWORD now = GetTickCount();
    Calls& calls = Unmatched[input][pressed ? 1 : 0];
    if (calls.passed != 0 && now - calls.passedAt <= Timeout) {
        --calls.passed;
    } else if (calls.swallowed != 0 && now - calls.swallowedAt <= SwallowedPairing) {
        --calls.swallowed;
    } else if (WaitingCount == Waiting.size()) {
        Lost |= kind; // more unmatched raw events than a hook call can be late for
    } else {
        Waiting[WaitingCount++] = {input, code, pressed, kind, now};
    }
}

void noteRawInput(const RAWINPUT& raw) {
    if (raw.header.dwType == RIM_TYPEKEYBOARD) {
        const RAWKEYBOARD& key = raw.data.keyboard;
        // A key without a scan code (injected by its code alone) cannot be told from another.
        const BindCode code = sidedCode(key);
        if (key.MakeCode == 0 || directionOf(code) == 0 || !hooksCalledHere()) {
            return;
        }
        const auto input = static_cast<InputId>((key.MakeCode & 0x7FF) |
                                                ((key.Flags & RI_KEY_E0) != 0 ? 0x800 : 0));
        noteRawEvent(KeyboardKind, input, code, (key.Flags & RI_KEY_BREAK) == 0);
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
        if (directionOf(code) != 0 && hooksCalledHere()) {
            noteRawEvent(MouseKind, buttonInput(code), code, (flags & button.down) != 0);
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
    DWORD set = 0;
    Timeout =
        lowLevelHooksTimeout(set) && set != 0 ? std::min(set, LongestTimeout) : LongestTimeout;
    const HWND window = createMessageWindow(rawInputProc);
    std::array<RAWINPUTDEVICE, 2> devices{};
    UINT count = 0;
    for (const auto& [kind, usage] : {std::pair{KeyboardKind, 6}, std::pair{MouseKind, 2}}) {
        if ((kinds & kind) != 0) {
            devices[count++] = {1, static_cast<std::uint16_t>(usage), RIDEV_INPUTSINK, window};
        }
    }
    // Refused, or without a window, the hooks' lateness alone tells.
    if (window != nullptr) {
        RegisterRawInputDevices(devices.data(), count, sizeof(RAWINPUTDEVICE));
    }
}

DesktopPlatform::DWORD hooksTimeout() {
    return Timeout;
}

bool answersTooLate(std::uint32_t kind, DesktopPlatform::DWORD eventTime, bool injected) {
    const DWORD now = GetTickCount();
    HookThreadAlive.store(now, std::memory_order_relaxed);
    // An injected event's time is whatever its sender gave.
    const bool late = !injected && now - eventTime > Timeout;
    Lost |= late ? kind : 0;
    return late;
}

RawView takeRawView(InputId input, bool pressed) {
    const DWORD now = GetTickCount();
    RawView view{};
    auto end = Waiting.begin() + static_cast<std::ptrdiff_t>(WaitingCount);
    // Where raw input is made first, this call's raw event has just come: the newest one waiting.
    const auto own =
        std::find_if(std::make_reverse_iterator(end), Waiting.rend(), [&](const RawEvent& raw) {
            return raw.input == input && raw.pressed == pressed && now - raw.at <= SwallowedPairing;
        });
    if (own != Waiting.rend()) {
        end = std::copy(own.base(), end, std::prev(own.base()));
        view.matched = true;
    }
    // Any other one waiting is of an event lost before: the application got it.
    const auto kept = std::remove_if(Waiting.begin(), end, [&](const RawEvent& raw) {
        if (raw.input != input) {
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
        released = Waiting[i].code == code ? !Waiting[i].pressed : released;
    }
    return released;
}

void noteHookCall(InputId input, bool pressed, bool swallowed) {
    const DWORD now = GetTickCount();
    Calls& calls = Unmatched[input][pressed ? 1 : 0];
    std::uint16_t& count = swallowed ? calls.swallowed : calls.passed;
    DWORD& at = swallowed ? calls.swallowedAt : calls.passedAt;
    count = static_cast<std::uint16_t>(
        (now - at > (swallowed ? SwallowedPairing : Timeout) ? 0 : count) + 1);
    at = now;
}

std::uint32_t takeLostKinds() {
    const DWORD now = GetTickCount();
    // A lost event went to the application as if passed. A lost press the key's state tells at its
    // next repeat; a lost release ends what was pressed unseen.
    const auto end = Waiting.begin() + static_cast<std::ptrdiff_t>(WaitingCount);
    const auto kept = std::remove_if(Waiting.begin(), end, [now](const RawEvent& raw) {
        if (now - raw.at < Timeout) {
            return false;
        }
        Lost |= raw.kind;
        if (!raw.pressed) {
            HookMemory.codes[raw.code] &= ~PressedUnseen;
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
