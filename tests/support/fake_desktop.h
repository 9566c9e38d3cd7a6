#pragma once

// An in-memory desktop behind the platform seam: windows with a class and a title, the foreground
// window and the one the platform reports at the cursor, installed hooks, the timer, what was
// injected, posted messages, and a message wait during which the test's events take place. It
// models the platform, never the program.

#include "platform/desktop_platform.h"

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace FakeDesktop {

using namespace DesktopPlatform;

// What CallNextHookEx answers, so that a passed-on event can be told from a swallowed one.
inline constexpr LRESULT PassedOn = 0x5EED;

struct Window {
    std::u16string className, title;
};

struct State {
    std::vector<Window> windows; // a window's handle is its index + 1
    HWND foreground = nullptr, atCursor = nullptr;
    bool cursorReadable = true;
    int foregroundQueries = 0;

    std::map<int, DWORD> hookFailures; // hook kind -> the last error of its refusal
    bool timerRefused = false;
    DWORD lastError = 0;
    std::map<DWORD, std::string> systemTexts;
    std::map<LONG, std::u16string> keyNames; // GetKeyNameTextW's answers

    std::map<int, HOOKPROC> hooks; // kind -> installed procedure
    LPTIMECALLBACK timer = nullptr;
    std::vector<std::string> calls; // installations, releases and the timer, in order

    std::function<void()> whileWaiting; // may post a message; throws to end the wait for good
    std::array<UINT, 8> posted{};
    std::size_t postedCount = 0;
    std::array<INPUT, 8> sent{}; // SendInput's records, since the test last took them
    std::size_t sentCount = 0;
};

// The desktop; assign State{} to empty it.
State& state();

HWND addWindow(std::u16string className, std::u16string title);

// Delivers an event through the installed hook of its kind, as the platform does: the hook's
// answer, or PassedOn without one. A tick calls the timer's callback; false without a timer.
LRESULT key(WPARAM message, DWORD vkCode, DWORD scanCode, DWORD flags, int nCode);
LRESULT mouse(WPARAM message, DWORD mouseData, int nCode);
bool tick();

} // namespace FakeDesktop
