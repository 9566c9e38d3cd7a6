// A stand-in for the game: one window of a given class and title, optionally with a child window
// of its own over its right half, that counts the input reaching it and time-stamps each wheel
// notch. Every 50 ms, when something changed, it rewrites a status file (written aside, then
// moved into place) of "name value" lines: the counts, its client and child areas in screen
// coordinates for placing the pointer, where Wine has the cursor, whether the window is in front
// and what part of it is under the cursor (so that a test waits until the programs see the pointer
// and the front as it needs them), the time of the last key-down and of each notch (in
// microseconds of the performance counter).
//
// Usage: game_window CLASS TITLE STATUS_FILE [--child] [--at X Y] [--raw]
//        --raw: reads raw input too, as a game may, counting "raw_key_down_26",
//               "raw_button_down_5" and the like
//        game_window --close TITLE   posts a close message to the first window of that title, as
//                                    its close box would; exits 1 where there is none
//        game_window --watch STATUS_FILE  no window: low-level hooks that count what they see,
//                                    "hook_down_26" and the like, and the injected events apart
//                                    ("injected_wheel", "injected_other"); started after
//                                    VeltoMacro, they are asked before its own
#ifndef UNICODE
#define UNICODE
#endif
#include "platform/counter_time.h"

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>
#include <windows.h>

namespace {

std::map<std::string, long> counts;
std::vector<long long> notchMicroseconds;
long long lastKeyDown = 0; // microseconds
bool changed = true;
// What the programs see of the pointer and the front: where the cursor is, whether this window is
// in front, and its hit-test code there (HTCLIENT 1, HTCAPTION 2, 0 outside it).
struct {
    POINT cursor;
    bool front;
    LRESULT hit;
} seen{};
std::wstring statusPath;
HWND child = nullptr;

long long microsecondsNow() {
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return counterMicroseconds(now.QuadPart, frequency.QuadPart);
}

void count(const std::string& name) {
    ++counts[name];
    changed = true;
}

void writeStatus(HWND window) {
    const std::wstring aside = statusPath + L".tmp";
    FILE* out = _wfopen(aside.c_str(), L"wb");
    if (out == nullptr) {
        return;
    }
    for (const auto& [name, value] : counts) {
        std::fprintf(out, "%s %ld\n", name.c_str(), value);
    }
    for (const HWND area : {window, child}) {
        RECT r{};
        if (area != nullptr && ::GetClientRect(area, &r)) {
            ::MapWindowPoints(area, nullptr, reinterpret_cast<POINT*>(&r), 2);
            std::fprintf(out, "%s %ld %ld %ld %ld\n", area == window ? "client" : "child", r.left,
                         r.top, r.right, r.bottom);
        }
    }
    std::fprintf(out, "cursor_x %ld\ncursor_y %ld\nfront %d\nhit %ld\n", seen.cursor.x,
                 seen.cursor.y, seen.front ? 1 : 0, static_cast<long>(seen.hit));
    std::fprintf(out, "last_key_down_us %lld\nnotch_us", lastKeyDown);
    for (const long long time : notchMicroseconds) {
        std::fprintf(out, " %lld", time);
    }
    std::fprintf(out, "\n");
    std::fclose(out);
    ::MoveFileExW(aside.c_str(), statusPath.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// Counts a button message as "window_button_down_5" and the like; false for any other message.
bool countButton(const char* where, UINT message, WPARAM wParam) {
    const std::map<UINT, std::pair<int, const char*>> buttons = {
        {WM_LBUTTONDOWN, {1, "down"}}, {WM_LBUTTONUP, {1, "up"}},     {WM_RBUTTONDOWN, {2, "down"}},
        {WM_RBUTTONUP, {2, "up"}},     {WM_MBUTTONDOWN, {4, "down"}}, {WM_MBUTTONUP, {4, "up"}},
        {WM_XBUTTONDOWN, {0, "down"}}, {WM_XBUTTONUP, {0, "up"}}};
    const auto found = buttons.find(message);
    if (found == buttons.end()) {
        return false;
    }
    const int code = found->second.first != 0 ? found->second.first
                                              : (GET_XBUTTON_WPARAM(wParam) == XBUTTON1 ? 5 : 6);
    count(std::string(where) + "_button_" + found->second.second + "_" + std::to_string(code));
    return true;
}

LRESULT CALLBACK childProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return countButton("child", message, wParam)
               ? TRUE
               : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    char key[16];
    switch (message) {
    case WM_MOUSEWHEEL:
        notchMicroseconds.push_back(microsecondsNow());
        count(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? "wheel_up" : "wheel_down");
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        lastKeyDown = microsecondsNow();
        [[fallthrough]];
    case WM_KEYUP:
    case WM_SYSKEYUP:
        std::snprintf(key, sizeof key, "key_%s_%02x",
                      message == WM_KEYDOWN || message == WM_SYSKEYDOWN ? "down" : "up",
                      static_cast<unsigned>(wParam & 0xFF));
        count(key);
        // Whether the key is down as far as this window can tell: its last event was a key-down.
        std::snprintf(key, sizeof key, "key_held_%02x", static_cast<unsigned>(wParam & 0xFF));
        counts[key] = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        return 0;
    case WM_INPUT: { // what a game reading raw input gets
        RAWINPUT raw{};
        UINT size = sizeof raw;
        if (::GetRawInputData(reinterpret_cast<HRAWINPUT>(lParam), RID_INPUT, &raw, &size,
                              sizeof(RAWINPUTHEADER)) != static_cast<UINT>(-1)) {
            if (raw.header.dwType == RIM_TYPEKEYBOARD &&
                (raw.data.keyboard.Flags & RI_KEY_BREAK) == 0) {
                std::snprintf(key, sizeof key, "raw_key_down_%02x", raw.data.keyboard.VKey & 0xFF);
                count(key);
            }
            const USHORT buttons = raw.data.mouse.usButtonFlags;
            for (int code : {1, 2, 4, 5, 6}) {
                const int bit = code == 1   ? 0x1
                                : code == 2 ? 0x4
                                : code == 4 ? 0x10
                                : code == 5 ? 0x40
                                            : 0x100;
                if (raw.header.dwType == RIM_TYPEMOUSE && (buttons & bit) != 0) {
                    count("raw_button_down_" + std::to_string(code));
                }
            }
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_TIMER: {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        const bool front = ::GetForegroundWindow() == window;
        const LRESULT hit =
            ::WindowFromPoint(cursor) == window
                ? ::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y))
                : 0;
        if (cursor.x != seen.cursor.x || cursor.y != seen.cursor.y || front != seen.front ||
            hit != seen.hit) {
            seen = {cursor, front, hit};
            changed = true;
        }
        if (changed) {
            changed = false;
            writeStatus(window);
            ::InvalidateRect(window, nullptr, TRUE);
        }
        return 0;
    }
    case WM_PAINT: { // what it is, and the wheel notches it received, for a player to see
        PAINTSTRUCT paint;
        const HDC context = ::BeginPaint(window, &paint);
        wchar_t text[160];
        ::GetWindowTextW(window, text, 64);
        const int length = static_cast<int>(std::wcslen(text));
        std::swprintf(text + length, std::size(text) - length,
                      L" (a stand-in game window): wheel %ld up, %ld down", counts["wheel_up"],
                      counts["wheel_down"]);
        ::TextOutW(context, 8, 8, text, static_cast<int>(std::wcslen(text)));
        ::EndPaint(window, &paint);
        return 0;
    }
    default:
        return countButton("window", message, wParam)
                   ? TRUE
                   : ::DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND createWindow(const wchar_t* className, const wchar_t* title, WNDPROC procedure, DWORD style,
                  RECT area, HWND parent) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground =
        reinterpret_cast<HBRUSH>(parent ? COLOR_HIGHLIGHT + 1 : COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    ::RegisterClassW(&windowClass);
    return ::CreateWindowExW(0, className, title, style, area.left, area.top, area.right,
                             area.bottom, parent, nullptr, windowClass.hInstance, nullptr);
}

LRESULT CALLBACK watchKeys(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode >= 0) {
        const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        char key[24];
        std::snprintf(key, sizeof key, "hook_%s_%02x",
                      wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN ? "down" : "up",
                      static_cast<unsigned>(event.vkCode & 0xFF));
        count(key);
        if ((event.flags & LLKHF_INJECTED) != 0) {
            count("injected_other");
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK watchMouse(int nCode, WPARAM wParam, LPARAM lParam) {
    const auto& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (nCode >= 0 && (event.flags & LLMHF_INJECTED) != 0) {
        count(wParam == WM_MOUSEWHEEL ? "injected_wheel" : "injected_other");
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

// The watch: the hooks, and the status every 50 ms from a thread timer.
int watch() {
    ::SetWindowsHookExW(WH_KEYBOARD_LL, watchKeys, nullptr, 0);
    ::SetWindowsHookExW(WH_MOUSE_LL, watchMouse, nullptr, 0);
    ::SetTimer(nullptr, 0, 50, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && changed) {
            changed = false;
            writeStatus(nullptr);
        }
    }
    return 0;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv != nullptr && argc == 3 && std::wcscmp(argv[1], L"--watch") == 0) {
        statusPath = argv[2];
        return watch();
    }
    if (argv != nullptr && argc == 3 && std::wcscmp(argv[1], L"--close") == 0) {
        const HWND target = ::FindWindowW(nullptr, argv[2]);
        return target != nullptr && ::PostMessageW(target, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (argv == nullptr || argc < 4) {
        std::fprintf(stderr, "usage: game_window CLASS TITLE STATUS_FILE [--child] [--at X Y]\n");
        return 2;
    }
    statusPath = argv[3];
    bool withChild = false, withRaw = false;
    RECT place{50, 50, 480, 320};
    for (int i = 4; i < argc; ++i) {
        withChild |= std::wcscmp(argv[i], L"--child") == 0;
        withRaw |= std::wcscmp(argv[i], L"--raw") == 0;
        if (std::wcscmp(argv[i], L"--at") == 0 && i + 2 < argc) {
            place.left = _wtoi(argv[i + 1]);
            place.top = _wtoi(argv[i + 2]);
        }
    }
    const HWND window = createWindow(argv[1], argv[2], windowProcedure,
                                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, place, nullptr);
    if (window == nullptr) {
        return 3;
    }
    RECT client;
    ::GetClientRect(window, &client);
    if (withChild) {
        // A class of its own: static controls are transparent to WindowFromPoint.
        child = createWindow(L"VeltoStandInChild", L"", childProcedure, WS_CHILD | WS_VISIBLE,
                             {client.right / 2, 0, client.right - client.right / 2, client.bottom},
                             window);
    }
    if (withRaw) { // in the background too, as a game that keeps reading
        const RAWINPUTDEVICE devices[] = {{1, 6, RIDEV_INPUTSINK, window},
                                          {1, 2, RIDEV_INPUTSINK, window}};
        ::RegisterRawInputDevices(devices, 2, sizeof(RAWINPUTDEVICE));
    }
    ::SetForegroundWindow(window);
    POINT centreOfLeftHalf{client.right / 4, client.bottom / 2};
    ::ClientToScreen(window, &centreOfLeftHalf);
    ::SetCursorPos(centreOfLeftHalf.x, centreOfLeftHalf.y);
    ::SetTimer(window, 1, 50, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
