#pragma once

// An in-memory desktop behind the platform seam, for tests: windows with class, title and parent,
// the foreground window, the cursor and the window reported under it, installed hooks, the timer,
// every injected input, and a scripted message queue. Installing a hook or the timer can be made
// to fail.

#include "platform/desktop_platform.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace FakeDesktop {

using namespace DesktopPlatform;

struct Window {
    std::u16string className;
    std::u16string title;
    HWND parent = nullptr;
};

struct Hook {
    int kind;
    HOOKPROC procedure;
    HHOOK handle;
    bool released = false;
};

struct Timer {
    UINT delay;
    UINT resolution;
    LPTIMECALLBACK callback;
    DWORD_PTR user;
    UINT flags;
};

// One answer of GetMessageW; `during` runs inside the wait, where the platform calls the hooks.
struct MessageStep {
    BOOL result;
    UINT message = 0;
    std::function<void()> during = {};
};

// Thrown by GetMessageW once its script is used up: the one way out of the endless message loop
// in tests. Deliberately not a std::exception, so that the program's failure handling lets it by.
struct ScriptEnded {};

// What CallNextHookEx answers, so that tests can tell a passed-on event from a swallowed one.
inline constexpr LRESULT PassedOn = 0x5EED;

struct State {
    std::vector<Window> windows; // a window's handle is its index + 1
    std::atomic<HWND> foreground{nullptr};
    std::atomic<HWND> atCursor{nullptr}; // what WindowFromPoint reports at the cursor
    POINT cursor{100, 100};
    std::atomic<bool> cursorReadable{true};

    std::map<int, DWORD> hookFailures;   // hook kind -> last error of its failing installation
    std::optional<MMRESULT> timerResult; // set: timeSetEvent answers this instead of an id
    DWORD lastError = 0;
    std::map<DWORD, std::string> systemTexts; // FormatMessageA's texts, as the system words them

    std::vector<Hook> hooks;
    std::vector<Timer> timers;
    std::vector<std::string> calls; // installations, releases and the timer, in order

    std::vector<MessageStep> script;
    std::size_t nextStep = 0;
    int translated = 0;
    int dispatched = 0;

    std::atomic<int> foregroundQueries{0};
    std::atomic<int> passedOn{0};
    HHOOK lastNextHookHandle = nullptr;

    std::mutex sentLock; // the pump's thread records, the test reads
    std::vector<INPUT> sent;
    bool feedInjectedInputToHooks = false;
    std::atomic<int> injectedSwallowed{0};
};

State& state();

// Back to an empty desktop: no windows, nothing installed, nothing sent.
void reset();

HWND addWindow(std::u16string className, std::u16string title, HWND parent = nullptr);

// Puts `window` in the foreground with the cursor over it (or over `under`, when given).
void focus(HWND window, HWND under);
inline void focus(HWND window) {
    focus(window, window);
}

// Delivers an event through the hook of its kind that is installed, as the platform would:
// the hook's result, or PassedOn when no hook of that kind is installed.
LRESULT key(DWORD vkCode, WPARAM message);
LRESULT mouse(WPARAM message, DWORD mouseData = 0);

// One tick of the started timer.
void tick();

std::vector<INPUT> sentInputs();
std::vector<std::int32_t> sentWheelAmounts();

} // namespace FakeDesktop
