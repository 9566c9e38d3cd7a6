#include "key_finder.h"

#include "config/config_reader.h"
#include "driver/console_code_page.h"
#include "driver/driver.h"
#include "driver/failure_report.h"
#include "driver/run_phase.h"
#include "emulation/bound_keys.h"
#include "emulation/input_hooks.h"
#include "emulation/mouse_buttons.h"
#include "emulation/window_rights.h"
#include "key_lines.h"
#include "platform/counter_time.h"
#include "platform/platform_error.h"
#include "scroll_watch.h"

#include <array>
#include <optional>
#include <ostream>
#include <utility>

namespace {

using namespace DesktopPlatform;

// How often the scrolling that arrives is looked at, in milliseconds.
constexpr UINT WatchInterval = 100;

// The hook procedures and the message loop run on the main thread and share these; the printer
// thread shares only the queue and the event.
SightingQueue<16> Sightings;
HANDLE SightingsWaiting = nullptr;
std::array<bool, 256> Down{}; // by code: a repeat of a held key prints nothing
ScrollWatch Watch;
HHOOK MouseHook = nullptr;
HHOOK KeyboardHook = nullptr;
HWND OwnWindow = nullptr; // VeltoKeys' own, as far as it can be told; read by the printer too
HWND Front = nullptr;     // the window in front at the last turn of the timer

std::int64_t microsecondsNow() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return counterMicroseconds(counter.QuadPart, frequency.QuadPart);
}

// Of a code noted as pressed, so one below Down's size.
bool held(BindCode code) {
    return Down[code];
}

void note(BindCode code, std::int32_t keyName, bool mouse, bool pressed) {
    if (code >= Down.size()) {
        return; // no such code is ever reported
    }
    const bool wasDown = Down[code];
    Down[code] = pressed;
    if (!pressed || wasDown) {
        return;
    }
    Sighting press;
    press.code = code;
    press.keyName = keyName;
    press.mouse = mouse;
    press.verdict = gateVerdict();
    GateVerdict& verdict = press.verdict;
    if (verdict.reason != GateReason::OtherTitle) { // which read it already
        verdict.titleLength =
            GetWindowTextW(verdict.foreground, verdict.title, GateVerdict::TitleCapacity);
    }
    if (directionOf(code) != 0 && mouse == isMouseCode(code) && verdict.actsHere()) {
        Watch.boundPressed(code, microsecondsNow());
    }
    Sightings.pushPress(press);
    SetEvent(SightingsWaiting);
}

LRESULT keyboardProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode >= 0) {
        const auto& record =
            *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam); // NOLINT(performance-no-int-to-ptr)
        // AltGr's left Ctrl is part of the Right Alt that follows.
        if (!isAltGrControl(record)) {
            // The scan code and the extended-key flag, where GetKeyNameTextW expects them.
            const auto keyName = static_cast<std::int32_t>((record.scanCode & 0xFF) << 16 |
                                                           (record.flags & LLKHF_EXTENDED) << 24);
            note(record.vkCode, keyName, false, wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN);
        }
    }
    return CallNextHookEx(KeyboardHook, nCode, wParam, lParam);
}

LRESULT mouseProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode >= 0) {
        const auto& record =
            *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam); // NOLINT(performance-no-int-to-ptr)
        const MouseButtonEvent event = mouseButtonEvent(wParam, record);
        if (event.code != 0) {
            note(event.code, 0, true, event.pressed);
        } else if (wParam == WM_MOUSEWHEEL && (record.flags & LLMHF_INJECTED) != 0) {
            // The upper half is the signed amount; the sign of the whole word is its sign.
            Watch.notch(static_cast<std::int32_t>(record.mouseData) > 0, microsecondsNow());
        }
    }
    return CallNextHookEx(MouseHook, nCode, wParam, lParam);
}

// The printer: the only thread that waits on the console, so that a blocked console (a selection
// in it, a pipe nobody reads) holds up nothing but the printing.
DWORD printSightings(void* parameter) {
    std::ostream& out = *static_cast<std::ostream*>(parameter);
    for (;;) {
        WaitForSingleObject(SightingsWaiting, INFINITE);
        Sighting sighting;
        while (Sightings.pop(sighting)) {
            if (sighting.notShownBefore != 0) {
                out << notShownLine(sighting.notShownBefore);
            }
            using enum Sighting::Kind;
            out << (sighting.kind == Press      ? pressLine(sighting, OwnWindow)
                    : sighting.kind == Scrolled ? scrolledLine(sighting)
                    : sighting.kind == Rights   ? rightsLine(sighting)
                    : sighting.kind == Ready    ? readyLine()
                                                : notScrollingLine());
        }
        if (const std::uint32_t notShown = Sightings.takeNotShown(); notShown != 0) {
            out << notShownLine(notShown);
        }
        out << std::flush;
    }
}

// VeltoKeys' own window: its console's, or where that is the hidden stand-in that a terminal
// (Windows Terminal) gives a program, the terminal's, its owner; unknown where it has none.
HWND ownWindow() {
    const HWND console = GetConsoleWindow();
    if (console == nullptr || IsWindowVisible(console) != 0) {
        return console;
    }
    const HWND terminal = GetAncestor(console, GA_ROOTOWNER);
    return terminal != console ? terminal : nullptr;
}

// A window with more rights come to the front since the last turn: Windows keeps its input away
// from the hooks, so no press there shows.
std::optional<Sighting> cameToFront() {
    const HWND front = GetForegroundWindow();
    if (std::exchange(Front, front) == front || !hasMoreRights(front)) {
        return std::nullopt;
    }
    Sighting line;
    line.kind = Sighting::Kind::Rights;
    line.verdict.foreground = front;
    line.verdict.titleLength =
        GetWindowTextW(front, line.verdict.title, GateVerdict::TitleCapacity);
    return line;
}

// Loads the configuration as VeltoMacro would, and tells what it binds or why it would not start.
std::string loadBinds(int argc, const char* const argv[]) {
    const std::string_view path = argc < 2 ? DefaultConfigPath : std::string_view(argv[1]);
    std::optional<ConfigReader> reader;
    try {
        reader.emplace(path);
    } catch (const std::exception&) {
        return bindsLine(path, false, "");
    }
    try {
        loadSettings(std::move(*reader));
    } catch (const std::exception& error) {
        CurrentSettings = Settings{}; // no bind of a file that VeltoMacro would refuse
        return bindsLine(path, true, error.what());
    }
    return bindsLine(path, true, "");
}

} // namespace

int runKeyFinder(int argc, const char* const argv[], std::ostream& out, std::istream& input,
                 std::ostream& errors) {
    Sightings.clear();
    Down.fill(false);
    MouseHook = KeyboardHook = nullptr;
    OwnWindow = ownWindow();
    Front = nullptr;
    useUtf8Console(STD_OUTPUT_HANDLE); // the system's key names are in the user's language
    out << loadBinds(argc, argv) << std::flush;
    Watch = ScrollWatch(CurrentSettings.interval);
    try {
        SightingsWaiting = CreateEventW(nullptr, false, false, nullptr);
        if (SightingsWaiting == nullptr ||
            CreateThread(nullptr, 0, printSightings, &out, 0, nullptr) == nullptr) {
            raiseLastError();
        }
        MouseHook = installHook(WH_MOUSE_LL, mouseProc);
        KeyboardHook = installHook(WH_KEYBOARD_LL, keyboardProc);
        // The one thread timer: every WM_TIMER of the loop is the watch's turn.
        if (SetTimer(nullptr, 0, WatchInterval, nullptr) == 0) {
            raiseLastError();
        }
        // Asked to press only once a press can show.
        Sighting ready;
        ready.kind = Sighting::Kind::Ready;
        Sightings.push(ready);
        SetEvent(SightingsWaiting);
    } catch (const std::exception& error) {
        for (const HHOOK hook : {MouseHook, KeyboardHook}) {
            if (hook != nullptr) {
                UnhookWindowsHookEx(hook);
            }
        }
        return reportFailure(error, input, errors);
    }

    // Lines of the timer that found the queue full: the watch's, and of the window in front.
    std::optional<Sighting> owed[2];
    MSG message;
    for (;;) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            continue; // neither a quit message nor a failed wait ends it
        }
        if (message.message == WM_TIMER) {
            if (!owed[0]) {
                owed[0] = Watch.check(microsecondsNow(), held);
            }
            if (!owed[1]) {
                owed[1] = cameToFront();
            }
            for (std::optional<Sighting>& line : owed) {
                if (line && Sightings.push(*line)) {
                    line.reset();
                    SetEvent(SightingsWaiting);
                }
            }
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
