#pragma once

// The Windows operations and types the program uses, under their own names. The logic includes
// only this header; which definitions it gets is chosen at link time: the real Windows ones in
// the program, an in-memory desktop in the tests. No virtual call stands on the input path.

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

struct INPUT {
    DWORD type;
    union {
        MOUSEINPUT mi;
        KEYBDINPUT ki;
        HARDWAREINPUT hi;
    };
};

using HOOKPROC = LRESULT (*)(int nCode, WPARAM wParam, LPARAM lParam);
using LPTIMECALLBACK = void (*)(UINT uTimerID, UINT uMsg, DWORD_PTR dwUser, DWORD_PTR dw1,
                                DWORD_PTR dw2);

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
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_APP = 0x8000;
inline constexpr DWORD LLKHF_EXTENDED = 0x01;
inline constexpr UINT CP_UTF8 = 65001;
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
LRESULT DispatchMessageW(const MSG* lpMsg);
HWND GetForegroundWindow();
int GetClassNameW(HWND hWnd, WCHAR* lpClassName, int nMaxCount);
int GetWindowTextW(HWND hWnd, WCHAR* lpString, int nMaxCount);
BOOL GetCursorPos(POINT* lpPoint);
HWND WindowFromPoint(POINT Point);
UINT SendInput(UINT cInputs, INPUT* pInputs, int cbSize);
int GetKeyNameTextW(LONG lParam, WCHAR* lpString, int cchSize);
BOOL PostThreadMessageW(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);

// WINMM
MMRESULT timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK fptc, DWORD_PTR dwUser,
                      UINT fuEvent);

// KERNEL32
DWORD GetLastError();
DWORD GetCurrentThreadId();
BOOL SetConsoleOutputCP(UINT wCodePageID);
// Arguments is the platform's va_list pointer; only null is ever passed.
DWORD FormatMessageA(DWORD dwFlags, const void* lpSource, DWORD dwMessageId, DWORD dwLanguageId,
                     char* lpBuffer, DWORD nSize, void* Arguments);

// Asks that the periodic timer keep its 1 ms resolution while the process has no visible window
// (SetProcessInformation with ProcessPowerThrottling). Best effort: systems that do not know the
// request refuse it, and the refusal is ignored.
void ignoreTimerResolutionThrottling();

} // namespace DesktopPlatform
