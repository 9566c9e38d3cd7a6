#include "fake_desktop.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace FakeDesktop {

State& state() {
    static State desktop;
    return desktop;
}

HWND addWindow(std::u16string className, std::u16string title) {
    static DWORD processes = 0;
    state().windows.push_back({std::move(className), std::move(title)});
    state().windows.back().process = ++processes;
    // Made-up handles are what a fake desktop is for.
    return reinterpret_cast<HWND>(state().windows.size()); // NOLINT(performance-no-int-to-ptr)
}

void focus(HWND window) {
    auto& s = state();
    ++s.now; // a window comes to the front in a millisecond of its own
    s.foreground = s.atCursor = window;
    if (s.foregroundChanged != nullptr) {
        s.foregroundChanged(nullptr, EVENT_SYSTEM_FOREGROUND, window, 0, 0, 0,
                            static_cast<DWORD>(s.now));
    }
}

namespace {

// The last error of every refusal the fake makes up on its own: ERROR_NOT_ENOUGH_MEMORY.
constexpr DWORD NotEnoughMemory = 8;

Window* windowOf(HWND handle) {
    const auto index = reinterpret_cast<std::uintptr_t>(handle);
    return index >= 1 && index <= state().windows.size() ? &state().windows[index - 1] : nullptr;
}

// Copies as the platform does: at most capacity - 1 characters, then a terminator.
int copyText(const std::u16string& text, WCHAR* buffer, int capacity) {
    const auto count = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.begin(), count, buffer)[0] = u'\0';
    return static_cast<int>(count);
}

// The general code of a left or right Shift, Ctrl or Alt, whose state follows both keys.
unsigned generalOf(unsigned code) {
    return code >= 0xA0 && code <= 0xA5 ? 0x10 + (code - 0xA0) / 2 : 0;
}

// The raw events of a hook's event: none, one, or two (Pause's), named as the case says where raw
// input names the key otherwise than the hooks.
std::size_t rawEvents(int kind, const void* record, unsigned code, bool pressed,
                      const Timing& timing, std::array<RAWINPUT, 2>& made) {
    made = {};
    if (kind == WH_MOUSE_LL) {
        // The physical button: with the buttons swapped, code 1 is the right one.
        constexpr std::uint16_t Down[] = {0, 0x1, 0x4, 0, 0x10, 0x40, 0x100};
        if (code == 0 || code > 6 || Down[code] == 0) {
            return 0;
        }
        made[0].header.dwType = RIM_TYPEMOUSE;
        made[0].data.mouse.usButtonFlags =
            static_cast<std::uint16_t>(Down[code] << (pressed ? 0 : 1));
        return 1;
    }
    const auto& event = *static_cast<const KBDLLHOOKSTRUCT*>(record);
    if ((event.scanCode & 0x200) != 0) { // AltGr's Ctrl is the layout's, not the keyboard's
        return 0;
    }
    const unsigned general = generalOf(event.vkCode);
    auto names = timing.rawAs;
    if (names[0] == 0) { // as the hooks name it
        names[0] = (general != 0 ? general : event.vkCode) << 16 |
                   ((event.flags & LLKHF_EXTENDED) != 0 ? RI_KEY_E0 : 0) << 8 |
                   (event.scanCode & 0xFF);
    }
    std::size_t count = 0;
    for (; count < names.size() && names[count] != 0; ++count) {
        made[count].header.dwType = RIM_TYPEKEYBOARD;
        made[count].data.keyboard = {
            static_cast<std::uint16_t>(names[count] & 0xFF),
            static_cast<std::uint16_t>((names[count] >> 8 & 0xFF) | (pressed ? 0 : RI_KEY_BREAK)),
            0,
            static_cast<std::uint16_t>(names[count] >> 16),
            0,
            0};
    }
    return count;
}

// A raw event kept for the program, and the message that tells of it.
MSG keepRaw(const RAWINPUT& record, DWORD made) {
    auto& s = state();
    RAWINPUT& kept = s.rawMade[s.rawCount++ % s.rawMade.size()];
    kept = record;
    kept.header.dwSize = sizeof(RAWINPUT);
    return {s.rawWindow, WM_INPUT, 0, static_cast<LPARAM>(0x1000 + (&kept - s.rawMade.data())),
            made,        {},       0};
}

// Raw events made apart from the hooks that fell due come into the queue (in their order, which
// is that of their times).
void postDueRaws() {
    auto& s = state();
    for (; !s.rawDue.empty() && s.rawDue.front().due <= s.now; s.rawDue.erase(s.rawDue.begin())) {
        s.posted.push_back(s.rawDue.front().message);
    }
}

LRESULT deliver(int kind, int nCode, WPARAM message, const void* record, unsigned code,
                bool pressed, Timing timing) {
    auto& s = state();
    const auto hook = s.hooks.find(kind);
    const Window* front = windowOf(s.foreground);
    const bool known = code > 0 && code < s.keyDown.size();
    const bool buttonFirst = kind == WH_MOUSE_LL && s.buttonStateFirst;
    const unsigned general = known ? generalOf(code) : 0;
    // The state before the hooks are asked, where a switch says so, or after, if passed.
    const auto update = [&](bool first) {
        if (known && buttonFirst == first) {
            s.keyDown[code] = pressed;
        }
        if (general != 0 && s.generalStateFirst == first) { // either key: 0x10 -> 0xA0, 0xA1
            const std::array<bool, 256>& down = first ? s.delivered : s.keyDown;
            s.keyDown[general] = down[general * 2 + 0x80] || down[general * 2 + 0x81];
        }
    };
    if (known) {
        s.delivered[code] = pressed;
    }
    update(true);
    // Raw input, where the program registered for the kind.
    std::array<RAWINPUT, 2> raw;
    const std::uint16_t usage = kind == WH_KEYBOARD_LL ? 6 : 2;
    const std::size_t raws =
        s.rawProcedure == nullptr ||
                std::find(s.rawUsages.begin(), s.rawUsages.end(), usage) == s.rawUsages.end()
            ? 0
            : rawEvents(kind, record, code, pressed, timing, raw);
    const DWORD made = static_cast<DWORD>(s.now) - timing.late;
    const bool apart = s.rawOrder == RawOrder::Independent;
    // (Raw events keep their order among themselves.)
    const bool first =
        s.rawOrder == RawOrder::BeforeHooks || (apart && timing.rawDelay < 0 && s.rawDue.empty());
    // Made first, the program takes it first, in the wait in which it takes the event.
    for (std::size_t i = 0; i < raws && first; ++i) {
        const MSG taken = keepRaw(raw[i], made);
        s.messageTime = made;
        s.rawProcedure(taken.hwnd, taken.message, taken.wParam, taken.lParam);
    }
    const bool called = hook != s.hooks.end() && !hook->second.dropped &&
                        (front == nullptr || !front->higherRights());
    LRESULT answer = called
                         ? hook->second.procedure(nCode, message, reinterpret_cast<LPARAM>(record))
                         : PassedOn;
    // An answer later than the system waits is no answer: the event has passed on, and the hook
    // may be removed for it.
    const DWORD waits = s.wine                ? 2000
                        : s.hooksTimeout == 0 ? (s.longWait ? 1000 : 300)
                                              : std::min<DWORD>(s.hooksTimeout, 1000);
    if (called && timing.late > waits) {
        answer = PassedOn;
        if (s.removedAt != 0 && ++hook->second.timeouts >= s.removedAt) {
            hook->second.dropped = true;
            s.removed |= kind == WH_MOUSE_LL ? 2 : 1;
        }
    }
    if (answer == PassedOn) {
        update(false);
    } else if (kind == WH_KEYBOARD_LL && s.keyStateAlways && known) {
        s.keyDown[code] = pressed;
    }
    // Made after, it waits in the queue for the program to take and dispatch it.
    for (std::size_t i = 0; i < raws && !first && (apart || answer == PassedOn); ++i) {
        const MSG queued = keepRaw(raw[i], made);
        if (apart && (timing.rawDelay > 0 || !s.rawDue.empty())) {
            s.rawDue.push_back({std::max(s.now - timing.late + timing.rawDelay,
                                         s.rawDue.empty() ? 0 : s.rawDue.back().due),
                                queued});
        } else {
            s.posted.push_back(queued);
        }
    }
    postDueRaws(); // made late, it may be due already
    return answer;
}

const char* hookName(int kind) {
    return kind == WH_MOUSE_LL ? "mouse" : "keyboard";
}

// The code a claim's name ends in, for the calls.
std::string codeOf(const std::u16string& name) {
    return {name.begin() + static_cast<std::ptrdiff_t>(name.rfind(u'.') + 1), name.end()};
}

} // namespace

LRESULT key(WPARAM message, DWORD vkCode, DWORD scanCode, DWORD flags, int nCode, Timing timing) {
    ++state().now; // no two presses or releases are made in one millisecond
    const KBDLLHOOKSTRUCT record{vkCode, scanCode, flags,
                                 static_cast<DWORD>(state().now) - timing.late, 0};
    return deliver(WH_KEYBOARD_LL, nCode, message, &record, vkCode,
                   message == WM_KEYDOWN || message == WM_SYSKEYDOWN, timing);
}

LRESULT mouse(WPARAM message, DWORD mouseData, DWORD flags, int nCode, Timing timing) {
    MSLLHOOKSTRUCT record{{100, 100}, mouseData, flags, 0, 0};
    const auto pair = (message - WM_LBUTTONDOWN) / 3; // left, right, middle, extra: 0 to 3
    unsigned code = message < WM_LBUTTONDOWN || message > WM_XBUTTONUP || message == WM_MOUSEWHEEL
                        ? 0
                        : std::array<unsigned, 4>{1, 2, 4, 4 + (mouseData >> 16)}[pair];
    // The system's key state knows the physical buttons.
    code = state().buttonsSwapped && (code == 1 || code == 2) ? 3 - code : code;
    state().now += code != 0 ? 1 : 0; // no two presses or releases are made in one millisecond
    record.time = static_cast<DWORD>(state().now) - timing.late;
    return deliver(WH_MOUSE_LL, nCode, message, &record, code,
                   message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
                       message == WM_MBUTTONDOWN || message == WM_XBUTTONDOWN,
                   timing);
}

bool tick() {
    if (state().timer != nullptr) {
        state().timer(1, 0, 0, 0, 0);
    }
    return state().timer != nullptr;
}

void wait(long long milliseconds) {
    auto& s = state();
    s.now += milliseconds;
    for (auto& timer : s.threadTimers) {
        if (timer.due <= s.now) {
            s.posted.push_back(
                MSG{nullptr, WM_TIMER, timer.id, 0, static_cast<DWORD>(s.now), {}, 0});
            timer.due += (s.now - timer.due) / timer.period * timer.period + timer.period;
        }
    }
    postDueRaws();
}

void stall(long long milliseconds) {
    state().now += milliseconds;
    postDueRaws();
}

void runThread() {
    auto& s = state();
    while (s.thread != nullptr && s.eventSet && !s.threadBlocked) {
        try {
            s.thread(s.threadParameter);
        } catch (const Parked&) {
        }
    }
}

} // namespace FakeDesktop

namespace DesktopPlatform {

using namespace FakeDesktop;

HHOOK SetWindowsHookExW(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD dwThreadId) {
    auto& s = state();
    // A low-level hook can only be global (ERROR_GLOBAL_ONLY_HOOK otherwise).
    const DWORD failure = dwThreadId != 0 ? 1429 : s.hookFailures[idHook];
    const bool refused = failure != 0;
    s.lastError = refused ? failure : s.lastError;
    s.calls.push_back(std::string("hook ") + hookName(idHook) + (refused ? " refused" : ""));
    if (refused) {
        return nullptr;
    }
    // Made-up handles, a new one each time.
    const auto handle = reinterpret_cast<HHOOK>(++s.hooksMade); // NOLINT(performance-no-int-to-ptr)
    s.hooks[idHook] = {lpfn, handle, false, 0};
    return handle;
}

// cppcheck-suppress constParameter ; the platform's signature
BOOL UnhookWindowsHookEx(HHOOK hhk) {
    auto& s = state();
    const auto hook = std::find_if(s.hooks.begin(), s.hooks.end(),
                                   [hhk](const auto& kind) { return kind.second.handle == hhk; });
    // A dropped hook is gone already: the platform refuses to remove it again.
    const bool removed = hook != s.hooks.end() && !hook->second.dropped;
    s.calls.push_back(std::string("unhook ") +
                      (hook == s.hooks.end() ? "?" : hookName(hook->first)) +
                      (removed ? "" : " refused"));
    if (hook != s.hooks.end()) {
        s.hooks.erase(hook);
    }
    return removed ? 1 : 0;
}

LRESULT CallNextHookEx(HHOOK, int, WPARAM, LPARAM) {
    return PassedOn;
}

BOOL GetMessageW(MSG* lpMsg, HWND, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    auto& s = state();
    if ((wMsgFilterMin | wMsgFilterMax) != 0) { // the report of the program's failure tells
        throw std::logic_error("only the wait for any message (0 to 0) is modelled");
    }
    do {
        s.whileWaiting();
    } while (s.posted.empty());
    *lpMsg = s.posted.front();
    s.posted.erase(s.posted.begin());
    s.messageTime = lpMsg->time;
    return 1;
}

LONG GetMessageTime() {
    return static_cast<LONG>(state().messageTime);
}

BOOL TranslateMessage(const MSG*) {
    return 0;
}

// Only the raw input window has a procedure to dispatch to; the test's busy message keeps the
// thread busy while the test goes on.
LRESULT DispatchMessageW(const MSG* lpMsg) {
    auto& s = state();
    if (lpMsg->hwnd == nullptr && lpMsg->message == 0 && lpMsg->lParam == BusyMessage) {
        s.whileBusy();
    }
    return lpMsg->hwnd == s.rawWindow && s.rawProcedure != nullptr
               ? s.rawProcedure(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam)
               : 0;
}

HWND GetForegroundWindow() {
    ++state().foregroundQueries;
    return state().foreground;
}

int GetClassNameW(HWND hWnd, WCHAR* lpClassName, int nMaxCount) {
    const Window* window = windowOf(hWnd);
    return window == nullptr ? 0 : copyText(window->className, lpClassName, nMaxCount);
}

int GetWindowTextW(HWND hWnd, WCHAR* lpString, int nMaxCount) {
    const Window* window = windowOf(hWnd);
    return window == nullptr ? 0 : copyText(window->title, lpString, nMaxCount);
}

BOOL GetCursorPos(POINT* lpPoint) {
    *lpPoint = {100, 100};
    return state().cursorReadable ? 1 : 0;
}

HWND WindowFromPoint(POINT Point) {
    return Point.x == 100 && Point.y == 100 ? state().atCursor : nullptr; // where the cursor is
}

// The root follows parents, the root owner parents and then owners.
HWND GetAncestor(HWND hwnd, UINT gaFlags) {
    for (const Window* window = windowOf(hwnd); window != nullptr; window = windowOf(hwnd)) {
        const HWND up = window->parent != nullptr                             ? window->parent
                        : gaFlags == GA_ROOTOWNER && window->owner != nullptr ? window->owner
                                                                              : nullptr;
        if (up == nullptr || (gaFlags != GA_ROOT && gaFlags != GA_ROOTOWNER)) {
            break;
        }
        hwnd = up;
    }
    return windowOf(hwnd) != nullptr ? hwnd : nullptr;
}

BOOL IsWindow(HWND hWnd) {
    const Window* window = windowOf(hWnd);
    return window != nullptr && !window->destroyed ? 1 : 0;
}

void ExitProcess(UINT uExitCode) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%X", uExitCode);
    state().calls.push_back(std::string("exit ") + code);
    throw Exited{};
}

BOOL IsWindowVisible(HWND hWnd) {
    const Window* window = windowOf(hWnd);
    return window != nullptr && window->visible ? 1 : 0;
}

HWND GetConsoleWindow() {
    return state().consoleWindow;
}

// cppcheck-suppress constParameter ; the platform's signature
UINT SendInput(UINT cInputs, INPUT* pInputs, int) {
    auto& s = state();
    for (UINT i = 0; i < cInputs && s.sentCount < s.sent.size(); ++i) {
        s.sent[s.sentCount++] = pInputs[i];
    }
    return cInputs;
}

int GetKeyNameTextW(LONG lParam, WCHAR* lpString, int cchSize) {
    const auto name = state().keyNames.find(lParam);
    return name == state().keyNames.end() ? 0 : copyText(name->second, lpString, cchSize);
}

UINT MapVirtualKeyW(UINT uCode, UINT uMapType) {
    const auto scan = state().scanCodes.find(uCode);
    return uMapType != MAPVK_VK_TO_VSC_EX || scan == state().scanCodes.end() ? 0 : scan->second;
}

// Refused (0) while a window of higher rights is in front, as Windows documents it. The bit that
// tells of a press since the last read is never set: nothing relies on it.
SHORT GetAsyncKeyState(int vKey) {
    auto& s = state();
    const Window* front = windowOf(s.foreground);
    if (vKey <= 0 || vKey >= 256 || (front != nullptr && front->higherRights())) {
        return 0;
    }
    return static_cast<SHORT>(s.keyDown[static_cast<std::size_t>(vKey)] ? 0x8000 : 0);
}

DWORD GetWindowThreadProcessId(HWND hWnd, DWORD* lpdwProcessId) {
    const Window* window = windowOf(hWnd);
    *lpdwProcessId = window == nullptr ? 0 : window->process;
    return window == nullptr ? 0 : 7;
}

DWORD GetCurrentProcessId() {
    return 0; // ours
}

bool processIntegrityLevel(DWORD processId, DWORD& level) {
    const auto window = std::find_if(state().windows.begin(), state().windows.end(),
                                     [&](const Window& w) { return w.process == processId; });
    level = processId == 0 ? 0x2000 : window != state().windows.end() ? window->integrity : 0;
    return level != 0;
}

int GetSystemMetrics(int nIndex) {
    return nIndex == SM_SWAPBUTTON && state().buttonsSwapped ? 1 : 0;
}

HWINEVENTHOOK SetWinEventHook(DWORD eventMin, DWORD eventMax, HINSTANCE,
                              WINEVENTPROC pfnWinEventProc, DWORD idProcess, DWORD idThread,
                              DWORD dwFlags) {
    const bool modelled = eventMin == EVENT_SYSTEM_FOREGROUND && eventMax == eventMin &&
                          idProcess == 0 && idThread == 0 && dwFlags == WINEVENT_OUTOFCONTEXT;
    state().foregroundChanged = modelled ? pfnWinEventProc : nullptr;
    return modelled ? reinterpret_cast<HWINEVENTHOOK>(9) : nullptr; // NOLINT: a made-up handle
}

// cppcheck-suppress constParameter ; the platform's signature
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, void* lpTimerFunc) {
    auto& s = state();
    s.calls.push_back("thread timer " + std::to_string(uElapse) + " ms" +
                      (s.threadTimerRefused ? " refused" : ""));
    if (hWnd != nullptr || nIDEvent != 0 || lpTimerFunc != nullptr || s.threadTimerRefused) {
        s.lastError = NotEnoughMemory; // only the thread timer is modelled
        return 0;
    }
    s.threadTimers.push_back({100 + s.threadTimers.size(), uElapse, s.now + uElapse});
    return s.threadTimers.back().id;
}

MMRESULT timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK fptc, DWORD_PTR, UINT) {
    auto& s = state();
    s.calls.push_back(
        "timer " + std::to_string(uDelay) + " ms" +
        (uResolution != 1 ? " at " + std::to_string(uResolution) + " ms resolution" : "") +
        (s.timerRefused ? " refused" : ""));
    s.timer = s.timerRefused ? nullptr : fptc;
    return s.timerRefused ? 0 : 1;
}

BOOL RegisterRawInputDevices(const RAWINPUTDEVICE* pRawInputDevices, UINT uiNumDevices, UINT) {
    auto& s = state();
    if (s.rawRefused) {
        s.calls.emplace_back("raw input refused");
        s.lastError = NotEnoughMemory;
        return 0;
    }
    std::string kinds;
    for (UINT i = 0; i < uiNumDevices; ++i) {
        const RAWINPUTDEVICE& device = pRawInputDevices[i];
        if (device.usUsagePage != 1 || device.dwFlags != RIDEV_INPUTSINK ||
            device.hwndTarget != s.rawWindow) { // only input to our window in the background
            return 0;
        }
        s.rawUsages.push_back(device.usUsage);
        kinds += device.usUsage == 6 ? " keyboard" : device.usUsage == 2 ? " mouse" : " ?";
    }
    s.calls.push_back("raw input" + kinds);
    return 1;
}

UINT GetRawInputData(HANDLE hRawInput, UINT uiCommand, void* pData, UINT* pcbSize,
                     UINT cbSizeHeader) {
    auto& s = state();
    const auto handle = reinterpret_cast<std::uintptr_t>(hRawInput);
    const bool made = handle >= 0x1000 && handle < 0x1000 + s.rawMade.size();
    if ((handle != 0x7A && !made) || uiCommand != RID_INPUT ||
        cbSizeHeader != sizeof(RAWINPUTHEADER) || *pcbSize < sizeof(RAWINPUT)) {
        return static_cast<UINT>(-1);
    }
    std::memcpy(pData, made ? &s.rawMade[handle - 0x1000] : &s.raw, sizeof(RAWINPUT));
    return *pcbSize = sizeof(RAWINPUT);
}

LRESULT DefWindowProcW(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

HWND createMessageWindow(WNDPROC procedure) {
    state().rawWindow = addWindow(u"VeltoMacroRawInput", u"");
    state().windows.back().visible = false;
    state().rawProcedure = procedure;
    // A raw event is queued within an event, which may not allocate.
    state().posted.reserve(64);
    state().rawDue.reserve(64);
    return state().rawWindow;
}

DWORD GetTickCount() {
    return static_cast<DWORD>(state().now);
}

bool runsUnderWine() {
    return state().wine;
}

bool lowLevelHooksTimeout(DWORD& milliseconds) {
    milliseconds = state().hooksTimeout;
    return milliseconds != 0;
}

DWORD GetLastError() {
    return state().lastError;
}

HANDLE GetCurrentThread() {
    return reinterpret_cast<HANDLE>(-2); // NOLINT(performance-no-int-to-ptr): the platform's own
}

// cppcheck-suppress constParameter ; the platform's signature
BOOL SetThreadPriority(HANDLE hThread, int nPriority) {
    state().calls.push_back((hThread == GetCurrentThread() ? "priority " : "priority of ? ") +
                            std::to_string(nPriority));
    return 1;
}

// A counter of 10 MHz ticks, as Windows' own, on a machine up for 30 days.
BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount) {
    lpPerformanceCount->QuadPart = (30LL * 86400 * 1000 + state().now) * 10000;
    return 1;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency) {
    lpFrequency->QuadPart = 10000000;
    return 1;
}

HANDLE CreateThread(void*, std::size_t, LPTHREAD_START_ROUTINE lpStartAddress, void* lpParameter,
                    DWORD, DWORD*) {
    state().calls.emplace_back(state().threadRefused ? "thread refused" : "thread");
    if (state().threadRefused) {
        state().lastError = NotEnoughMemory;
        return nullptr;
    }
    state().thread = lpStartAddress;
    state().threadParameter = lpParameter;
    return reinterpret_cast<HANDLE>(4); // NOLINT(performance-no-int-to-ptr)
}

HANDLE CreateMutexW(void*, BOOL, const WCHAR* lpName) {
    auto& s = state();
    const std::u16string name(lpName);
    auto& object = s.named[name];
    const bool existed = object.handles > 0;
    s.calls.push_back("claim " + codeOf(name) +
                      (!existed              ? ""
                       : object.refusal == 0 ? " taken"
                                             : " refused " + std::to_string(object.refusal)));
    if (existed && object.refusal != 0) {
        s.lastError = object.refusal;
        return nullptr;
    }
    object = {object.handles + 1, 0};
    s.lastError = existed ? ERROR_ALREADY_EXISTS : 0;
    s.opened.push_back(name);
    return reinterpret_cast<HANDLE>(15 + s.opened.size()); // NOLINT(performance-no-int-to-ptr)
}

BOOL CloseHandle(HANDLE hObject) {
    auto& s = state();
    const auto index = reinterpret_cast<std::uintptr_t>(hObject) - 16;
    if (index >= s.opened.size() || s.opened[index].empty()) {
        return 0;
    }
    const std::u16string name = std::exchange(s.opened[index], u"");
    s.calls.push_back("unclaim " + codeOf(name));
    --s.named[name].handles;
    return 1;
}

HANDLE CreateEventW(void*, BOOL bManualReset, BOOL bInitialState, const WCHAR*) {
    state().eventSet = bInitialState != 0;
    return bManualReset != 0 ? nullptr : reinterpret_cast<HANDLE>(3); // NOLINT: only auto-reset
}

// cppcheck-suppress constParameter ; the platform's signature
BOOL SetEvent(HANDLE hEvent) {
    state().eventSet |= hEvent == reinterpret_cast<HANDLE>(3); // NOLINT(performance-no-int-to-ptr)
    return 1;
}

DWORD WaitForSingleObject(HANDLE, DWORD) {
    if (!state().eventSet) {
        throw Parked{};
    }
    state().eventSet = false;
    return 0;
}

HANDLE GetStdHandle(DWORD nStdHandle) {
    return reinterpret_cast<HANDLE>(nStdHandle); // NOLINT(performance-no-int-to-ptr)
}

BOOL GetConsoleMode(HANDLE hConsoleHandle, DWORD* lpMode) {
    const auto handle = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(hConsoleHandle));
    *lpMode = 0;
    return state().consoles && (handle == STD_OUTPUT_HANDLE || handle == STD_ERROR_HANDLE);
}

UINT GetConsoleOutputCP() {
    return state().consoles ? state().codePage : 0;
}

BOOL SetConsoleOutputCP(UINT wCodePageID) {
    state().calls.push_back("console code page " + std::to_string(wCodePageID));
    state().codePage = state().consoles ? wCodePageID : state().codePage;
    return state().consoles;
}

BOOL SetConsoleCtrlHandler(PHANDLER_ROUTINE HandlerRoutine, BOOL Add) {
    auto& handler = state().ctrlHandler;
    handler = Add != 0 ? HandlerRoutine : handler == HandlerRoutine ? nullptr : handler;
    return 1;
}

// The system's texts, in the system's own language only.
DWORD FormatMessageA(DWORD dwFlags, const void*, DWORD dwMessageId, DWORD dwLanguageId,
                     char* lpBuffer, DWORD nSize, void*) {
    const auto text = state().systemTexts.find(dwMessageId);
    if ((dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || dwLanguageId != 0 ||
        text == state().systemTexts.end() || text->second.size() >= nSize) {
        return 0;
    }
    std::memcpy(lpBuffer, text->second.c_str(), text->second.size() + 1);
    return static_cast<DWORD>(text->second.size());
}

void ignorePowerThrottling() {
    state().calls.emplace_back("no power throttling");
}

} // namespace DesktopPlatform
