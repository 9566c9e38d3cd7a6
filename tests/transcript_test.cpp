// Runs the transcripts in tests/transcripts/*.t against the fake desktop, through the programs'
// real entry. A case is a '## title', then lines: the configuration, the scene, then what
// happens, each line that the program answers followed by '=>' and the answer. Every event and
// tick must also allocate nothing. VELTO_REWRITE=1 writes the answers the programs give now back
// into the files, for review.
#include "config/settings.h"
#include "driver/driver.h"
#include "emulation/held_directions.h"
#include "emulation/input_hooks.h"
#include "keys/key_finder.h"
#include "support/allocations.h"
#include "support/fake_desktop.h"
#include "support/text.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace {

using namespace DesktopPlatform;
namespace fs = std::filesystem;

struct Line {
    std::size_t fileLine; // where it stands in the file, 0-based
    std::string input;
    std::string expected;
    std::string actual;
};

struct Case {
    std::string title;
    std::vector<Line> lines;
};

const std::map<std::string, WPARAM> Events = {
    {"WM_KEYDOWN", WM_KEYDOWN},         {"WM_KEYUP", WM_KEYUP},
    {"WM_CHAR", 0x0102},                {"WM_SYSKEYDOWN", WM_SYSKEYDOWN},
    {"WM_SYSKEYUP", WM_SYSKEYUP},       {"WM_MOUSEMOVE", WM_MOUSEMOVE},
    {"WM_LBUTTONDOWN", WM_LBUTTONDOWN}, {"WM_LBUTTONUP", WM_LBUTTONUP},
    {"WM_LBUTTONDBLCLK", 0x0203},       {"WM_RBUTTONDOWN", WM_RBUTTONDOWN},
    {"WM_RBUTTONUP", WM_RBUTTONUP},     {"WM_MBUTTONDOWN", WM_MBUTTONDOWN},
    {"WM_MBUTTONUP", WM_MBUTTONUP},     {"WM_MOUSEWHEEL", WM_MOUSEWHEEL},
    {"WM_XBUTTONDOWN", WM_XBUTTONDOWN}, {"WM_XBUTTONUP", WM_XBUTTONUP},
    {"WM_MOUSEHWHEEL", 0x020E},
};

// Thrown by the message wait when the case is over: the one way out of the endless loop. Not a
// std::exception, so that the programs' failure handling lets it by.
struct CaseOver {};

std::string join(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

std::string describe(const INPUT& input) {
    const MOUSEINPUT& m = input.mi;
    if (input.type == INPUT_MOUSE && m.dwFlags == MOUSEEVENTF_WHEEL && m.dx == 0 && m.dy == 0 &&
        m.time == 0 && m.dwExtraInfo == 0) {
        const auto amount = static_cast<std::int32_t>(m.mouseData);
        return (amount > 0 ? "notch +" : "notch ") + std::to_string(amount);
    }
    std::ostringstream raw;
    raw << "input type " << input.type << " flags 0x" << std::hex << m.dwFlags << " data 0x"
        << m.mouseData;
    return raw.str();
}

// One case played through the programs against a fresh desktop.
class Session {
public:
    explicit Session(Case& c) : lines(c.lines) {}

    void play() {
        FakeDesktop::reset();
        CurrentSettings = Settings{};
        HeldDirections = 0;
        PressesReachedApplication = 0;
        HookHandles = InstalledHooks{};
        FakeDesktop::state().nextMessage = [this](MSG& message) { return wait(message); };
        for (; next < lines.size() && startLine == nullptr; ++next) {
            if (lines[next].input.rfind("start", 0) == 0) {
                startLine = &lines[next];
            } else {
                perform(lines[next]);
            }
        }
        if (startLine != nullptr) {
            start();
        }
        for (; next < lines.size(); ++next) {
            lines[next].actual = "(not reached)";
        }
    }

private:
    std::vector<Line>& lines;
    std::size_t next = 0;
    Line* startLine = nullptr;
    Line* waiting = nullptr; // the loop step whose message the program is handling
    std::map<std::string, HWND> windows = {{"none", nullptr}};
    std::vector<std::string> args = {"VeltoMacro.exe"};
    std::string config;
    bool withConfig = false;
    std::string input = "\n";
    std::ostringstream output;
    Line* printedBy = nullptr; // the line whose answer takes what the program prints next

    void start() {
        const fs::path home = fs::current_path();
        const fs::path folder = fs::temp_directory_path() / "velto-transcript";
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::current_path(folder);
        if (withConfig) {
            std::ofstream(args.size() > 1 ? args[1] : "VeltoMacro.ini", std::ios::binary)
                << config;
        }
        std::vector<const char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(arg.c_str());
        }
        std::istringstream in(input);
        std::ostringstream errors;
        printedBy = startLine;
        try {
            const int code =
                startLine->input == "start VeltoKeys"
                    ? runKeyFinder(output, in, errors)
                    : runProgram(static_cast<int>(argv.size()), argv.data(), in, errors);
            std::string left;
            std::getline(in, left, '\0');
            std::vector<std::string> done = FakeDesktop::state().calls;
            done.push_back("report \"" + escape(errors.str()) + "\"");
            done.push_back("read " + std::to_string(input.size() - left.size()));
            done.push_back("exit " + std::to_string(code));
            startLine->actual = join(done);
        } catch (const CaseOver&) {
        }
        collectPrinted();
        fs::current_path(home);
        fs::remove_all(folder);
    }

    // The program's message wait: performs the lines up to the next message for its loop.
    BOOL wait(MSG& message) {
        auto& desktop = FakeDesktop::state();
        if (startLine->actual.empty()) {
            startLine->actual = join(desktop.calls);
        }
        collectPrinted();
        if (waiting != nullptr) {
            std::vector<std::string> done;
            if (desktop.translated > 0) {
                done.emplace_back("translated");
            }
            if (desktop.dispatched > 0) {
                done.emplace_back("dispatched");
            }
            waiting->actual = done.empty() ? "-" : join(done);
            waiting = nullptr;
        }
        desktop.translated = desktop.dispatched = 0;
        for (; next < lines.size(); ++next) {
            Line& line = lines[next];
            const std::map<std::string, std::pair<BOOL, UINT>> loopSteps = {
                {"message", {1, 0x0113}}, {"quit", {0, 0x0012}}, {"error", {-1, 0}}};
            const auto step = loopSteps.find(line.input);
            if (step != loopSteps.end()) {
                waiting = &line;
                ++next;
                message.message = step->second.second;
                return step->second.first;
            }
            perform(line);
            if (desktop.postedCount > 0) {
                ++next;
                return FakeDesktop::KeepWaiting; // the platform hands posted messages over first
            }
        }
        throw CaseOver{};
    }

    void collectPrinted() {
        const std::string text = output.str();
        output.str("");
        if (printedBy == nullptr || text.empty()) {
            return;
        }
        std::istringstream printed(text);
        for (std::string row; std::getline(printed, row);) {
            printedBy->actual += (printedBy->actual.empty() ? "\"" : ", \"") + escape(row) + "\"";
        }
    }

    static std::uint32_t number(const std::string& text) {
        return static_cast<std::uint32_t>(std::stoll(text, nullptr, 0));
    }

    void perform(Line& line) {
        const std::vector<std::string> words = tokens(line.input);
        if (words.empty()) {
            return;
        }
        auto& desktop = FakeDesktop::state();
        const std::string& verb = words[0];
        const auto arg = [&words](std::size_t i) { return i < words.size() ? words[i] : ""; };
        if (verb == "config") {
            config = unescape(line.input.substr(7));
            withConfig = true;
        } else if (verb == "args") {
            args.assign(words.begin(), words.end());
            args[0] = "VeltoMacro.exe";
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
            desktop.hookFailures[arg(1) == "mouse" ? WH_MOUSE_LL : WH_KEYBOARD_LL] =
                number(arg(2));
        } else if (verb == "keyname") {
            desktop.keyNames[static_cast<LONG>(number(arg(1)))] = utf16(arg(2));
        } else if (verb == "text") {
            desktop.systemTexts[number(arg(1))] = arg(2);
        } else if (verb == "tick") {
            tick(line);
        } else if (Events.count(verb) != 0) {
            event(line, Events.at(verb), words);
        } else {
            line.actual = "(unknown line)";
        }
    }

    void tick(Line& line) {
        auto& desktop = FakeDesktop::state();
        desktop.sentCount = 0;
        desktop.windowQueries = 0;
        const long before = allocationCount();
        if (!FakeDesktop::tick()) {
            line.actual = "no timer";
            return;
        }
        const long allocated = allocationCount() - before;
        std::vector<std::string> sent;
        for (std::size_t i = 0; i < desktop.sentCount; ++i) {
            sent.push_back(describe(desktop.sent[i]));
        }
        if (sent.empty()) {
            sent.emplace_back(desktop.windowQueries == 0 ? "idle" : "nothing");
        }
        if (allocated != 0) {
            sent.push_back("allocated " + std::to_string(allocated));
        }
        line.actual = join(sent);
    }

    void event(Line& line, WPARAM message, const std::vector<std::string>& words) {
        std::map<std::string, std::uint32_t> fields = {{"scan", 0}, {"flags", 0}, {"data", 0}};
        int nCode = 0;
        DWORD code = 0;
        for (std::size_t i = 1; i < words.size(); ++i) {
            const auto equals = words[i].find('=');
            if (equals == std::string::npos) {
                code = number(words[i]);
            } else if (words[i].rfind("nCode=", 0) == 0) {
                nCode = std::stoi(words[i].substr(equals + 1));
            } else {
                fields[words[i].substr(0, equals)] = number(words[i].substr(equals + 1));
            }
        }
        const long before = allocationCount();
        const LRESULT result =
            message < WM_MOUSEMOVE
                ? FakeDesktop::key(message, code, fields["scan"], fields["flags"], nCode)
                : FakeDesktop::mouse(message, fields["data"], nCode);
        const long allocated = allocationCount() - before;
        line.actual = result == 1 ? "swallowed"
                      : result == FakeDesktop::PassedOn ? "passed"
                                                        : "answered " + std::to_string(result);
        if (allocated != 0) {
            line.actual += ", allocated " + std::to_string(allocated);
        }
        printedBy = &line;
    }
};

struct TranscriptFile {
    fs::path path;
    std::vector<std::string> text;
    std::vector<Case> cases;
};

TranscriptFile parse(const fs::path& path) {
    TranscriptFile file{path, {}, {}};
    std::ifstream in(path);
    for (std::string row; std::getline(in, row);) {
        file.text.push_back(row);
        if (row.rfind("## ", 0) == 0) {
            file.cases.push_back({row.substr(3), {}});
        } else if (!row.empty() && row[0] != '#' && !file.cases.empty()) {
            const auto arrow = row.find("=>");
            std::string input = row.substr(0, arrow);
            input.erase(input.find_last_not_of(' ') + 1);
            file.cases.back().lines.push_back(
                {file.text.size() - 1, input, arrow == std::string::npos ? "" : row.substr(arrow + 3), ""});
        }
    }
    return file;
}

void rewrite(TranscriptFile& file) {
    for (const Case& c : file.cases) {
        for (const Line& line : c.lines) {
            std::string& row = file.text[line.fileLine];
            row = line.input;
            if (!line.actual.empty()) {
                row += std::string(row.size() < 28 ? 28 - row.size() : 1, ' ') + "=> " + line.actual;
            }
        }
    }
    std::ofstream out(file.path);
    for (const std::string& row : file.text) {
        out << row << '\n';
    }
}

class Transcript : public testing::TestWithParam<std::string> {};

TEST_P(Transcript, ProgramsAnswerAsWritten) {
    TranscriptFile file = parse(fs::path(VELTO_SOURCE_DIR) / "tests/transcripts" / (GetParam() + ".t"));
    ASSERT_FALSE(file.cases.empty()) << file.path;
    for (Case& c : file.cases) {
        Session(c).play();
        std::ostringstream table;
        bool differs = false;
        for (const Line& line : c.lines) {
            const bool same = line.actual == line.expected;
            differs |= !same;
            table << (same ? "   " : "!! ") << line.input;
            if (!same || !line.expected.empty()) {
                table << "  =>  " << line.expected << (same ? "" : "   |   " + line.actual);
            }
            table << '\n';
        }
        EXPECT_FALSE(differs) << file.path.filename().string() << ": " << c.title
                              << "\n(expected | actual)\n"
                              << table.str();
    }
    if (std::getenv("VELTO_REWRITE") != nullptr) {
        rewrite(file);
    }
}

INSTANTIATE_TEST_SUITE_P(Transcripts, Transcript,
                         testing::Values("keys", "mouse", "gate", "pump", "startup", "key_finder"));

} // namespace
