#include "fake_desktop.h"

#include <algorithm>
#include <cstring>

namespace FakeDesktop {

State& state() {
    static State instance;
    return instance;
}

void reset() {
    State& s = state();
    s.windows.clear();
    s.foreground = nullptr;
    s.atCursor = nullptr;
    s.cursor = {100, 100};
    s.cursorReadable = true;
    s.hookFailures.clear();
    s.timerResult.reset();
    s.lastError = 0;
    s.systemTexts = {{5, "Access is denied.\r\n"},
                     {1428, "Cannot set nonlocal hook without a module handle. \t\r\n"}};
    s.hooks.clear();
    s.timers.clear();
    s.calls.clear();
    s.script.clear();
    s.nextStep = 0;
    s.translated = 0;
    s.dispatched = 0;
    s.foregroundQueries = 0;
    s.passedOn = 0;
    s.lastNextHookHandle = nullptr;
    s.sent.clear();
    s.feedInjectedInputToHooks = false;
    s.injectedSwallowed = 0;
}

HWND addWindow(std::u16string className, std::u16string title, HWND parent) {
    State& s = state();
    s.windows.push_back({std::move(className), std::move(title), parent});
    // Made-up handles are what a fake desktop is for.
    return reinterpret_cast<HWND>(s.windows.size()); // NOLINT(performance-no-int-to-ptr)
}

void focus(HWND window, HWND under) {
    state().foreground = window;
    state().atCursor = under;
}

namespace {

const Window* find(HWND handle) {
    const auto index = reinterpret_cast<std::uintptr_t>(handle);
    const State& s = state();
    return index >= 1 && index <= s.windows.size() ? &s.windows[index - 1] : nullptr;
}

const Hook* installed(int kind) {
    const auto& hooks = state().hooks;
    const auto found = std::find_if(hooks.rbegin(), hooks.rend(), [kind](const Hook& hook) {
        return hook.kind == kind && !hook.released;
    });
    return found == hooks.rend() ? nullptr : &*found;
}

// Copies like the platform: at most capacity - 1 characters and a terminator.
int copyText(const std::u16string& text, WCHAR* buffer, int capacity) {
    if (capacity <= 0) {
        return 0;
    }
    const auto count = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = u'\0';
    return static_cast<int>(count);
}

const char* hookName(int kind) {
    return kind == WH_MOUSE_LL ? "mouse" : "keyboard";
}

} // namespace

LRESULT key(DWORD vkCode, WPARAM message) {
    const Hook* hook = installed(WH_KEYBOARD_LL);
    if (hook == nullptr) {
        return PassedOn;
    }
    KBDLLHOOKSTRUCT event{vkCode, 0, 0, 0, 0};
    return hook->procedure(0, message, reinterpret_cast<LPARAM>(&event));
}

LRESULT mouse(WPARAM message, DWORD mouseData) {
    const Hook* hook = installed(WH_MOUSE_LL);
    if (hook == nullptr) {
        return PassedOn;
    }
    MSLLHOOKSTRUCT event{state().cursor, mouseData, 0, 0, 0};
    return hook->procedure(0, message, reinterpret_cast<LPARAM>(&event));
}

void tick() {
    const Timer& timer = state().timers.at(0);
    timer.callback(1, 0, timer.user, 0, 0);
}

std::vector<INPUT> sentInputs() {
    const std::lock_guard lock(state().sentLock);
    return state().sent;
}

std::vector<std::int32_t> sentWheelAmounts() {
    const std::vector<INPUT> sent = sentInputs();
    std::vector<std::int32_t> amounts(sent.size());
    std::transform(sent.begin(), sent.end(), amounts.begin(), [](const INPUT& input) {
        return static_cast<std::int32_t>(input.mi.mouseData);
    });
    return amounts;
}

} // namespace FakeDesktop

namespace DesktopPlatform {

using FakeDesktop::state;

HHOOK SetWindowsHookExW(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD) {
    auto& s = state();
    s.calls.push_back(std::string("SetWindowsHookExW ") + FakeDesktop::hookName(idHook));
    if (const auto failure = s.hookFailures.find(idHook); failure != s.hookFailures.end()) {
        s.lastError = failure->second;
        return nullptr;
    }
    const auto handle =
        reinterpret_cast<HHOOK>(0x1000 + s.hooks.size()); // NOLINT(performance-no-int-to-ptr)
    s.hooks.push_back({idHook, lpfn, handle});
    return handle;
}

// cppcheck-suppress constParameter ; the platform's signature
BOOL UnhookWindowsHookEx(HHOOK hhk) {
    auto& hooks = state().hooks;
    const auto hook = std::find_if(hooks.begin(), hooks.end(), [hhk](const FakeDesktop::Hook& h) {
        return h.handle == hhk && !h.released;
    });
    if (hook == hooks.end()) {
        return 0;
    }
    hook->released = true;
    state().calls.push_back(std::string("UnhookWindowsHookEx ") +
                            FakeDesktop::hookName(hook->kind));
    return 1;
}

LRESULT CallNextHookEx(HHOOK hhk, int, WPARAM, LPARAM) {
    state().lastNextHookHandle = hhk;
    ++state().passedOn;
    return FakeDesktop::PassedOn;
}

BOOL GetMessageW(MSG* lpMsg, HWND, UINT, UINT) {
    auto& s = state();
    if (s.nextStep == s.script.size()) {
        throw FakeDesktop::ScriptEnded{};
    }
    const FakeDesktop::MessageStep& step = s.script[s.nextStep++];
    if (step.during) {
        step.during();
    }
    *lpMsg = MSG{};
    lpMsg->message = step.message;
    return step.result;
}

BOOL TranslateMessage(const MSG*) {
    ++state().translated;
    return 0;
}

LRESULT DispatchMessageW(const MSG*) {
    ++state().dispatched;
    return 0;
}

HWND GetForegroundWindow() {
    ++state().foregroundQueries;
    return state().foreground;
}

int GetClassNameW(HWND hWnd, WCHAR* lpClassName, int nMaxCount) {
    const FakeDesktop::Window* window = FakeDesktop::find(hWnd);
    return window == nullptr ? 0 : FakeDesktop::copyText(window->className, lpClassName, nMaxCount);
}

int GetWindowTextW(HWND hWnd, WCHAR* lpString, int nMaxCount) {
    const FakeDesktop::Window* window = FakeDesktop::find(hWnd);
    return window == nullptr ? 0 : FakeDesktop::copyText(window->title, lpString, nMaxCount);
}

BOOL GetCursorPos(POINT* lpPoint) {
    if (!state().cursorReadable) {
        return 0;
    }
    *lpPoint = state().cursor;
    return 1;
}

HWND WindowFromPoint(POINT Point) {
    const POINT cursor = state().cursor;
    // Only the cursor's own position has a known answer.
    return Point.x == cursor.x && Point.y == cursor.y ? state().atCursor.load() : nullptr;
}

UINT SendInput(UINT cInputs, INPUT* pInputs, int cbSize) {
    auto& s = state();
    if (cbSize != static_cast<int>(sizeof(INPUT))) {
        return 0;
    }
    {
        const std::lock_guard lock(s.sentLock);
        s.sent.insert(s.sent.end(), pInputs, pInputs + cInputs);
    }
    // Injected wheel input comes back through the mouse hook like any other input.
    if (s.feedInjectedInputToHooks) {
        for (UINT i = 0; i < cInputs; ++i) {
            if (pInputs[i].type == INPUT_MOUSE && (pInputs[i].mi.dwFlags & MOUSEEVENTF_WHEEL)) {
                if (FakeDesktop::mouse(WM_MOUSEWHEEL, pInputs[i].mi.mouseData << 16) !=
                    FakeDesktop::PassedOn) {
                    ++s.injectedSwallowed;
                }
            }
        }
    }
    return cInputs;
}

MMRESULT timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK fptc, DWORD_PTR dwUser,
                      UINT fuEvent) {
    auto& s = state();
    s.calls.push_back("timeSetEvent " + std::to_string(uDelay));
    if (s.timerResult) {
        return *s.timerResult;
    }
    s.timers.push_back({uDelay, uResolution, fptc, dwUser, fuEvent});
    return static_cast<MMRESULT>(s.timers.size());
}

DWORD GetLastError() {
    return state().lastError;
}

DWORD FormatMessageA(DWORD, const void*, DWORD dwMessageId, DWORD, char* lpBuffer, DWORD nSize,
                     void*) {
    const auto found = state().systemTexts.find(dwMessageId);
    if (found == state().systemTexts.end() || found->second.size() >= nSize) {
        return 0;
    }
    std::memcpy(lpBuffer, found->second.c_str(), found->second.size() + 1);
    return static_cast<DWORD>(found->second.size());
}

void ignoreTimerResolutionThrottling() {
    state().calls.emplace_back("ignoreTimerResolutionThrottling");
}

} // namespace DesktopPlatform
