#include "fake_desktop.h"

#include <algorithm>
#include <cstring>

namespace FakeDesktop {

namespace {

State current;

// Copies as the platform does: at most capacity - 1 characters, then a terminator.
int copyText(const std::u16string& text, WCHAR* buffer, int capacity) {
    const auto count = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = u'\0';
    return static_cast<int>(count);
}

// The class name or the title of a window, 0 characters when there is no such window.
int windowText(HWND handle, std::u16string Window::*text, WCHAR* buffer, int capacity) {
    const auto index = reinterpret_cast<std::uintptr_t>(handle);
    return index >= 1 && index <= current.windows.size()
               ? copyText(current.windows[index - 1].*text, buffer, capacity)
               : 0;
}

const char* hookName(int kind) {
    return kind == WH_MOUSE_LL ? "mouse" : "keyboard";
}

LRESULT deliver(int kind, int nCode, WPARAM message, const void* record) {
    const auto hook = current.hooks.find(kind);
    return hook == current.hooks.end()
               ? PassedOn
               : hook->second(nCode, message, reinterpret_cast<LPARAM>(record));
}

} // namespace

State& state() {
    return current;
}

void reset() {
    current = State{};
}

HWND addWindow(std::u16string className, std::u16string title) {
    current.windows.push_back({std::move(className), std::move(title)});
    // Made-up handles are what a fake desktop is for.
    return reinterpret_cast<HWND>(current.windows.size()); // NOLINT(performance-no-int-to-ptr)
}

LRESULT key(WPARAM message, DWORD vkCode, DWORD scanCode, DWORD flags, int nCode) {
    const KBDLLHOOKSTRUCT record{vkCode, scanCode, flags, 0, 0};
    return deliver(WH_KEYBOARD_LL, nCode, message, &record);
}

LRESULT mouse(WPARAM message, DWORD mouseData, int nCode) {
    const MSLLHOOKSTRUCT record{{100, 100}, mouseData, 0, 0, 0};
    return deliver(WH_MOUSE_LL, nCode, message, &record);
}

bool tick() {
    if (current.timer != nullptr) {
        current.timer(1, 0, 0, 0, 0);
    }
    return current.timer != nullptr;
}

} // namespace FakeDesktop

namespace DesktopPlatform {

using FakeDesktop::state;

HHOOK SetWindowsHookExW(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD dwThreadId) {
    auto& s = state();
    s.calls.push_back(std::string("hook ") + FakeDesktop::hookName(idHook));
    const auto failure = s.hookFailures.find(idHook);
    if (failure != s.hookFailures.end() || dwThreadId != 0) {
        // Low-level hooks can only be global (ERROR_GLOBAL_ONLY_HOOK).
        s.lastError = failure != s.hookFailures.end() ? failure->second : 1429;
        s.calls.back() += " refused";
        return nullptr;
    }
    s.hooks[idHook] = lpfn;
    return reinterpret_cast<HHOOK>(static_cast<std::uintptr_t>(idHook)); // NOLINT
}

// cppcheck-suppress constParameter ; the platform's signature
BOOL UnhookWindowsHookEx(HHOOK hhk) {
    const auto kind = static_cast<int>(reinterpret_cast<std::uintptr_t>(hhk));
    if (state().hooks.erase(kind) == 0) {
        return 0;
    }
    state().calls.push_back(std::string("unhook ") + FakeDesktop::hookName(kind));
    return 1;
}

LRESULT CallNextHookEx(HHOOK, int, WPARAM, LPARAM) {
    return FakeDesktop::PassedOn;
}

BOOL GetMessageW(MSG* lpMsg, HWND, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    auto& s = state();
    for (;;) {
        *lpMsg = MSG{};
        BOOL result = 1;
        if (s.postedCount > 0) {
            lpMsg->message = s.posted[0];
            std::copy(s.posted.begin() + 1, s.posted.end(), s.posted.begin());
            --s.postedCount;
        } else {
            result = s.nextMessage(*lpMsg);
        }
        const bool unfiltered = wMsgFilterMin == 0 && wMsgFilterMax == 0;
        if (result == FakeDesktop::KeepWaiting) {
            continue;
        }
        if (result == -1 || unfiltered ||
            (lpMsg->message >= wMsgFilterMin && lpMsg->message <= wMsgFilterMax)) {
            return result;
        }
    }
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
    ++state().windowQueries;
    return state().foreground;
}

int GetClassNameW(HWND hWnd, WCHAR* lpClassName, int nMaxCount) {
    return FakeDesktop::windowText(hWnd, &FakeDesktop::Window::className, lpClassName, nMaxCount);
}

int GetWindowTextW(HWND hWnd, WCHAR* lpString, int nMaxCount) {
    return FakeDesktop::windowText(hWnd, &FakeDesktop::Window::title, lpString, nMaxCount);
}

BOOL GetCursorPos(POINT* lpPoint) {
    *lpPoint = {100, 100};
    return state().cursorReadable ? 1 : 0;
}

HWND WindowFromPoint(POINT Point) {
    // The cursor is always at (100, 100); only there is the answer known.
    return Point.x == 100 && Point.y == 100 ? state().atCursor : nullptr;
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
    return name == state().keyNames.end() ? 0
                                          : FakeDesktop::copyText(name->second, lpString, cchSize);
}

BOOL PostThreadMessageW(DWORD idThread, UINT Msg, WPARAM, LPARAM) {
    auto& s = state();
    if (idThread != GetCurrentThreadId() || s.postedCount == s.posted.size()) {
        return 0;
    }
    s.posted[s.postedCount++] = Msg;
    return 1;
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
    s.calls.push_back("timer " + std::to_string(uDelay) + " ms");
    if (uResolution != 1) {
        s.calls.back() += " at " + std::to_string(uResolution) + " ms resolution";
    }
    if (s.timerRefused) {
        s.calls.back() += " refused";
        return 0;
    }
    s.timer = fptc;
    return 1;
}

DWORD GetLastError() {
    return state().lastError;
}

// The system's texts, in the system's own language only.
DWORD FormatMessageA(DWORD dwFlags, const void*, DWORD dwMessageId, DWORD dwLanguageId,
                     char* lpBuffer, DWORD nSize, void*) {
    const auto found = state().systemTexts.find(dwMessageId);
    if ((dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || dwLanguageId != 0 ||
        found == state().systemTexts.end() || found->second.size() >= nSize) {
        return 0;
    }
    std::memcpy(lpBuffer, found->second.c_str(), found->second.size() + 1);
    return static_cast<DWORD>(found->second.size());
}

void ignoreTimerResolutionThrottling() {
    state().calls.emplace_back("full timer resolution");
}

} // namespace DesktopPlatform
