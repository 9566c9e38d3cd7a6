#pragma once

// An in-memory desktop behind the platform seam: windows with a class, a title, a parent and
// their rights, the foreground window and the one the platform reports at the cursor, installed
// hooks (which the platform may remove silently, as Windows and Proton do when one answers too
// late), raw input, the system's key state, a clock with the multimedia timer and thread timers,
// the console, one thread and its event, and a message wait during which the test's events take
// place. It models the platform, never the program.

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

// The message that keeps the program's thread busy, outside its message wait, while the test
// goes on (`whileBusy`).
inline constexpr LPARAM BusyMessage = 0xB5;

// When raw input is made: after the hooks and only for the events they pass (as Windows is reported
// to), before them for every event (as Wine does), or apart from them for every event, before or
// after the hooks with a delay of its own (as Proton's mouse).
enum class RawOrder { AfterHooks, BeforeHooks, Independent };

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
    int timeouts;
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
    // key.
    bool buttonStateFirst = false, keyStateAlways = false, generalStateFirst = false;
    RawOrder rawOrder = RawOrder::AfterHooks;

    // How long the system waits for a low-level hook's answer: Windows the time-out the user set
    // (at most 1000 ms), or 300 ms where none is set (0); Wine 2000 ms whatever is set. An answer
    // later than that is ignored and the event passes on; the hook is removed at its `removedAt`th
    // time-out (0: never, as by Wine; 1: at once, as by Proton; 11: as by Windows).
    DWORD hooksTimeout = 0;
    bool wine = false, longWait = false;
    int removedAt = 0;
    int removed = 0; // the hooks removed so since the test last looked: 1 keyboard, 2 mouse
    // The raw input the program registered for (usage 6 the keyboard, 2 the mouse; none where
    // `rawRefused`), its window and that window's procedure, the record read through handle 0x7A
    // and the records of raw events made since (handle 0x1000 + n, n below 64), those made apart
    // from the hooks and not due yet, and when the message last taken was made.
    bool rawRefused = false;
    std::vector<std::uint16_t> rawUsages;
    HWND rawWindow = nullptr;
    WNDPROC rawProcedure = nullptr;
    RAWINPUT raw{};
    std::array<RAWINPUT, 64> rawMade{};
    std::size_t rawCount = 0;
    struct DueRaw {
        long long due;
        MSG message;
    };
    std::vector<DueRaw> rawDue;
    DWORD messageTime = 0;

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

    WINEVENTPROC foregroundChanged = nullptr; // told of each window that comes to the front
    // The test at each message wait: it may post a message, and throws to end the wait for good.
    std::function<void()> whileWaiting;
    std::function<void()> whileBusy; // the test while the thread handles a BusyMessage
    std::vector<MSG> posted;
    std::array<INPUT, 8> sent{}; // SendInput's records, since the test last took them
    std::size_t sentCount = 0;
};

// The desktop; assign State{} to empty it.
State& state();

HWND addWindow(std::u16string className, std::u16string title);

// A window comes to the front, the pointer over it.
void focus(HWND window);

// Delivers an event as the platform does: through the installed hook of its kind unless the hook
// was dropped or a window of higher rights is in front, and into the system's key state only if
// it was passed on (but for the switches above); raw input as `rawOrder` says, `rawDelay` ms after
// the event where it is made apart (before the hooks where negative). The hook's answer, or
// PassedOn without one. An event `late` milliseconds old reaches the hooks that late: the thread
// was held up.
struct Timing {
    DWORD late = 0;
    int rawDelay = 0;
    // The key events raw input makes of it, each 0xVVFFMM (key code, flags, make code), where it
    // names the key otherwise than the hooks: as the key's scan code, extended or not, and code.
    std::array<DWORD, 2> rawAs{};
};
LRESULT key(WPARAM message, DWORD vkCode, DWORD scanCode, DWORD flags, int nCode,
            Timing timing = {});
LRESULT mouse(WPARAM message, DWORD mouseData, DWORD flags, int nCode, Timing timing = {});
// A tick of the multimedia timer; false without one.
bool tick();
// Time passes: thread timers that fell due post their WM_TIMER, once each, and raw events made
// apart from the hooks that fell due are posted.
void wait(long long milliseconds);
// Time passes while the program's thread is held up: nothing of it runs; raw events that fell due
// are posted, its timers only at the next wait.
void stall(long long milliseconds);
// Runs the program's thread while its event is set, unless it is blocked.
void runThread();

} // namespace FakeDesktop
