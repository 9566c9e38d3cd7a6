#include "fake_desktop.h"

#include <algorithm>
#include <cstring>

namespace FakeDesktop {

State& state() {
    static State desktop;
    return desktop;
}

HWND addWindow(std::u16string className, std::u16string title) {
    state().windows.push_back({std::move(className), std::move(title)});
    // Made-up handles are what a fake desktop is for.
    return reinterpret_cast<HWND>(state().windows.size()); // NOLINT(performance-no-int-to-ptr)
}

namespace {

// Copies as the platform does: at most capacity - 1 characters, then a terminator.
int copyText(const std::u16string& text, WCHAR* buffer, int capacity) {
    const auto count = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.begin(), count, buffer)[0] = u'\0';
    return static_cast<int>(count);
}

// A window's class name or title; nothing for no window.
int windowText(HWND handle, std::u16string Window::*text, WCHAR* buffer, int capacity) {
    const auto index = reinterpret_cast<std::uintptr_t>(handle);
    const auto& windows = state().windows;
    return index >= 1 && index <= windows.size()
               ? copyText(windows[index - 1].*text, buffer, capacity)
               : 0;
}

LRESULT deliver(int kind, int nCode, WPARAM message, const void* record) {
    const auto hook = state().hooks.find(kind);
    return hook == state().hooks.end()
               ? PassedOn
               : hook->second(nCode, message, reinterpret_cast<LPARAM>(record));
}

std::string hookName(int kind) {
    return kind == WH_MOUSE_LL ? "mouse" : "keyboard";
}

} // namespace

LRESULT key(WPARAM message, DWORD vkCode, DWORD scanCode, DWORD flags, int nCode) {
    const KBDLLHOOKSTRUCT record{vkCode, scanCode, flags, 0, 0};
    return deliver(WH_KEYBOARD_LL, nCode, message, &record);
}

LRESULT mouse(WPARAM message, DWORD mouseData, int nCode) {
    const MSLLHOOKSTRUCT record{{100, 100}, mouseData, 0, 0, 0};
    return deliver(WH_MOUSE_LL, nCode, message, &record);
}

bool tick() {
    if (state().timer != nullptr) {
        state().timer(1, 0, 0, 0, 0);
    }
    return state().timer != nullptr;
}

} // namespace FakeDesktop

namespace DesktopPlatform {

using namespace FakeDesktop;

HHOOK SetWindowsHookExW(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD dwThreadId) {
    auto& s = state();
    const auto failure = s.hookFailures.find(idHook);
    // A low-level hook can only be global (ERROR_GLOBAL_ONLY_HOOK otherwise).
    const bool refused = failure != s.hookFailures.end() || dwThreadId != 0;
    s.lastError =
        refused ? (failure != s.hookFailures.end() ? failure->second : 1429) : s.lastError;
    s.calls.push_back("hook " + hookName(idHook) + (refused ? " refused" : ""));
    if (!refused) {
        s.hooks[idHook] = lpfn;
    }
    return refused ? nullptr
                   : reinterpret_cast<HHOOK>(static_cast<std::uintptr_t>(idHook)); // NOLINT
}

// cppcheck-suppress constParameter ; the platform's signature
BOOL UnhookWindowsHookEx(HHOOK hhk) {
    const auto kind = static_cast<int>(reinterpret_cast<std::uintptr_t>(hhk));
    const bool installed = state().hooks.erase(kind) == 1;
    if (installed) {
        state().calls.push_back("unhook " + hookName(kind));
    }
    return installed ? 1 : 0;
}

LRESULT CallNextHookEx(HHOOK, int, WPARAM, LPARAM) {
    return PassedOn;
}

BOOL GetMessageW(MSG* lpMsg, HWND, UINT, UINT) {
    auto& s = state();
    while (s.postedCount == 0) {
        s.whileWaiting();
    }
    *lpMsg = MSG{};
    lpMsg->message = s.posted[0];
    std::copy(s.posted.begin() + 1, s.posted.end(), s.posted.begin());
    --s.postedCount;
    return 1;
}

BOOL TranslateMessage(const MSG*) {
    return 0;
}

LRESULT DispatchMessageW(const MSG*) {
    return 0;
}

HWND GetForegroundWindow() {
    ++state().foregroundQueries;
    return state().foreground;
}

int GetClassNameW(HWND hWnd, WCHAR* lpClassName, int nMaxCount) {
    return windowText(hWnd, &Window::className, lpClassName, nMaxCount);
}

int GetWindowTextW(HWND hWnd, WCHAR* lpString, int nMaxCount) {
    return windowText(hWnd, &Window::title, lpString, nMaxCount);
}

BOOL GetCursorPos(POINT* lpPoint) {
    *lpPoint = {100, 100};
    return state().cursorReadable ? 1 : 0;
}

HWND WindowFromPoint(POINT Point) {
    return Point.x == 100 && Point.y == 100 ? state().atCursor : nullptr; // where the cursor is
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

BOOL PostThreadMessageW(DWORD idThread, UINT Msg, WPARAM, LPARAM) {
    auto& s = state();
    const bool queued = idThread == GetCurrentThreadId() && s.postedCount < s.posted.size();
    if (queued) {
        s.posted[s.postedCount++] = Msg;
    }
    return queued ? 1 : 0;
}

DWORD GetCurrentThreadId() {
    return 7;
}

BOOL SetConsoleOutputCP(UINT wCodePageID) {
    state().calls.push_back("console code page " + std::to_string(wCodePageID));
    return 1;
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

DWORD GetLastError() {
    return state().lastError;
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

void ignoreTimerResolutionThrottling() {
    state().calls.emplace_back("full timer resolution");
}

} // namespace DesktopPlatform
