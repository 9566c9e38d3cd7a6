#include "session.h"

#include "config/settings.h"
#include "driver/driver.h"
#include "emulation/held_directions.h"
#include "emulation/input_hooks.h"
#include "keys/key_finder.h"
#include "support/allocations.h"
#include "support/fake_desktop.h"
#include "support/text.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>

namespace Transcripts {

namespace {

using namespace DesktopPlatform;
namespace fs = std::filesystem;

// clang-format off
const std::map<std::string, WPARAM> Events = {
    {"WM_KEYDOWN", WM_KEYDOWN}, {"WM_KEYUP", WM_KEYUP}, {"WM_CHAR", 0x0102},
    {"WM_SYSKEYDOWN", WM_SYSKEYDOWN}, {"WM_SYSKEYUP", WM_SYSKEYUP}, {"WM_MOUSEMOVE", WM_MOUSEMOVE},
    {"WM_LBUTTONDOWN", WM_LBUTTONDOWN}, {"WM_LBUTTONUP", WM_LBUTTONUP},
    {"WM_LBUTTONDBLCLK", 0x0203}, {"WM_RBUTTONDOWN", WM_RBUTTONDOWN}, {"WM_RBUTTONUP", WM_RBUTTONUP},
    {"WM_MBUTTONDOWN", WM_MBUTTONDOWN}, {"WM_MBUTTONUP", WM_MBUTTONUP},
    {"WM_MOUSEWHEEL", WM_MOUSEWHEEL}, {"WM_MOUSEHWHEEL", 0x020E},
    {"WM_XBUTTONDOWN", WM_XBUTTONDOWN}, {"WM_XBUTTONUP", WM_XBUTTONUP}};
// clang-format on

// What the message wait hands the loop: its result and the message.
const std::map<std::string, std::pair<BOOL, UINT>> LoopSteps = {
    {"message", {1, 0x0113}}, {"quit", {0, WM_QUIT}}, {"error", {-1, 0}}};

// Thrown by the message wait when the case is over: the one way out of the endless loop. Not a
// std::exception, so the programs' failure handling lets it by.
struct CaseOver {};

void add(std::string& answer, const std::string& item) {
    answer += (answer.empty() ? "" : ", ") + item;
}

std::string inQuotes(const std::string& text) {
    return std::string(1, '"').append(escape(text)).append(1, '"');
}

std::uint32_t number(const std::string& text) {
    return static_cast<std::uint32_t>(std::stoll(text, nullptr, 0));
}

// Whether delivering an event or a tick allocated: neither may.
template <typename Deliver> bool allocates(Deliver deliver) {
    const long before = allocationCount();
    deliver();
    return allocationCount() != before;
}

class Session {
public:
    explicit Session(std::vector<Line>& lines) : lines(lines) {
        FakeDesktop::reset();
        CurrentSettings = Settings{};
        HeldDirections = 0;
        PressesReachedApplication = 0;
        HookHandles = InstalledHooks{};
        desktop.nextMessage = [this](MSG& message) { return wait(message); };
    }

    void play() {
        for (; next < lines.size(); ++next) {
            if (lines[next].input.rfind("start", 0) == 0) {
                start(lines[next++]);
                break;
            }
            perform(lines[next]);
        }
        for (; next < lines.size(); ++next) {
            lines[next].actual = "(not reached)";
        }
    }

private:
    FakeDesktop::State& desktop = FakeDesktop::state();
    std::vector<Line>& lines;
    std::size_t next = 0;
    Line* current = nullptr; // takes what the programs do and print until the next line starts
    std::map<std::string, HWND> windows = {{"none", nullptr}};
    std::vector<std::string> args = {"VeltoMacro.exe"};
    std::optional<std::string> config;
    std::string input = "\n";
    std::ostringstream printed;
    bool started = false;

    void start(Line& line) {
        const fs::path home = fs::current_path(), folder = fs::temp_directory_path() / "velto-t";
        fs::create_directories(folder);
        fs::current_path(folder);
        if (config) {
            std::ofstream(args.size() > 1 ? args[1] : "VeltoMacro.ini", std::ios::binary)
                << *config;
        }
        std::vector<const char*> argv(args.size());
        std::transform(args.begin(), args.end(), argv.begin(), std::mem_fn(&std::string::c_str));
        std::istringstream in(input);
        std::ostringstream errors;
        current = &line;
        try {
            const int code =
                line.input == "start VeltoKeys"
                    ? runKeyFinder(printed, in, errors)
                    : runProgram(static_cast<int>(argv.size()), argv.data(), in, errors);
            settle();
            std::string left;
            std::getline(in, left, '\0');
            add(line.actual, "report " + inQuotes(errors.str()));
            add(line.actual, "read " + std::to_string(input.size() - left.size()));
            add(line.actual, "exit " + std::to_string(code));
        } catch (const CaseOver&) {
            settle();
        }
        fs::current_path(home);
        fs::remove_all(folder);
    }

    // Puts what the programs did since the current line began into its answer.
    void settle() {
        if (!started) {
            started = true;
            for (const std::string& call : desktop.calls) {
                add(current->actual, call);
            }
        }
        if (LoopSteps.count(current->input) != 0) {
            current->actual = desktop.translated > 0 ? "translated" : "";
            if (desktop.dispatched > 0) {
                add(current->actual, "dispatched");
            }
            current->actual = current->actual.empty() ? "-" : current->actual;
        }
        std::istringstream rows(printed.str());
        for (std::string row; std::getline(rows, row);) {
            add(current->actual, inQuotes(row));
        }
        printed.str("");
        desktop.translated = desktop.dispatched = 0;
    }

    // The programs' message wait: performs the lines up to the next message for their loop.
    BOOL wait(MSG& message) {
        settle();
        while (next < lines.size()) {
            current = &lines[next++];
            const auto step = LoopSteps.find(current->input);
            if (step != LoopSteps.end()) {
                message.message = step->second.second;
                return step->second.first;
            }
            perform(*current);
            if (desktop.postedCount > 0) {
                return FakeDesktop::KeepWaiting; // the platform hands posted messages over first
            }
        }
        throw CaseOver{};
    }

    void perform(Line& line) {
        const std::vector<std::string> words = tokens(line.input);
        const auto arg = [&words](std::size_t i) { return i < words.size() ? words[i] : ""; };
        const std::string verb = arg(0);
        if (verb == "config") {
            config = unescape(line.input.substr(7));
        } else if (verb == "args") {
            args.assign(words.begin(), words.end());
        } else if (verb == "stdin") {
            input = arg(1);
        } else if (verb == "window") {
            windows[arg(1)] = FakeDesktop::addWindow(utf16(arg(2)), utf16(arg(3)));
        } else if (verb == "focus") {
            desktop.foreground = desktop.atCursor = windows.at(arg(1));
        } else if (verb == "cursor" && arg(1) == "unreadable") {
            desktop.cursorReadable = false;
        } else if (verb == "cursor") {
            desktop.atCursor = windows.at(arg(1));
        } else if (verb == "refuse" && arg(1) == "timer") {
            desktop.timerRefused = true;
        } else if (verb == "refuse") {
            desktop.hookFailures[arg(1) == "mouse" ? WH_MOUSE_LL : WH_KEYBOARD_LL] = number(arg(2));
        } else if (verb == "keyname") {
            desktop.keyNames[static_cast<LONG>(number(arg(1)))] = utf16(arg(2));
        } else if (verb == "text") {
            desktop.systemTexts[number(arg(1))] = arg(2);
        } else if (verb == "tick") {
            tick(line);
        } else if (Events.count(verb) != 0) {
            event(line, words);
        } else {
            line.actual = "(unknown line)";
        }
    }

    void tick(Line& line) {
        desktop.sentCount = 0;
        desktop.windowQueries = 0;
        bool ticked = false;
        const bool allocated = allocates([&ticked] { ticked = FakeDesktop::tick(); });
        for (std::size_t i = 0; i < desktop.sentCount; ++i) {
            const INPUT& sent = desktop.sent[i];
            const auto amount = static_cast<std::int32_t>(sent.mi.mouseData);
            add(line.actual, sent.type == INPUT_MOUSE && sent.mi.dwFlags == MOUSEEVENTF_WHEEL
                                 ? (amount > 0 ? "notch +" : "notch ") + std::to_string(amount)
                                 : "input of type " + std::to_string(sent.type));
        }
        if (line.actual.empty()) {
            line.actual = !ticked ? "no timer" : desktop.windowQueries == 0 ? "idle" : "nothing";
        }
        if (allocated) {
            add(line.actual, "allocated");
        }
    }

    // A message and a code, then `name=value` fields, all numbers.
    void event(Line& line, const std::vector<std::string>& words) {
        std::map<std::string, std::uint32_t> fields;
        for (std::size_t i = 1; i < words.size(); ++i) {
            const auto equals = words[i].find('=');
            fields[words[i].substr(0, equals == std::string::npos ? 0 : equals)] =
                number(words[i].substr(equals == std::string::npos ? 0 : equals + 1));
        }
        const WPARAM message = Events.at(words[0]);
        const auto nCode = static_cast<int>(fields["nCode"]);
        const DWORD code = fields[""], scan = fields["scan"], flags = fields["flags"];
        const DWORD data = fields["data"];
        LRESULT answer = 0;
        const bool allocated = allocates([&] {
            answer = message < WM_MOUSEMOVE ? FakeDesktop::key(message, code, scan, flags, nCode)
                                            : FakeDesktop::mouse(message, data, nCode);
        });
        line.actual = answer == 1 ? "swallowed" : answer == FakeDesktop::PassedOn ? "passed" : "?";
        if (allocated) {
            add(line.actual, "allocated");
        }
    }
};

} // namespace

void play(std::vector<Line>& lines) {
    Session(lines).play();
}

} // namespace Transcripts
