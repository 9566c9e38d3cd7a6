#pragma once

// An in-memory desktop behind the platform seam: windows with a class, a title, a parent and
// their rights, the foreground window and the one the platform reports at the cursor, installed
// hooks (which the platform may drop silently, as Windows does when one answers too late), the
// system's key state, a clock with the multimedia timer and thread timers, the console, one thread
// and its event, and a message wait during which the test's events take place. It models the
// platform, never the program.

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

// Thrown by a wait of the program's thread whose event is not set: the thread is parked until
// the test runs it again from its start.
struct Parked {};

// Thrown by ExitProcess: the process is over.
struct Exited {};

struct Window {
    std::u16string className, title;
    HWND parent = nullptr, owner = nullptr;
    bool visible = true, destroyed = false;
    DWORD integrity = 0x2000; // its program's level; 0 where its token cannot be read
    DWORD process = 0;        // its program, never one of another window, in this run or before

    // Its input reaches no low-level hook of ours, and our key state reads are refused.
    bool higherRights() const { return integrity == 0 || integrity > 0x2000; }
};

struct Hook {
    HOOKPROC procedure;
    HHOOK handle;
    bool dropped;
};

struct State {
    std::vector<Window> windows; // a window's handle is its index + 1
    HWND foreground = nullptr, atCursor = nullptr;
    bool cursorReadable = true, buttonsSwapped = false;
    int foregroundQueries = 0;

    std::map<int, DWORD> hookFailures; // hook kind -> the last error of its refusals, or 0
    bool timerRefused = false, threadTimerRefused = false, threadRefused = false;
    DWORD lastError = 0;
    std::map<DWORD, std::string> systemTexts;
    std::map<LONG, std::u16string> keyNames; // GetKeyNameTextW's answers
    std::map<UINT, UINT> scanCodes;          // MapVirtualKeyW's answers
    std::array<bool, 256> keyDown{};         // the system's key state
    std::array<bool, 256> delivered{}; // every key and button as last delivered, passed or not
    // What Windows does not document, each way: a button's state set before the hooks are asked
    // (else only if they pass it); a key's set after them whatever they answered (else only if they
    // pass it); a general modifier's (Shift, Ctrl, Alt) set before the hooks see its left or right
    // key; raw input made before the hooks, for every event (as Wine does), else after them and
    // only for the events they pass.
    bool buttonStateFirst = false, keyStateAlways = false, generalStateFirst = false,
         rawFirst = false;

    // How long the system waits for a low-level hook's answer, as the user set it (0: not set, and
    // the system waits 1000 ms); an answer later than that is ignored and the event passes on.
    DWORD hooksTimeout = 0;
    // The raw input the program registered for (usage 6 the keyboard, 2 the mouse), its window
    // and that window's procedure, and the record of the raw event being delivered.
    std::vector<std::uint16_t> rawUsages;
    HWND rawWindow = nullptr;
    WNDPROC rawProcedure = nullptr;
    RAWINPUT raw{};

    std::map<int, Hook> hooks; // kind -> the installed hook
    std::uintptr_t hooksMade = 0;
    LPTIMECALLBACK timer = nullptr;
    long long now = 0; // milliseconds
    struct ThreadTimer {
        UINT_PTR id;
        long long period, due;
    };
    std::vector<ThreadTimer> threadTimers;
    std::vector<std::string> calls; // what the program asked of the platform, in order

    bool consoles = false; // standard output and error are consoles
    HWND consoleWindow = nullptr;
    UINT codePage = 437;
    PHANDLER_ROUTINE ctrlHandler = nullptr;
    LPTHREAD_START_ROUTINE thread = nullptr;
    void* threadParameter = nullptr;
    bool eventSet = false, threadBlocked = false;
    // Named mutexes: the handles open to each, by name (other programs' among them), and the
    // error opening it gives: ERROR_ACCESS_DENIED where a program with more rights made it,
    // ERROR_INVALID_HANDLE where the name is another kind of object's; 0 where it opens. A handle
    // is 16 + its place in `opened`.
    struct Named {
        int handles;
        DWORD refusal;
    };
    std::map<std::u16string, Named> named;
    std::vector<std::u16string> opened;

    std::function<void()> whileWaiting; // may post a message; throws to end the wait for good
    std::vector<MSG> posted;
    std::array<INPUT, 8> sent{}; // SendInput's records, since the test last took them
    std::size_t sentCount = 0;
};

// The desktop; assign State{} to empty it.
State& state();

HWND addWindow(std::u16string className, std::u16string title);

// Delivers an event as the platform does: through the installed hook of its kind unless the hook
// was dropped or a window of higher rights is in front, and into the system's key state only if
// it was passed on (but for the switches above). The hook's answer, or PassedOn without one.
// An event `late` milliseconds old reaches the hooks that late: the thread was held up.
LRESULT key(WPARAM message, DWORD vkCode, DWORD scanCode, DWORD flags, int nCode, DWORD late = 0);
LRESULT mouse(WPARAM message, DWORD mouseData, DWORD flags, int nCode, DWORD late = 0);
// A tick of the multimedia timer; false without one.
bool tick();
// Time passes: thread timers that fell due post their WM_TIMER, once each.
void wait(long long milliseconds);
// Time passes while the program's thread is held up: nothing of it runs, and its timers post
// only at the next wait.
void stall(long long milliseconds);
// Runs the program's thread while its event is set, unless it is blocked.
void runThread();

} // namespace FakeDesktop
