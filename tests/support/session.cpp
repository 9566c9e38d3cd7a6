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
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <utility>

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

// Lines that turn a switch of the desktop: `model` ones what Windows leaves undocumented, the other
// way; `wine` the system that says it is Wine; `refuse check` the thread timer.
using Switch = std::pair<bool FakeDesktop::State::*, bool>;
using S = FakeDesktop::State;
// clang-format off
const std::map<std::string, Switch> Switches = {
    {"model buttons-first", {&S::buttonStateFirst, true}}, {"wine", {&S::wine, true}},
    {"model general-first", {&S::generalStateFirst, true}}, {"console", {&S::consoles, true}},
    {"model key-state-always", {&S::keyStateAlways, true}}, {"block", {&S::threadBlocked, true}},
    {"model long-wait", {&S::longWait, true}}, {"unblock", {&S::threadBlocked, false}},
    {"refuse raw", {&S::rawRefused, true}}, {"swap buttons", {&S::buttonsSwapped, true}},
    {"cursor unreadable", {&S::cursorReadable, false}}, {"refuse timer", {&S::timerRefused, true}},
    {"refuse check", {&S::threadTimerRefused, true}}, {"refuse thread", {&S::threadRefused, true}}};
// clang-format on

// Thrown by the message wait when the case is over: the one way out of the endless loop. Not a
// std::exception, so the programs' failure handling lets it by.
struct CaseOver {};

void add(std::string& answer, const std::string& item) {
    answer += (answer.empty() ? "" : ", ") + item;
}

std::uint32_t number(const std::string& text) {
    return static_cast<std::uint32_t>(std::stoll(text, nullptr, 0));
}

class Session {
public:
    explicit Session(std::vector<Line>& lines) : lines(lines) {
        desktop = FakeDesktop::State{};
        desktop.whileWaiting = [this] { wait(); };
        desktop.whileBusy = [this] { busy(); };
        CurrentSettings = Settings{};
        HeldDirections = 0;
        HeldWindow = nullptr;
        HookHandles = InstalledHooks{};
        HookMemory = KeyMemory{};
    }

    void play() {
        while (next < lines.size() && lines[next].input.rfind("start", 0) != 0) {
            perform(lines[next++]);
        }
        if (next < lines.size()) {
            start(lines[next++]);
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
    // What a program printed shows only once flushed, as on a pipe.
    struct Flushed : std::stringbuf {
        std::string shown;
        int sync() override {
            shown += str();
            str("");
            return 0;
        }
    } flushed;
    std::ostream printed{&flushed};
    std::size_t budget = 0;
    bool ended = false; // the platform ended the process
    long long stalled = 0;

    FakeDesktop::Window& named(const std::string& name) {
        return desktop.windows.at(reinterpret_cast<std::uintptr_t>(windows.at(name)) - 1);
    }

    // Runs `what` in a folder of its own as the working folder, gone again afterwards.
    template <typename What> static void inFolder(What what) {
        const fs::path home = fs::current_path(), folder = fs::temp_directory_path() / "velto-t";
        fs::create_directories(folder);
        fs::current_path(folder);
        what();
        fs::current_path(home);
        fs::remove_all(folder);
    }

    void start(Line& line) {
        std::vector<const char*> argv(args.size());
        std::transform(args.begin(), args.end(), argv.begin(), std::mem_fn(&std::string::c_str));
        inFolder([&] {
            if (config) {
                std::ofstream(args.size() > 1 ? args[1] : "VeltoMacro.ini", std::ios::binary)
                    << *config;
            }
            std::istringstream in(input);
            std::ostringstream errors;
            current = &line;
            try {
                const int argc = static_cast<int>(argv.size());
                const int code = line.input == "start VeltoKeys"
                                     ? runKeyFinder(argc, argv.data(), printed, in, errors)
                                     : runProgram(argc, argv.data(), in, errors);
                settle();
                const auto read = in.tellg(); // -1 once the input ended
                add(line.actual,
                    "report \"" + escape(errors.str()) + "\", read " +
                        std::to_string(read < 0 ? input.size() : static_cast<std::size_t>(read)) +
                        ", exit " + std::to_string(code));
            } catch (const CaseOver&) {
                settle();
            } catch (const FakeDesktop::Exited&) {
                settle();
                ended = true;
            }
        });
    }

    // What loading a file of these bytes, named VeltoMacro.ini, ends in: the settings, or the
    // message. Within the heap budget, if one was given.
    std::string load(const std::string& bytes) const {
        std::string answer;
        inFolder([&] {
            std::ofstream("VeltoMacro.ini", std::ios::binary) << bytes;
            CurrentSettings = Settings{};
            setHeapBudget(budget);
            try {
                loadSettings(ConfigReader("VeltoMacro.ini"));
            } catch (const std::exception& error) {
                setHeapBudget(0);
                answer = error.what();
            }
            setHeapBudget(0);
        });
        return !answer.empty() ? answer
                               : "interval " + std::to_string(CurrentSettings.interval) + ", up " +
                                     std::to_string(CurrentSettings.upbind) + ", down " +
                                     std::to_string(CurrentSettings.downbind);
    }

    // Puts what the programs did since the current line began into its answer.
    void settle() {
        FakeDesktop::runThread();
        for (const std::string& call : desktop.calls) {
            add(current->actual, call); // only the start has any
        }
        desktop.calls.clear();
        for (const auto& [bit, kind] : {std::pair{1, "keyboard"}, std::pair{2, "mouse"}}) {
            if ((std::exchange(desktop.removed, desktop.removed & ~bit) & bit) != 0) {
                add(current->actual, kind + std::string(" hook removed"));
            }
        }
        std::istringstream rows(std::exchange(flushed.shown, ""));
        // A row of 80 characters or more wraps on a console 80 columns wide.
        for (std::string row; std::getline(rows, row);) {
            const bool fits = std::count_if(row.begin(), row.end(),
                                            [](char c) { return (c & 0xC0) != 0x80; }) < 80;
            add(current->actual, (fits ? "\"" : "too wide \"") + escape(row) + '"');
        }
    }

    // The programs' message wait, within which the platform delivers events and ticks.
    // Hook calls that waited while the thread was held up (`late=`) come before the messages
    // posted meanwhile, as sent messages do.
    void wait() {
        settle();
        while (next < lines.size() && !ended &&
               (desktop.posted.empty() ||
                (lines[next].input.find(" late=") != std::string::npos &&
                 desktop.posted.front().lParam != FakeDesktop::BusyMessage))) {
            current = &lines[next++];
            perform(*current);
            settle();
        }
        if (desktop.posted.empty()) {
            throw CaseOver{};
        }
    }

    // The programs' thread busy outside its wait: the time stalled passes, and the ticks that
    // follow come meanwhile.
    void busy() {
        FakeDesktop::stall(stalled);
        while (next < lines.size() && lines[next].input == "tick") {
            current = &lines[next++];
            perform(*current);
            settle();
        }
    }

    void perform(Line& line) {
        std::istringstream words(line.input);
        std::vector<std::string> word{std::istream_iterator<std::string>(words), {}};
        word.resize(std::max<std::size_t>(word.size(), 4));
        // The text after the first n words, with its escapes.
        const auto rest = [&line](int n) {
            std::size_t at = 0;
            for (int i = 0; i < n && at != std::string::npos; ++i) {
                at = line.input.find(' ', at + (i > 0));
            }
            return at == std::string::npos ? std::string() : unescape(line.input.substr(at + 1));
        };
        const std::string& verb = word[0];
        if (const auto turn = Switches.find(line.input); turn != Switches.end()) {
            desktop.*turn->second.first = turn->second.second;
        } else if (verb == "config") {
            config = rest(1);
        } else if (verb == "args") {
            for (std::size_t i = 1; i < word.size() && !word[i].empty(); ++i) {
                args.push_back(word[i] == "\"\"" ? "" : word[i]);
            }
        } else if (verb == "stdin") {
            input = rest(1);
        } else if (verb == "window") {
            windows[word[1]] = FakeDesktop::addWindow(utf16(word[2]), utf16(rest(3)));
        } else if (verb == "child") {
            windows[word[1]] = FakeDesktop::addWindow(utf16(word[3]), utf16(rest(4)));
            desktop.windows.back().parent = windows.at(word[2]);
        } else if (verb == "console-window") { // the console's; `hidden`, owned by a window
            desktop.consoleWindow = windows.at(word[1]);
            named(word[1]).visible = word[2] != "hidden";
            named(word[1]).owner = windows[word[3]];
        } else if (verb == "elevated") { // its token unreadable, or of the level given
            named(word[1]).integrity = word[2].empty() ? 0 : number(word[2]);
        } else if (verb == "copy") { // another copy claims a code, `elevated` with more rights;
                                     // `other`: its name is another kind of object's
            const unsigned refusal = word[2] == "elevated" ? 5U : word[2] == "other" ? 6U : 0U;
            desktop.named[utf16("Local\\VeltoMacro.code." + word[1])] = {1, refusal};
        } else if (verb == "destroy") { // the window is gone, as a console's is when it is closed
            named(word[1]).destroyed = true;
        } else if (verb == "reused") { // its handle now another program's, of our rights
            named(word[1]).process += 0x10000, named(word[1]).integrity = 0x2000;
        } else if (verb == "drop") {
            desktop.hooks.at(word[1] == "mouse" ? WH_MOUSE_LL : WH_KEYBOARD_LL).dropped = true;
        } else if (verb == "wait") {
            FakeDesktop::wait(number(word[1]));
        } else if (verb == "stall") { // the thread held up, busy outside its wait
            stalled = number(word[1]);
            desktop.posted.push_back(MSG{nullptr, 0, 0, FakeDesktop::BusyMessage, 0, {}, 0});
        } else if (verb == "raw") { // when raw input is made: before the hooks, or apart from them
            desktop.rawOrder = word[1] == "first" ? FakeDesktop::RawOrder::BeforeHooks
                                                  : FakeDesktop::RawOrder::Independent;
        } else if (verb == "removal") { // at which time-out the system removes a hook
            desktop.removedAt = static_cast<int>(number(word[1]));
        } else if (verb == "timeout") { // the hooks' time-out the user set
            desktop.hooksTimeout = number(word[1]);
        } else if (verb == "ctrl+c" || verb == "close") {
            // Without a handler that takes it, the platform ends the process.
            ended = desktop.ctrlHandler == nullptr ||
                    desktop.ctrlHandler(verb == "close" ? 2 : 0) == 0 || verb == "close";
        } else if (verb == "focus") {
            FakeDesktop::focus(windows.at(word[1]));
        } else if (verb == "cursor") {
            desktop.atCursor = windows.at(word[1]);
        } else if (verb == "refuse") { // a hook kind and the last error; 0 ends the refusals
            desktop.hookFailures[word[1] == "mouse" ? WH_MOUSE_LL : WH_KEYBOARD_LL] =
                number(word[2]);
        } else if (verb == "keyname") { // a key's code, its scan code (0xE0.. extended), its name
            const std::uint32_t scan = number(word[2]);
            desktop.scanCodes[number(word[1])] = scan;
            desktop.keyNames[static_cast<LONG>((scan & 0xFF) << 16 | (scan >> 8 == 0xE0) << 24)] =
                utf16(rest(3));
        } else if (verb == "text") {
            desktop.systemTexts[number(word[1])] = rest(2);
        } else if (verb == "load") {
            line.actual = load(rest(1));
        } else if (verb == "loadfile") { // a file of the repository's, and lines added to it
            std::ifstream file(fs::path(VELTO_SOURCE_DIR) / word[1], std::ios::binary);
            line.actual = load(std::string(std::istreambuf_iterator<char>(file), {}) + rest(2));
        } else if (verb == "budget") {
            budget = number(word[1]);
        } else if (verb == "tick" || Events.count(verb) != 0) {
            deliver(line, word);
        } else {
            line.actual = "(unknown line)";
        }
    }

    // An event (a message, a code, then numbers `name=value`) or a tick, and what it brought
    // about. Neither may allocate.
    void deliver(Line& line, const std::vector<std::string>& word) {
        std::map<std::string, std::uint32_t> field = {{"", 0},     {"scan", 0},  {"flags", 0},
                                                      {"data", 0}, {"nCode", 0}, {"late", 0},
                                                      {"raw", 0},  {"raw1", 0},  {"raw2", 0}};
        for (std::size_t i = 1; i < word.size() && !word[i].empty(); ++i) {
            const auto value = word[i].find('=') + 1; // 0 where it names no field
            field[word[i].substr(0, value - (value != 0))] = number(word[i].substr(value));
        }
        const WPARAM message = word[0] == "tick" ? 0 : Events.at(word[0]); // a tick is 0
        const auto nCode = static_cast<int>(field["nCode"]);
        const DWORD code = field[""], scan = field["scan"], flags = field["flags"];
        desktop.sentCount = 0;
        desktop.foregroundQueries = 0;
        const long before = allocationCount();
        const FakeDesktop::Timing timing{
            field["late"], static_cast<int>(field["raw"]), {field["raw1"], field["raw2"]}};
        const LRESULT answer =
            message == 0 ? FakeDesktop::tick()
            : message < WM_MOUSEMOVE
                ? FakeDesktop::key(message, code, scan, flags, nCode, timing)
                : FakeDesktop::mouse(message, field["data"], flags, nCode, timing);
        const bool allocated = allocationCount() != before;
        if (message != 0) {
            line.actual = answer == 1                       ? "swallowed"
                          : answer == FakeDesktop::PassedOn ? "passed"
                                                            : "?";
        }
        for (std::size_t i = 0; i < desktop.sentCount; ++i) { // a wheel's notch, else its type
            const INPUT& sent = desktop.sent[i];
            const auto amount = static_cast<std::int32_t>(sent.mi.mouseData);
            const bool wheel = sent.type == INPUT_MOUSE && sent.mi.dwFlags == MOUSEEVENTF_WHEEL;
            add(line.actual, wheel ? (amount > 0 ? "notch +" : "notch ") + std::to_string(amount)
                                   : std::to_string(sent.type));
        }
        if (line.actual.empty()) {
            line.actual = answer == 0                      ? "no timer"
                          : desktop.foregroundQueries == 0 ? "idle"
                                                           : "nothing";
        }
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
