#pragma once

// An in-memory desktop behind the platform seam: windows with a class and a title, the foreground
// window and the one the platform reports at the cursor, installed hooks, the timer, what was
// injected, and a message wait answered by the test. It models the platform, never the program.

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

inline constexpr BOOL KeepWaiting = 2;

struct Window {
    std::u16string className;
    std::u16string title;
};

struct State {
    std::vector<Window> windows; // a window's handle is its index + 1
    HWND foreground = nullptr;
    HWND atCursor = nullptr;
    bool cursorReadable = true;
    int windowQueries = 0; // how often the foreground window was asked for

    std::map<int, DWORD> hookFailures; // hook kind -> the last error of its refusal
    bool timerRefused = false;
    DWORD lastError = 0;
    std::map<DWORD, std::string> systemTexts;
    std::map<LONG, std::u16string> keyNames; // GetKeyNameTextW's answers

    std::map<int, HOOKPROC> hooks; // kind -> installed procedure
    LPTIMECALLBACK timer = nullptr;
    std::vector<std::string> calls; // installations, releases and the timer, in order

    // Answers GetMessageW, or returns KeepWaiting after events that posted messages.
    std::function<BOOL(MSG&)> nextMessage;
    std::array<UINT, 8> posted{}; // PostThreadMessageW's queue
    std::size_t postedCount = 0;
    int translated = 0;
    int dispatched = 0;

    std::array<INPUT, 8> sent{}; // SendInput's records since the test last took them
    std::size_t sentCount = 0;
};

State& state();
void reset();
HWND addWindow(std::u16string className, std::u16string title);

// Delivers an event through the installed hook of its kind, as the platform does: the hook's
// answer, or PassedOn when none is installed.
LRESULT key(WPARAM message, DWORD vkCode, DWORD scanCode = 0, DWORD flags = 0, int nCode = 0);
LRESULT mouse(WPARAM message, DWORD mouseData = 0, int nCode = 0);

// One period of the timer; false when none is running.
bool tick();

} // namespace FakeDesktop
