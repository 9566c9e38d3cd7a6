// The real desktop: each operation hands its arguments to the Windows function of the same name.
#include "desktop_platform.h"

// Taken before windows.h, whose macros of the same names would replace them.
namespace {
constexpr int SeamKeyboardHook = DesktopPlatform::WH_KEYBOARD_LL;
constexpr int SeamMouseHook = DesktopPlatform::WH_MOUSE_LL;
constexpr auto SeamMouseInput = DesktopPlatform::INPUT_MOUSE;
constexpr auto SeamWheelFlag = DesktopPlatform::MOUSEEVENTF_WHEEL;
constexpr int SeamWheelDelta = DesktopPlatform::WHEEL_DELTA;
constexpr auto SeamPeriodic = DesktopPlatform::TIME_PERIODIC;
constexpr auto SeamFromSystem = DesktopPlatform::FORMAT_MESSAGE_FROM_SYSTEM;
constexpr auto SeamIgnoreInserts = DesktopPlatform::FORMAT_MESSAGE_IGNORE_INSERTS;
constexpr auto SeamTimer = DesktopPlatform::WM_TIMER;
constexpr auto SeamExtended = DesktopPlatform::LLKHF_EXTENDED;
constexpr auto SeamInjected = DesktopPlatform::LLMHF_INJECTED;
constexpr auto SeamKeyInjected = DesktopPlatform::LLKHF_INJECTED;
constexpr auto SeamInput = DesktopPlatform::WM_INPUT;
constexpr auto SeamRawMouse = DesktopPlatform::RIM_TYPEMOUSE;
constexpr auto SeamRawKeyboard = DesktopPlatform::RIM_TYPEKEYBOARD;
constexpr auto SeamRawData = DesktopPlatform::RID_INPUT;
constexpr auto SeamInputSink = DesktopPlatform::RIDEV_INPUTSINK;
constexpr auto SeamKeyBreak = DesktopPlatform::RI_KEY_BREAK;
constexpr auto SeamKeyE0 = DesktopPlatform::RI_KEY_E0;
constexpr auto SeamKeyE1 = DesktopPlatform::RI_KEY_E1;
constexpr auto SeamForeground = DesktopPlatform::EVENT_SYSTEM_FOREGROUND;
constexpr auto SeamOutOfContext = DesktopPlatform::WINEVENT_OUTOFCONTEXT;
constexpr auto SeamUtf8 = DesktopPlatform::CP_UTF8;
constexpr auto SeamRoot = DesktopPlatform::GA_ROOT;
constexpr auto SeamRootOwner = DesktopPlatform::GA_ROOTOWNER;
constexpr auto SeamSwapButton = DesktopPlatform::SM_SWAPBUTTON;
constexpr auto SeamToScanCode = DesktopPlatform::MAPVK_VK_TO_VSC_EX;
constexpr auto SeamTimeCritical = DesktopPlatform::THREAD_PRIORITY_TIME_CRITICAL;
constexpr auto SeamStdOutput = DesktopPlatform::STD_OUTPUT_HANDLE;
constexpr auto SeamStdError = DesktopPlatform::STD_ERROR_HANDLE;
constexpr auto SeamInfinite = DesktopPlatform::INFINITE;
constexpr auto SeamAccessDenied = DesktopPlatform::ERROR_ACCESS_DENIED;
constexpr auto SeamAlreadyExists = DesktopPlatform::ERROR_ALREADY_EXISTS;
} // namespace

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h first: mmsystem.h relies on its types.
#include <cstddef>
#include <initializer_list>
#include <mmsystem.h>
#include <type_traits>

namespace {
const ::HWND MessageOnly = HWND_MESSAGE; // its macro names HWND, which the seam also has
} // namespace

namespace DesktopPlatform {
namespace {

template <typename Ours, typename Theirs> constexpr bool sameShape() {
    return sizeof(Ours) == sizeof(Theirs) && alignof(Ours) == alignof(Theirs);
}

static_assert(sameShape<MSG, ::MSG>());
static_assert(sameShape<POINT, ::POINT>());
static_assert(sameShape<KBDLLHOOKSTRUCT, ::KBDLLHOOKSTRUCT>());
static_assert(sameShape<MSLLHOOKSTRUCT, ::MSLLHOOKSTRUCT>());
static_assert(offsetof(MSLLHOOKSTRUCT, mouseData) == offsetof(::MSLLHOOKSTRUCT, mouseData));
static_assert(sameShape<INPUT, ::INPUT>());
static_assert(offsetof(INPUT, mi) == offsetof(::INPUT, mi));
static_assert(offsetof(MOUSEINPUT, mouseData) == offsetof(::MOUSEINPUT, mouseData));
static_assert(offsetof(MOUSEINPUT, dwFlags) == offsetof(::MOUSEINPUT, dwFlags));
static_assert(sizeof(WCHAR) == sizeof(::WCHAR));
static_assert(std::is_same_v<WPARAM, ::WPARAM> && std::is_same_v<LPARAM, ::LPARAM> &&
              std::is_same_v<LRESULT, ::LRESULT>);
static_assert(std::is_same_v<HOOKPROC, ::HOOKPROC>);
static_assert(std::is_same_v<LPTIMECALLBACK, ::LPTIMECALLBACK>);
static_assert(SeamKeyboardHook == WH_KEYBOARD_LL && SeamMouseHook == WH_MOUSE_LL);
static_assert(SeamWheelFlag == MOUSEEVENTF_WHEEL && SeamMouseInput == INPUT_MOUSE);
static_assert(SeamWheelDelta == WHEEL_DELTA && SeamPeriodic == TIME_PERIODIC);
static_assert(SeamFromSystem == FORMAT_MESSAGE_FROM_SYSTEM &&
              SeamIgnoreInserts == FORMAT_MESSAGE_IGNORE_INSERTS);
static_assert(SeamTimer == WM_TIMER && SeamExtended == LLKHF_EXTENDED &&
              SeamInjected == LLMHF_INJECTED && SeamUtf8 == CP_UTF8);
static_assert(SeamRoot == GA_ROOT && SeamRootOwner == GA_ROOTOWNER &&
              SeamSwapButton == SM_SWAPBUTTON && SeamToScanCode == MAPVK_VK_TO_VSC_EX &&
              SeamTimeCritical == THREAD_PRIORITY_TIME_CRITICAL);
static_assert(SeamStdOutput == STD_OUTPUT_HANDLE && SeamStdError == STD_ERROR_HANDLE &&
              SeamInfinite == INFINITE && SeamAccessDenied == ERROR_ACCESS_DENIED &&
              SeamAlreadyExists == ERROR_ALREADY_EXISTS);
static_assert(sameShape<LARGE_INTEGER, ::LARGE_INTEGER>());
static_assert(sameShape<RAWINPUT, ::RAWINPUT>() && sameShape<RAWINPUTHEADER, ::RAWINPUTHEADER>() &&
              sameShape<RAWINPUTDEVICE, ::RAWINPUTDEVICE>());
static_assert(offsetof(RAWINPUT, data.mouse.usButtonFlags) ==
                  offsetof(::RAWINPUT, data.mouse.usButtonFlags) &&
              offsetof(RAWINPUT, data.keyboard.VKey) == offsetof(::RAWINPUT, data.keyboard.VKey) &&
              offsetof(RAWINPUT, data.keyboard.Flags) == offsetof(::RAWINPUT, data.keyboard.Flags));
static_assert(SeamKeyInjected == LLKHF_INJECTED && SeamInput == WM_INPUT &&
              SeamRawMouse == RIM_TYPEMOUSE && SeamRawKeyboard == RIM_TYPEKEYBOARD &&
              SeamRawData == RID_INPUT && SeamInputSink == RIDEV_INPUTSINK &&
              SeamKeyBreak == RI_KEY_BREAK && SeamKeyE0 == RI_KEY_E0 && SeamKeyE1 == RI_KEY_E1 &&
              SeamForeground == EVENT_SYSTEM_FOREGROUND &&
              SeamOutOfContext == WINEVENT_OUTOFCONTEXT);
// Windows' DWORD is a long, ours a 32-bit int: the callbacks below differ in type only.
static_assert(sizeof(DWORD) == sizeof(::DWORD) && sizeof(BOOL) == sizeof(::BOOL));

::HWND native(HWND window) {
    return reinterpret_cast<::HWND>(window);
}
::HHOOK native(HHOOK hook) {
    return reinterpret_cast<::HHOOK>(hook);
}
const ::MSG* native(const MSG* message) {
    return reinterpret_cast<const ::MSG*>(message);
}
::HANDLE native(HANDLE object) {
    return reinterpret_cast<::HANDLE>(object);
}
HANDLE ours(::HANDLE object) {
    return reinterpret_cast<HANDLE>(object);
}

} // namespace

HHOOK SetWindowsHookExW(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId) {
    return reinterpret_cast<HHOOK>(
        ::SetWindowsHookExW(idHook, lpfn, reinterpret_cast<::HINSTANCE>(hmod), dwThreadId));
}

BOOL UnhookWindowsHookEx(HHOOK hhk) {
    return ::UnhookWindowsHookEx(native(hhk));
}

LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
    return ::CallNextHookEx(native(hhk), nCode, wParam, lParam);
}

BOOL GetMessageW(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    return ::GetMessageW(reinterpret_cast<::MSG*>(lpMsg), native(hWnd), wMsgFilterMin,
                         wMsgFilterMax);
}

BOOL TranslateMessage(const MSG* lpMsg) {
    return ::TranslateMessage(native(lpMsg));
}

LONG GetMessageTime() {
    return ::GetMessageTime();
}

LRESULT DispatchMessageW(const MSG* lpMsg) {
    return ::DispatchMessageW(native(lpMsg));
}

HWND GetForegroundWindow() {
    return reinterpret_cast<HWND>(::GetForegroundWindow());
}

int GetClassNameW(HWND hWnd, WCHAR* lpClassName, int nMaxCount) {
    return ::GetClassNameW(native(hWnd), reinterpret_cast<::WCHAR*>(lpClassName), nMaxCount);
}

int GetWindowTextW(HWND hWnd, WCHAR* lpString, int nMaxCount) {
    return ::GetWindowTextW(native(hWnd), reinterpret_cast<::WCHAR*>(lpString), nMaxCount);
}

BOOL GetCursorPos(POINT* lpPoint) {
    return ::GetCursorPos(reinterpret_cast<::POINT*>(lpPoint));
}

HWND WindowFromPoint(POINT Point) {
    return reinterpret_cast<HWND>(::WindowFromPoint(::POINT{Point.x, Point.y}));
}

UINT SendInput(UINT cInputs, INPUT* pInputs, int cbSize) {
    return ::SendInput(cInputs, reinterpret_cast<::INPUT*>(pInputs), cbSize);
}

int GetKeyNameTextW(LONG lParam, WCHAR* lpString, int cchSize) {
    return ::GetKeyNameTextW(lParam, reinterpret_cast<::WCHAR*>(lpString), cchSize);
}

UINT MapVirtualKeyW(UINT uCode, UINT uMapType) {
    return ::MapVirtualKeyW(uCode, uMapType);
}

HWND GetAncestor(HWND hwnd, UINT gaFlags) {
    return reinterpret_cast<HWND>(::GetAncestor(native(hwnd), gaFlags));
}

BOOL IsWindowVisible(HWND hWnd) {
    return ::IsWindowVisible(native(hWnd));
}

BOOL IsWindow(HWND hWnd) {
    return ::IsWindow(native(hWnd));
}

SHORT GetAsyncKeyState(int vKey) {
    return ::GetAsyncKeyState(vKey);
}

int GetSystemMetrics(int nIndex) {
    return ::GetSystemMetrics(nIndex);
}

DWORD GetWindowThreadProcessId(HWND hWnd, DWORD* lpdwProcessId) {
    return ::GetWindowThreadProcessId(native(hWnd), reinterpret_cast<::DWORD*>(lpdwProcessId));
}

HWINEVENTHOOK SetWinEventHook(DWORD eventMin, DWORD eventMax, HINSTANCE hmodWinEventProc,
                              WINEVENTPROC pfnWinEventProc, DWORD idProcess, DWORD idThread,
                              DWORD dwFlags) {
    // Windows' DWORD is a long: the procedure differs in type only.
    return reinterpret_cast<HWINEVENTHOOK>(::SetWinEventHook(
        eventMin, eventMax, reinterpret_cast<::HMODULE>(hmodWinEventProc),
        reinterpret_cast<::WINEVENTPROC>(reinterpret_cast<void (*)()>(pfnWinEventProc)), idProcess,
        idThread, dwFlags));
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, void* lpTimerFunc) {
    return ::SetTimer(native(hWnd), nIDEvent, uElapse, reinterpret_cast<::TIMERPROC>(lpTimerFunc));
}

BOOL RegisterRawInputDevices(const RAWINPUTDEVICE* pRawInputDevices, UINT uiNumDevices,
                             UINT cbSize) {
    return ::RegisterRawInputDevices(reinterpret_cast<const ::RAWINPUTDEVICE*>(pRawInputDevices),
                                     uiNumDevices, cbSize);
}

UINT GetRawInputData(HANDLE hRawInput, UINT uiCommand, void* pData, UINT* pcbSize,
                     UINT cbSizeHeader) {
    return ::GetRawInputData(reinterpret_cast<::HRAWINPUT>(hRawInput), uiCommand, pData, pcbSize,
                             cbSizeHeader);
}

LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(native(hWnd), Msg, wParam, lParam);
}

HWND createMessageWindow(WNDPROC procedure) {
    ::WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = reinterpret_cast<::WNDPROC>(reinterpret_cast<void (*)()>(procedure));
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VeltoMacroRawInput";
    if (::RegisterClassW(&windowClass) == 0) {
        return nullptr;
    }
    return reinterpret_cast<HWND>(::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0,
                                                    0, MessageOnly, nullptr, windowClass.hInstance,
                                                    nullptr));
}

MMRESULT timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK fptc, DWORD_PTR dwUser,
                      UINT fuEvent) {
    return ::timeSetEvent(uDelay, uResolution, fptc, dwUser, fuEvent);
}

DWORD GetLastError() {
    return ::GetLastError();
}

HANDLE GetCurrentThread() {
    return ours(::GetCurrentThread());
}

DWORD GetCurrentProcessId() {
    return ::GetCurrentProcessId();
}

DWORD GetTickCount() {
    return ::GetTickCount();
}

void ExitProcess(UINT uExitCode) {
    ::ExitProcess(uExitCode);
}

BOOL SetThreadPriority(HANDLE hThread, int nPriority) {
    return ::SetThreadPriority(native(hThread), nPriority);
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount) {
    return ::QueryPerformanceCounter(reinterpret_cast<::LARGE_INTEGER*>(lpPerformanceCount));
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency) {
    return ::QueryPerformanceFrequency(reinterpret_cast<::LARGE_INTEGER*>(lpFrequency));
}

HANDLE CreateThread(void* lpThreadAttributes, std::size_t dwStackSize,
                    LPTHREAD_START_ROUTINE lpStartAddress, void* lpParameter, DWORD dwCreationFlags,
                    DWORD* lpThreadId) {
    return ours(
        ::CreateThread(static_cast<::LPSECURITY_ATTRIBUTES>(lpThreadAttributes), dwStackSize,
                       reinterpret_cast<::LPTHREAD_START_ROUTINE>(lpStartAddress), lpParameter,
                       dwCreationFlags, reinterpret_cast<::DWORD*>(lpThreadId)));
}

HANDLE CreateMutexW(void* lpMutexAttributes, BOOL bInitialOwner, const WCHAR* lpName) {
    return ours(::CreateMutexW(static_cast<::LPSECURITY_ATTRIBUTES>(lpMutexAttributes),
                               bInitialOwner, reinterpret_cast<const ::WCHAR*>(lpName)));
}

BOOL CloseHandle(HANDLE hObject) {
    return ::CloseHandle(native(hObject));
}

HANDLE CreateEventW(void* lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                    const WCHAR* lpName) {
    return ours(::CreateEventW(static_cast<::LPSECURITY_ATTRIBUTES>(lpEventAttributes),
                               bManualReset, bInitialState,
                               reinterpret_cast<const ::WCHAR*>(lpName)));
}

BOOL SetEvent(HANDLE hEvent) {
    return ::SetEvent(native(hEvent));
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    return ::WaitForSingleObject(native(hHandle), dwMilliseconds);
}

HANDLE GetStdHandle(DWORD nStdHandle) {
    return ours(::GetStdHandle(nStdHandle));
}

BOOL GetConsoleMode(HANDLE hConsoleHandle, DWORD* lpMode) {
    return ::GetConsoleMode(native(hConsoleHandle), reinterpret_cast<::DWORD*>(lpMode));
}

HWND GetConsoleWindow() {
    return reinterpret_cast<HWND>(::GetConsoleWindow());
}

UINT GetConsoleOutputCP() {
    return ::GetConsoleOutputCP();
}

BOOL SetConsoleCtrlHandler(PHANDLER_ROUTINE HandlerRoutine, BOOL Add) {
    return ::SetConsoleCtrlHandler(reinterpret_cast<::PHANDLER_ROUTINE>(HandlerRoutine), Add);
}

BOOL SetConsoleOutputCP(UINT wCodePageID) {
    return ::SetConsoleOutputCP(wCodePageID);
}

DWORD FormatMessageA(DWORD dwFlags, const void* lpSource, DWORD dwMessageId, DWORD dwLanguageId,
                     char* lpBuffer, DWORD nSize, void* Arguments) {
    return ::FormatMessageA(dwFlags, lpSource, dwMessageId, dwLanguageId, lpBuffer, nSize,
                            static_cast<va_list*>(Arguments));
}

void ignorePowerThrottling() {
    // Looked up at run time: the function is missing before Windows 8, and the program must still
    // start there.
    struct ProcessPowerThrottlingState {
        ULONG Version;
        ULONG ControlMask;
        ULONG StateMask;
    };
    constexpr int ProcessPowerThrottlingClass = 4; // ProcessPowerThrottling
    constexpr ULONG CurrentVersion = 1;            // PROCESS_POWER_THROTTLING_CURRENT_VERSION
    constexpr ULONG ExecutionSpeed = 0x1;          // PROCESS_POWER_THROTTLING_EXECUTION_SPEED
    constexpr ULONG IgnoreTimerResolution = 0x4; // PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION
    using SetProcessInformationFunction = ::BOOL(WINAPI*)(::HANDLE, int, LPVOID, ::DWORD);

    const HMODULE kernel32 = ::GetModuleHandleW(L"kernel32.dll");
    if (kernel32 == nullptr) {
        return;
    }
    const auto setProcessInformation = reinterpret_cast<SetProcessInformationFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(kernel32, "SetProcessInformation")));
    if (setProcessInformation == nullptr) {
        return;
    }
    // Each flag controlled and left clear: never throttled. One request a flag, since a system
    // that does not know one of them refuses the whole request.
    for (const ULONG flag : {ExecutionSpeed, IgnoreTimerResolution}) {
        ProcessPowerThrottlingState state{CurrentVersion, flag, 0};
        setProcessInformation(::GetCurrentProcess(), ProcessPowerThrottlingClass, &state,
                              sizeof state);
    }
}

bool processIntegrityLevel(DWORD processId, DWORD& level) {
    const ::HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    ::HANDLE token = nullptr;
    if (process == nullptr) {
        return false;
    }
    const bool opened = ::OpenProcessToken(process, TOKEN_QUERY, &token) != 0;
    ::CloseHandle(process);
    // The label and its SID of one sub-authority: some 30 bytes.
    alignas(::TOKEN_MANDATORY_LABEL) unsigned char label[64];
    ::DWORD size = 0;
    const bool read = opened && ::GetTokenInformation(token, ::TokenIntegrityLevel, label,
                                                      sizeof label, &size) != 0;
    if (opened) {
        ::CloseHandle(token);
    }
    if (!read) {
        return false;
    }
    const ::PSID sid = reinterpret_cast<const ::TOKEN_MANDATORY_LABEL*>(label)->Label.Sid;
    level = *::GetSidSubAuthority(sid, *::GetSidSubAuthorityCount(sid) - 1U);
    return true;
}

bool runsUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool lowLevelHooksTimeout(DWORD& milliseconds) {
    ::DWORD value = 0, size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LowLevelHooksTimeout",
                       RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
        return false;
    }
    milliseconds = value;
    return true;
}

} // namespace DesktopPlatform
