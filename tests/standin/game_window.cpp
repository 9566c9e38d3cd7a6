// A stand-in for the game: one top-level window of a given class and title, optionally with a
// child window over its right half, that counts the input reaching it. Every 50 ms it rewrites a
// status file (written aside, then moved into place) when something changed, so a test can read
// it at any time without touching the input path.
//
// It also reports its client area and its child's in screen coordinates, for placing the cursor.
//
// Usage: game_window CLASS TITLE STATUS_FILE [--child] [--at X Y]
#ifndef UNICODE
#define UNICODE
#endif
#include <cstdio>
#include <cwchar>
#include <string>
#include <windows.h>

namespace {

constexpr int Width = 480;
constexpr int Height = 320;
constexpr int MaxNotchTimes = 1 << 16;

struct Counts {
    long wheelUp = 0;
    long wheelDown = 0;
    long keyDown[256] = {};
    long keyUp[256] = {};
    long buttonDown[2][6] = {}; // [top-level, child][button code]
    long buttonUp[2][6] = {};
    long long notchMicroseconds[MaxNotchTimes] = {};
    long notchTimes = 0;
};

Counts counts;
bool changed = true;
std::wstring statusPath;
HWND topLevel = nullptr;
HWND child = nullptr;
LARGE_INTEGER frequency;

long long nowMicroseconds() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart * 1000000 / frequency.QuadPart;
}

void writeStatus() {
    const std::wstring temporary = statusPath + L".tmp";
    FILE* out = _wfopen(temporary.c_str(), L"wb");
    if (out == nullptr) {
        return;
    }
    std::fprintf(out, "ready 1\nwheel_up %ld\nwheel_down %ld\n", counts.wheelUp, counts.wheelDown);
    for (const HWND window : {topLevel, child}) {
        RECT area{};
        if (window != nullptr && ::GetClientRect(window, &area)) {
            POINT corners[2] = {{area.left, area.top}, {area.right, area.bottom}};
            ::MapWindowPoints(window, nullptr, corners, 2);
            std::fprintf(out, "%s %ld %ld %ld %ld\n", window == topLevel ? "client" : "child",
                         corners[0].x, corners[0].y, corners[1].x, corners[1].y);
        }
    }
    for (int vk = 0; vk < 256; ++vk) {
        if (counts.keyDown[vk] != 0 || counts.keyUp[vk] != 0) {
            std::fprintf(out, "key_down_%02x %ld\nkey_up_%02x %ld\n", vk, counts.keyDown[vk], vk,
                         counts.keyUp[vk]);
        }
    }
    const char* const where[] = {"window", "child"};
    for (int w = 0; w < 2; ++w) {
        for (int button = 1; button < 6; ++button) {
            if (counts.buttonDown[w][button] != 0 || counts.buttonUp[w][button] != 0) {
                std::fprintf(out, "%s_button_down_%d %ld\n%s_button_up_%d %ld\n", where[w], button,
                             counts.buttonDown[w][button], where[w], button,
                             counts.buttonUp[w][button]);
            }
        }
    }
    std::fprintf(out, "notch_us");
    for (long i = 0; i < counts.notchTimes; ++i) {
        std::fprintf(out, " %lld", counts.notchMicroseconds[i]);
    }
    std::fprintf(out, "\n");
    std::fclose(out);
    ::MoveFileExW(temporary.c_str(), statusPath.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// The virtual-key code of a mouse button message, and whether it is a press; 0 for others.
int buttonOf(UINT message, WPARAM wParam, bool& pressed) {
    pressed = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
              message == WM_XBUTTONDOWN;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return 4;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
        return GET_XBUTTON_WPARAM(wParam) == XBUTTON1 ? 5 : 6;
    default:
        return 0;
    }
}

bool countButton(int w, UINT message, WPARAM wParam) {
    bool pressed = false;
    const int button = buttonOf(message, wParam, pressed);
    if (button == 0) {
        return false;
    }
    (pressed ? counts.buttonDown : counts.buttonUp)[w][button] += 1;
    changed = true;
    return true;
}

LRESULT CALLBACK childProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (countButton(1, message, wParam)) {
        return message == WM_XBUTTONDOWN || message == WM_XBUTTONUP ? TRUE : 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEWHEEL: {
        const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        (delta > 0 ? counts.wheelUp : counts.wheelDown) += 1;
        if (counts.notchTimes < MaxNotchTimes) {
            counts.notchMicroseconds[counts.notchTimes++] = nowMicroseconds();
        }
        changed = true;
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        counts.keyDown[wParam & 0xFF] += 1;
        changed = true;
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        counts.keyUp[wParam & 0xFF] += 1;
        changed = true;
        return 0;
    case WM_TIMER:
        if (changed) {
            changed = false;
            writeStatus();
        }
        return 0;
    case WM_DESTROY:
        writeStatus();
        ::PostQuitMessage(0);
        return 0;
    default:
        if (countButton(0, message, wParam)) {
            return message == WM_XBUTTONDOWN || message == WM_XBUTTONUP ? TRUE : 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 4) {
        std::fprintf(stderr, "usage: game_window CLASS TITLE STATUS_FILE [--child] [--at X Y]\n");
        return 2;
    }
    bool withChild = false;
    int left = 50;
    int top = 50;
    for (int i = 4; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--child") == 0) {
            withChild = true;
        } else if (std::wcscmp(argv[i], L"--at") == 0 && i + 2 < argc) {
            left = _wtoi(argv[i + 1]);
            top = _wtoi(argv[i + 2]);
            i += 2;
        }
    }
    statusPath = argv[3];
    ::QueryPerformanceFrequency(&frequency);

    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = argv[1];
    if (::RegisterClassW(&windowClass) == 0) {
        return 3;
    }
    topLevel = ::CreateWindowExW(0, argv[1], argv[2], WS_OVERLAPPEDWINDOW | WS_VISIBLE, left, top,
                                 Width, Height, nullptr, nullptr, instance, nullptr);
    if (topLevel == nullptr) {
        return 4;
    }
    RECT client;
    ::GetClientRect(topLevel, &client);
    if (withChild) {
        // A class of our own: static controls are transparent to WindowFromPoint.
        WNDCLASSW childClass{};
        childClass.lpfnWndProc = childProcedure;
        childClass.hInstance = instance;
        childClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        childClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
        childClass.lpszClassName = L"VeltoStandInChild";
        ::RegisterClassW(&childClass);
        child = ::CreateWindowExW(0, L"VeltoStandInChild", L"", WS_CHILD | WS_VISIBLE,
                                  client.right / 2, 0, client.right - client.right / 2,
                                  client.bottom, topLevel, nullptr, instance, nullptr);
    }
    ::ShowWindow(topLevel, SW_SHOW);
    ::SetForegroundWindow(topLevel);
    ::SetFocus(topLevel);
    POINT centreOfLeftHalf{client.right / 4, client.bottom / 2};
    ::ClientToScreen(topLevel, &centreOfLeftHalf);
    ::SetCursorPos(centreOfLeftHalf.x, centreOfLeftHalf.y);
    ::SetTimer(topLevel, 1, 50, nullptr);

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
