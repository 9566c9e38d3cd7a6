#include "key_finder.h"

#include "driver/failure_report.h"
#include "driver/run_phase.h"
#include "emulation/mouse_buttons.h"
#include "platform/desktop_platform.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ostream>
#include <string>

namespace {

using namespace DesktopPlatform;

// A press the hooks saw, kept for the message loop to print: a hook procedure must not wait on
// the console, nor allocate.
struct Press {
    BindCode code;
    LONG keyName; // what GetKeyNameTextW names a key by; unused for a mouse button
    bool mouse;
};

constexpr UINT PressesWaiting = WM_APP;

// Only the main thread touches these: its message loop, and the hook procedures, which the
// platform calls from within its message wait.
std::array<Press, 64> Pending;
std::size_t PendingCount = 0;
std::array<bool, 256> Down{}; // by code: a repeat of a held key prints nothing
HHOOK MouseHook = nullptr;
HHOOK KeyboardHook = nullptr;
DWORD LoopThread = 0;

void note(const Press& press, bool pressed) {
    if (press.code >= Down.size()) {
        return; // no such code is ever reported
    }
    const bool wasDown = Down[press.code];
    Down[press.code] = pressed;
    if (pressed && !wasDown && PendingCount < Pending.size()) {
        Pending[PendingCount++] = press;
        PostThreadMessageW(LoopThread, PressesWaiting, 0, 0);
    }
}

LRESULT keyboardProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode >= 0) {
        const auto& record =
            *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam); // NOLINT(performance-no-int-to-ptr)
        // The scan code and the extended-key flag, where GetKeyNameTextW expects them.
        const auto keyName = static_cast<LONG>((record.scanCode & 0xFF) << 16 |
                                               (record.flags & LLKHF_EXTENDED) << 24);
        note({record.vkCode, keyName, false}, wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN);
    }
    return CallNextHookEx(KeyboardHook, nCode, wParam, lParam);
}

LRESULT mouseProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode >= 0) {
        const auto& record =
            *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam); // NOLINT(performance-no-int-to-ptr)
        const MouseButtonEvent event = mouseButtonEvent(wParam, record);
        if (event.code != 0) {
            note({event.code, 0, true}, event.pressed);
        }
    }
    return CallNextHookEx(MouseHook, nCode, wParam, lParam);
}

std::string utf8(const WCHAR* text, int length) {
    std::string bytes;
    for (int i = 0; i < length; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < length) { // a surrogate pair
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            bytes += static_cast<char>(c);
            continue;
        }
        const int extra = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        const unsigned char lead[] = {0, 0xC0, 0xE0, 0xF0};
        bytes += static_cast<char>(lead[extra] | (c >> (6 * extra)));
        for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6) {
            bytes += static_cast<char>(0x80 | ((c >> shift) & 0x3F));
        }
    }
    return bytes;
}

std::string nameOf(const Press& press) {
    if (press.mouse) {
        const char* const names[] = {"",
                                     "Left button",
                                     "Right button",
                                     "",
                                     "Middle button",
                                     "First extra button",
                                     "Second extra button"};
        return isMouseCode(press.code) ? names[press.code] : "Extra button";
    }
    WCHAR name[64];
    const int length = GetKeyNameTextW(press.keyName, name, 64);
    return length > 0 ? utf8(name, length) : "Unnamed key";
}

// The name, the code in decimal and hex, then the line to paste, or why there is none.
std::string lineFor(const Press& press) {
    std::array<char, 8> hex{};
    std::snprintf(hex.data(), hex.size(), "0x%02X", press.code);
    std::array<char, 16> decimal{};
    std::snprintf(decimal.data(), decimal.size(), "%3u  ", press.code);
    std::string line = nameOf(press);
    // Padded by characters, not bytes, so that the columns line up.
    const auto characters = static_cast<std::size_t>(
        std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    line.append(characters < 19 ? 20 - characters : 1, ' ');
    line += std::string(decimal.data()) + hex.data() + "   ";
    if (press.code < 1 || press.code > 254) {
        return line + "cannot be bound: codes go from 1 to 254";
    }
    if (press.mouse != isMouseCode(press.code)) {
        return line + "cannot be bound: VeltoMacro takes this code for a " +
               (press.mouse ? "key" : "mouse button");
    }
    line += std::string("upbind = ") + hex.data();
    return press.code == 1 ? line + "   (binding it blocks clicking in the game)" : line;
}

} // namespace

int runKeyFinder(std::ostream& out, std::istream& input, std::ostream& errors) {
    PendingCount = 0;
    Down.fill(false);
    MouseHook = KeyboardHook = nullptr;
    try {
        LoopThread = GetCurrentThreadId();
        SetConsoleOutputCP(CP_UTF8); // the system's key names are in the user's language
        MouseHook = installHook(WH_MOUSE_LL, mouseProc);
        KeyboardHook = installHook(WH_KEYBOARD_LL, keyboardProc);
    } catch (const std::exception& error) {
        if (MouseHook != nullptr) {
            UnhookWindowsHookEx(MouseHook);
        }
        return reportFailure(error, input, errors);
    }
    out << "Press the key or mouse button you want to bind.\n"
           "To stop, close this window or press Ctrl+C.\n"
        << std::flush;
    MSG message;
    for (;;) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            continue; // neither a quit message nor a failed wait ends it
        }
        if (message.message != PressesWaiting) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
            continue;
        }
        const std::array<Press, 64> presses = Pending;
        const std::size_t count = PendingCount;
        PendingCount = 0;
        for (std::size_t i = 0; i < count; ++i) {
            out << lineFor(presses[i]) << '\n';
        }
        out << std::flush;
    }
}
