#pragma once

// The Windows operations and types the program uses, under their own names. The logic includes
// only this header; which definitions it gets is chosen at link time: the real Windows ones in
// the program, an in-memory desktop in the tests. No virtual call stands on the input path.

#include <cstddef>
#include <cstdint>

namespace DesktopPlatform {

using BOOL = int;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using WCHAR = char16_t; // 16-bit on every platform, as on Windows
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using MMRESULT = UINT;

struct OpaqueWindow;
using HWND = OpaqueWindow*;
struct OpaqueHook;
using HHOOK = OpaqueHook*;
struct OpaqueModule;
using HINSTANCE = OpaqueModule*;
struct OpaqueObject;
using HANDLE = OpaqueObject*;
struct OpaqueEventHook;
using HWINEVENTHOOK = OpaqueEventHook*;
using SHORT = std::int16_t;
using LONGLONG = std::int64_t;
using UINT_PTR = std::uintptr_t;

struct POINT {
    LONG x;
    LONG y;
};

// Opaque to the logic; laid out as the platform's so that it can be handed through.
struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
    DWORD lPrivate;
};

union LARGE_INTEGER {
    LONGLONG QuadPart;
};

struct KBDLLHOOKSTRUCT {
    DWORD vkCode;
    DWORD scanCode;
    DWORD flags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
};

struct MSLLHOOKSTRUCT {
    POINT pt;
    DWORD mouseData;
    DWORD flags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
};

struct MOUSEINPUT {
    LONG dx;
    LONG dy;
    DWORD mouseData;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
};

struct KEYBDINPUT {
    std::uint16_t wVk;
    std::uint16_t wScan;
    DWORD dwFlags;
    DWORD time;
    ULONG_PTR dwExtraInfo;
};

struct HARDWAREINPUT {
    DWORD uMsg;
    std::uint16_t wParamL;
    std::uint16_t wParamH;
};

struct RAWINPUTHEADER {
    DWORD dwType;
    DWORD dwSize;
    HANDLE hDevice;
    WPARAM wParam;
};

struct RAWMOUSE {
    std::uint16_t usFlags;
    std::uint16_t padding; // the platform's union with ulButtons is aligned as a ULONG
    std::uint16_t usButtonFlags;
    std::uint16_t usButtonData;
    DWORD ulRawButtons;
    LONG lLastX;
    LONG lLastY;
    DWORD ulExtraInformation;
};

struct RAWKEYBOARD {
    std::uint16_t MakeCode;
    std::uint16_t Flags;
    std::uint16_t Reserved;
    std::uint16_t VKey;
    UINT Message;
    DWORD ExtraInformation;
};

struct RAWINPUT {
    RAWINPUTHEADER header;
    union {
        RAWMOUSE mouse;
        RAWKEYBOARD keyboard;
    } data;
};

struct RAWINPUTDEVICE {
    std::uint16_t usUsagePage;
    std::uint16_t usUsage;
    DWORD dwFlags;
    HWND hwndTarget;
};

struct INPUT {
    DWORD type;
    union {
        MOUSEINPUT mi;
        KEYBDINPUT ki;
        HARDWAREINPUT hi;
    };
};

using HOOKPROC = LRESULT (*)(int nCode, WPARAM wParam, LPARAM lParam);
using WNDPROC = LRESULT (*)(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
using LPTIMECALLBACK = void (*)(UINT uTimerID, UINT uMsg, DWORD_PTR dwUser, DWORD_PTR dw1,
                                DWORD_PTR dw2);
using LPTHREAD_START_ROUTINE = DWORD (*)(void* lpThreadParameter);
using PHANDLER_ROUTINE = BOOL (*)(DWORD CtrlType);
using WINEVENTPROC = void (*)(HWINEVENTHOOK hWinEventHook, DWORD event, HWND hwnd, LONG idObject,
                              LONG idChild, DWORD idEventThread, DWORD dwmsEventTime);

inline constexpr int WH_KEYBOARD_LL = 13;
inline constexpr int WH_MOUSE_LL = 14;
inline constexpr UINT TIME_PERIODIC = 1;
inline constexpr WPARAM WM_KEYDOWN = 0x0100;
inline constexpr WPARAM WM_KEYUP = 0x0101;
inline constexpr WPARAM WM_SYSKEYDOWN = 0x0104;
inline constexpr WPARAM WM_SYSKEYUP = 0x0105;
inline constexpr WPARAM WM_MOUSEMOVE = 0x0200;
inline constexpr WPARAM WM_LBUTTONDOWN = 0x0201;
inline constexpr WPARAM WM_LBUTTONUP = 0x0202;
inline constexpr WPARAM WM_LBUTTONDBLCLK = 0x0203;
inline constexpr WPARAM WM_RBUTTONDOWN = 0x0204;
inline constexpr WPARAM WM_RBUTTONUP = 0x0205;
inline constexpr WPARAM WM_MBUTTONDOWN = 0x0207;
inline constexpr WPARAM WM_MBUTTONUP = 0x0208;
inline constexpr WPARAM WM_MOUSEWHEEL = 0x020A;
inline constexpr WPARAM WM_XBUTTONDOWN = 0x020B;
inline constexpr WPARAM WM_XBUTTONUP = 0x020C;
inline constexpr WPARAM WM_MOUSEHWHEEL = 0x020E;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_INPUT = 0x00FF;
inline constexpr DWORD RIM_TYPEMOUSE = 0;
inline constexpr DWORD RIM_TYPEKEYBOARD = 1;
inline constexpr UINT RID_INPUT = 0x10000003;
inline constexpr DWORD RIDEV_INPUTSINK = 0x100;
inline constexpr std::uint16_t RI_KEY_BREAK = 1;
inline constexpr std::uint16_t RI_KEY_E0 = 2;
inline constexpr std::uint16_t RI_KEY_E1 = 4;
inline constexpr DWORD LLKHF_INJECTED = 0x10;
inline constexpr DWORD LLKHF_EXTENDED = 0x01;
inline constexpr DWORD LLMHF_INJECTED = 0x01;
inline constexpr DWORD EVENT_SYSTEM_FOREGROUND = 3;
inline constexpr DWORD WINEVENT_OUTOFCONTEXT = 0;
inline constexpr UINT CP_UTF8 = 65001;
inline constexpr UINT GA_ROOT = 2;
inline constexpr UINT GA_ROOTOWNER = 3;
inline constexpr int SM_SWAPBUTTON = 23;
inline constexpr UINT MAPVK_VK_TO_VSC_EX = 4;
inline constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;
inline constexpr DWORD STD_OUTPUT_HANDLE = static_cast<DWORD>(-11);
inline constexpr DWORD STD_ERROR_HANDLE = static_cast<DWORD>(-12);
inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_ALREADY_EXISTS = 183;
inline constexpr DWORD INPUT_MOUSE = 0;
inline constexpr DWORD MOUSEEVENTF_WHEEL = 0x0800;
inline constexpr int WHEEL_DELTA = 120;
inline constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x0200;
inline constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x1000;

// USER32
HHOOK SetWindowsHookExW(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId);
BOOL UnhookWindowsHookEx(HHOOK hhk);
LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);
BOOL GetMessageW(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
BOOL TranslateMessage(const MSG* lpMsg);
// When the message last taken was made (GetTickCount's clock): for raw input, when the input was.
LONG GetMessageTime();
LRESULT DispatchMessageW(const MSG* lpMsg);
HWND GetForegroundWindow();
int GetClassNameW(HWND hWnd, WCHAR* lpClassName, int nMaxCount);
int GetWindowTextW(HWND hWnd, WCHAR* lpString, int nMaxCount);
BOOL GetCursorPos(POINT* lpPoint);
HWND WindowFromPoint(POINT Point);
UINT SendInput(UINT cInputs, INPUT* pInputs, int cbSize);
int GetKeyNameTextW(LONG lParam, WCHAR* lpString, int cchSize);
UINT MapVirtualKeyW(UINT uCode, UINT uMapType);
HWND GetAncestor(HWND hwnd, UINT gaFlags);
BOOL IsWindowVisible(HWND hWnd);
BOOL IsWindow(HWND hWnd);
SHORT GetAsyncKeyState(int vKey);
int GetSystemMetrics(int nIndex);
DWORD GetWindowThreadProcessId(HWND hWnd, DWORD* lpdwProcessId);
// Out of context: the procedure is called on this thread, from within its message wait.
HWINEVENTHOOK SetWinEventHook(DWORD eventMin, DWORD eventMax, HINSTANCE hmodWinEventProc,
                              WINEVENTPROC pfnWinEventProc, DWORD idProcess, DWORD idThread,
                              DWORD dwFlags);
// A thread timer (no window, no procedure): WM_TIMER messages with the timer's id as wParam.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, void* lpTimerFunc);

// Raw input, and the message-only window it is delivered to.
BOOL RegisterRawInputDevices(const RAWINPUTDEVICE* pRawInputDevices, UINT uiNumDevices,
                             UINT cbSize);
UINT GetRawInputData(HANDLE hRawInput, UINT uiCommand, void* pData, UINT* pcbSize,
                     UINT cbSizeHeader);
LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// A message-only window of a class of its own with this procedure (RegisterClassW, then
// CreateWindowExW with HWND_MESSAGE as the parent); null where either is refused.
HWND createMessageWindow(WNDPROC procedure);

// WINMM
MMRESULT timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK fptc, DWORD_PTR dwUser,
                      UINT fuEvent);

// KERNEL32
DWORD GetLastError();
HANDLE GetCurrentThread();
DWORD GetCurrentProcessId();
DWORD GetTickCount();
[[noreturn]] void ExitProcess(UINT uExitCode);
BOOL SetThreadPriority(HANDLE hThread, int nPriority);
BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency);
// The attributes and the thread id are always null.
HANDLE CreateThread(void* lpThreadAttributes, std::size_t dwStackSize,
                    LPTHREAD_START_ROUTINE lpStartAddress, void* lpParameter, DWORD dwCreationFlags,
                    DWORD* lpThreadId);
// The attributes are always null. A named mutex is the session's while any process has it open:
// where it exists already, the last error is ERROR_ALREADY_EXISTS; where it exists with rights we
// lack, the result is null and the last error ERROR_ACCESS_DENIED.
HANDLE CreateMutexW(void* lpMutexAttributes, BOOL bInitialOwner, const WCHAR* lpName);
BOOL CloseHandle(HANDLE hObject);
// The attributes and the name are always null.
HANDLE CreateEventW(void* lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                    const WCHAR* lpName);
BOOL SetEvent(HANDLE hEvent);
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
HANDLE GetStdHandle(DWORD nStdHandle);
BOOL GetConsoleMode(HANDLE hConsoleHandle, DWORD* lpMode);
HWND GetConsoleWindow();
UINT GetConsoleOutputCP();
BOOL SetConsoleOutputCP(UINT wCodePageID);
BOOL SetConsoleCtrlHandler(PHANDLER_ROUTINE HandlerRoutine, BOOL Add);
// Arguments is the platform's va_list pointer; only null is ever passed.
DWORD FormatMessageA(DWORD dwFlags, const void* lpSource, DWORD dwMessageId, DWORD dwLanguageId,
                     char* lpBuffer, DWORD nSize, void* Arguments);

// Asks that the process be neither slowed down (EcoQoS) nor its timer resolution coarsened while
// it has no visible window in front (SetProcessInformation with ProcessPowerThrottling). Best
// effort: systems that do not know a request refuse it, and the refusal is ignored.
void ignorePowerThrottling();

// The integrity level of a process (the last sub-authority of its token's mandatory label: 0x2000
// medium, 0x3000 high); false where the process or its token may not be read (OpenProcess,
// OpenProcessToken and GetTokenInformation with TokenIntegrityLevel).
bool processIntegrityLevel(DWORD processId, DWORD& level);

// Whether the system is Wine (its ntdll exports wine_get_version), which waits for a low-level hook
// 2 s whatever is set.
bool runsUnderWine();

// The low-level hooks' time-out the user set (LowLevelHooksTimeout under HKEY_CURRENT_USER\Control
// Panel\Desktop, a DWORD of milliseconds); false where none is set.
bool lowLevelHooksTimeout(DWORD& milliseconds);

} // namespace DesktopPlatform
