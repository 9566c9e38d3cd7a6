// Random walks through what a player does, played as transcripts: presses, auto-repeats and
// releases of two binds (keys, buttons, a general code's two keys, a keypad key whose code follows
// Shift, Num Lock, Pause, keys injected with a scan code or by their code alone), Shift and AltGr
// besides, the pointer and the window in front moving among the game, a panel of it, another game,
// another program and one of higher rights, timer ticks, the hooks' checks; and input lost as
// Windows, Wine and Proton lose it: a hook removed after time-outs or dropped silently, an event
// answered after the time-out, the hooks' thread held up. Under every time-out and order of raw
// input those systems keep, and every way Windows may behave where it does not document how.
// Whatever the walk, what the game sees must be sound after every step.
#include "keys/sighting.h"
#include "support/session.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace {

// A key or button of the hardware; keys repeat, buttons do not. `%` stands for the code a keypad
// key reports: Up (0x26) while Shift is held, Numpad 8 (0x68) otherwise; `#` for the flags raw
// input gives Right Shift, where some keyboards send E0 36 (02) and others 36 (00). Num Lock and
// Pause as raw input names them.
struct Key {
    const char* press; // its release: UP for DOWN
    unsigned code;
    bool keyboard;
};
const Key Keys[] = {{"WM_KEYDOWN 0x26 scan=0x48 flags=1", 0x26, true},
                    {"WM_SYSKEYDOWN 0x28 scan=0x50 flags=1", 0x28, true},
                    {"WM_LBUTTONDOWN", 1, false},
                    {"WM_MBUTTONDOWN", 4, false},
                    {"WM_XBUTTONDOWN data=0x10000", 5, false},
                    {"WM_KEYDOWN 0xA2 scan=0x1D", 0xA2, true},
                    {"WM_KEYDOWN % scan=0x48", 0x26, true},
                    {"WM_KEYDOWN 0xA0 scan=0x2A", 0xA0, true},
                    {"WM_KEYDOWN 0xA1 scan=0x36 flags=1 raw1=0x10#36", 0xA1, true},
                    {"WM_KEYDOWN 0xA2 scan=0x21D", 0xA2, true},
                    {"WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1", 0xA5, true},
                    {"WM_KEYDOWN 0x90 scan=0x45 flags=1 raw1=0x900045", 0x90, true},
                    {"WM_KEYDOWN 0x13 scan=0x45 raw1=0x13041D raw2=0xFF0045", 0x13, true},
                    {"WM_KEYDOWN 0x7C flags=0x10", 0x7C, true},
                    {"WM_KEYDOWN 0x20 scan=0x39 flags=0x10", 0x20, true}};
enum { Keypad = 6, LeftShift = 7, RightShift = 8, AltGrCtrl = 9, AltGr = 10, KeyCount = 15 };

// What a bind may be: its code and the keys that report it.
struct Bind {
    const char* code;
    std::vector<int> keys;
};
const Bind Binds[] = {{"0x26", {0}},  {"0x28", {1}},  {"1", {2}},     {"4", {3}},
                      {"5", {4}},     {"0xA2", {5}},  {"0x26", {6}},  {"0x10", {7, 8}},
                      {"0x90", {11}}, {"0x13", {12}}, {"0x7C", {13}}, {"0x20", {14}}};

const char* const Scene = "\nwindow game LaunchUnrealUWindowsClient Velto\n"
                          "window velto2 LaunchUnrealUWindowsClient Velto2\n"
                          "window notepad Notepad\nwindow admin TaskManagerWindow Admin\n"
                          "elevated admin\nchild panel game Panel\nfocus game\nstart";
const std::string Places[] = {"game", "velto2", "notepad", "admin", "panel", "none"}; // 4 in front
const char* const Models[] = {"buttons-first", "general-first", "key-state-always"};
// The systems: how long each waits for a hook's answer, and the shortest and longest wait
// VeltoMacro takes it to use: Windows with nothing set (waiting 300 ms, or maybe 1000), with a
// short time-out set, and Wine.
struct System {
    const char* lines;
    int waits, shortest, longest;
};
const System Systems[] = {{"", 300, 300, 1000},
                          {"model long-wait\n", 1000, 300, 1000},
                          {"timeout 200\n", 200, 200, 200},
                          {"wine\n", 2000, 2000, 2000}};
const char* const Removals[] = {"", "removal 1\n", "removal 11\n"};
const char* const Orders[] = {"", "raw first\n", "raw apart\n", "refuse raw\n"};
enum { After, First, Apart, Refused };
const int Delays[] = {150, 600, 1100, 2500}; // how long the thread is held up, or raw input waits

// One line of the walk, with the desktop as it left it.
struct Step {
    enum Kind { Other, Event, Tick, Check, Drop, Stall } kind = Other;
    // An event's key, and the direction (0 up, 1 down) its code is bound to.
    int key = -1, bind = -1;
    bool press = false, gate = false;
    // How long the event waited for the hooks' thread, or the thread was held up; how long after
    // the event its raw input comes, made apart from the hooks; the milliseconds of its own it
    // takes: an input event's, a window's coming
    int late = 0, rawDelay = 0, clock = 0;
    std::string front{};
};

// Plays what a player does: the lines, and what the hardware and the desktop are at each.
struct Walk {
    std::mt19937 random;
    const Bind* binds[2];
    bool upBound;
    const System* system;
    int order;
    bool rightShiftE0;
    std::vector<Transcripts::Line> lines;
    std::vector<Step> steps;
    bool held[KeyCount] = {};
    std::string front = "game", under = "game";

    unsigned pick(unsigned n) { return static_cast<unsigned>(random() % n); }
    bool needsHook(bool keyboard) const { // a bind's keys are all keys, or all buttons
        return Keys[binds[1]->keys[0]].keyboard == keyboard ||
               (upBound && Keys[binds[0]->keys[0]].keyboard == keyboard);
    }
    bool ofBind(int key, int which) const {
        const auto& keys = binds[which]->keys;
        return (which == 1 || upBound) && std::find(keys.begin(), keys.end(), key) != keys.end();
    }
    void add(const std::string& line, Step step = {}) {
        step.clock = step.kind == Step::Event || line.rfind("focus", 0) == 0 ? 1 : 0;
        step.gate = under == front && front != "velto2";
        step.front = front;
        lines.push_back({0, line, "", ""});
        steps.push_back(step);
    }
    void event(int key, bool press, int late = 0) {
        const bool shift = held[LeftShift] || held[RightShift]; // turns the keypad key into Up
        std::string line = Keys[key].press;
        line.replace(line.find("DOWN"), 4, press ? "DOWN" : "UP");
        if (const auto at = line.find('%'); at != std::string::npos) {
            line.replace(at, 1, shift ? "0x26" : "0x68");
        }
        for (auto at = line.find('#'); at != std::string::npos; at = line.find('#')) {
            line.replace(at, 1, rightShiftE0 ? "02" : "00");
        }
        const int bind = ofBind(key, 1) ? 1 : ofBind(key, 0) ? 0 : -1;
        // Made apart from the hooks, raw input comes before them or after, late or not.
        const int rawDelay = order == Apart ? std::array{-1, 0, 0, Delays[pick(4)]}[pick(4)] : 0;
        if (late != 0) { // the thread was held up while the event waited
            add("stall " + std::to_string(late), {.kind = Step::Stall, .late = late});
        }
        add(line + (late != 0 ? " late=" + std::to_string(late) : "") +
                (rawDelay != 0 ? " raw=" + std::to_string(rawDelay) : ""),
            {.kind = Step::Event,
             .key = key,
             .bind = key != Keypad || shift ? bind : -1,
             .press = press,
             .late = late,
             .rawDelay = rawDelay});
        held[key] = press;
    }

    explicit Walk(unsigned seed) : random(seed) {
        binds[0] = &Binds[pick(std::size(Binds))];
        do {
            binds[1] = &Binds[pick(std::size(Binds))];
        } while (std::string(binds[1]->code) == binds[0]->code);
        upBound = pick(4) != 0; // else up's keys are just other keys
        system = &Systems[pick(4)];
        order = static_cast<int>(pick(4));
        rightShiftE0 = (seed >> 3 & 1) != 0;
        std::string scene = std::string("config [general]\\ndownbind = ") + binds[1]->code +
                            (upBound ? std::string("\\nupbind = ") + binds[0]->code : "") + Scene;
        for (unsigned model = 0; model < std::size(Models); ++model) {
            scene.insert(0, (seed >> model & 1) != 0 ? std::string("model ") + Models[model] + "\n"
                                                     : "");
        }
        scene.insert(0, std::string(system->lines) + Removals[pick(3)] + Orders[order]);
        std::istringstream lines(scene);
        for (std::string line; std::getline(lines, line);) {
            add(line);
        }
        for (int n = 0; n < 70; ++n) {
            const unsigned what = pick(13), which = pick(2);
            const auto& keys = binds[which]->keys;
            const int key = keys[pick(static_cast<unsigned>(keys.size()))];
            const int shiftKey = pick(2) == 0 ? LeftShift : RightShift;
            // Now and then an event waits for the hooks' thread, a little or past a time-out.
            const int late = pick(8) == 0 ? Delays[pick(4)] : 0;
            if (what < 2 && (!held[key] || Keys[key].keyboard)) {
                event(key, true, late);
            } else if (what < 3 && held[key]) {
                event(key, false, late);
            } else if (what == 3) {
                event(shiftKey, !held[shiftKey]);
            } else if (what == 4) { // AltGr: its Ctrl, then Right Alt
                event(AltGrCtrl, !held[AltGr]);
                event(AltGr, !held[AltGr]);
            } else if (what == 5) {
                add("cursor " + (under = Places[pick(6)]));
            } else if (what == 6) { // the pump ticks far sooner than a window comes to the front
                add("focus " + (front = under = Places[pick(4)]));
                add("tick", {.kind = Step::Tick});
            } else if (what < 11) {
                add(what < 9 ? "tick" : "wait 250", {.kind = what < 9 ? Step::Tick : Step::Check});
            } else if (what == 11) { // the hooks' thread held up: the pump must wait for it
                const int stall = Delays[pick(4)];
                add("stall " + std::to_string(stall), {.kind = Step::Stall, .late = stall});
                add("tick", {.kind = Step::Tick});
            } else if (which == 1 || upBound) { // a hook the binds need
                add(Keys[key].keyboard ? "drop keyboard" : "drop mouse",
                    {.kind = Step::Drop, .key = key});
            }
        }
    }
};

// What the game can tell, and what VeltoMacro may do where its hooks are live, step by step.
struct Judge {
    const Walk& walk;
    const System& system = *walk.system;
    const bool raw = walk.order != Refused;

    struct KeyState {
        bool down = false, gameDown = false;
        bool intact = false; // its press swallowed on live hooks, and nothing forgot it since
        bool unseenDigit = false;
        // A known limit: held in the game while the other key of its code (AltGr's Ctrl, left
        // Ctrl's) went down or up there: the key state speaks of either, and a press of it may be
        // taken for a new one.
        bool shadowed = false;
        std::string pressedIn;
    };
    KeyState keys[KeyCount]{};
    // By kind (keyboard or not): the hooks live; a hook dropped silently, and no raw input; an
    // event answered past the time-out.
    bool live[2] = {true, true}, blind[2] = {}, lateSinceCheck[2] = {};
    // When bound events of the kind reached no hook of ours: raw input tells of each by the first
    // check the longest time-out after it, where a hook call has not matched it since.
    std::vector<int> unseen[2]{};
    // The walk's clock, in ms; how long the hooks' thread has been held up, 0 when it runs.
    int now = 0, stalledFor = 0;
    // After a release no hook saw, the direction may scroll on until raw input tells of it: at once
    // but where it comes late (made apart from the hooks, it comes at the first wait after it is
    // due, and in its turn); without raw input, until the next check. When it is due by direction,
    // -1 where nothing may run on; when the last raw event made apart is due.
    static constexpr int UntilCheck = -3;
    int runawayDue[2] = {-1, -1}, rawDue = -1;
    int postedUntil = 0; // raw events due by then have come: the last wait, or the end of a stall

    bool down(int which) const {
        const auto& bound = walk.binds[which]->keys;
        return std::any_of(bound.begin(), bound.end(), [this](int key) { return keys[key].down; });
    }

    std::string judge(const Step& s, const std::string& answer) {
        const bool reinstalled = answer.find("hook ") != std::string::npos &&
                                 answer.find("hook removed") == std::string::npos;
        stalledFor = s.kind == Step::Tick ? stalledFor : 0;
        now += s.clock;
        postedUntil = s.kind == Step::Check ? now + 250 : postedUntil;
        for (int* due : {&runawayDue[0], &runawayDue[1], &rawDue}) {
            const bool busy = s.kind == Step::Tick || s.kind == Step::Stall;
            *due = (*due >= 0 && *due <= postedUntil && !busy) ||
                           (*due == UntilCheck && s.kind == Step::Check)
                       ? -1
                       : *due;
        }
        switch (s.kind) {
        case Step::Drop:
            live[Keys[s.key].keyboard] = false;
            // A known limit: without raw input, nothing tells of a hook dropped silently, and a
            // release lost to it may leave its direction scrolling until the window changes.
            blind[Keys[s.key].keyboard] |= !raw;
            return "";
        case Step::Stall:
            now += s.late;
            stalledFor = s.late;
            postedUntil = now;
            return "";
        case Step::Check: {
            now += 250;
            // Live hooks are taken back only where input was lost: to a dropped hook, or to an
            // answer past the time-out; raw input tells of the first within the time-out, even
            // where the hooks were taken back since for another kind. (Made apart from the hooks,
            // raw input may come past the time-out, and the hooks then be taken back.)
            bool lost[2];
            for (int kind : {0, 1}) {
                lost[kind] = !live[kind] || lateSinceCheck[kind] || !unseen[kind].empty();
                std::erase_if(unseen[kind], [&](int at) { return now - at >= system.longest; });
                live[kind] |= reinstalled;
                lateSinceCheck[kind] &= !reinstalled;
            }
            std::string broken = reinstalled && !lost[0] && !lost[1] && walk.order != Apart
                                     ? "live hooks taken back without cause; "
                                     : "";
            for (int key = 0; key < KeyCount && reinstalled; ++key) {
                // Without raw input, a scroll of the lost kind ends.
                keys[key].intact &= raw || !lost[Keys[key].keyboard];
            }
            return broken;
        }
        case Step::Tick:
            return tick(s, answer);
        case Step::Event:
            return event(s, answer);
        case Step::Other:
            return "";
        }
        return "";
    }

    std::string tick(const Step& s, const std::string& answer) {
        bool cut = false;
        for (KeyState& key : keys) {
            key.intact &= s.gate && s.front == key.pressedIn;
            cut |= key.intact && key.down && answer == "idle";
        }
        if (stalledFor > system.waits) { // the pump waits for the hooks' thread
            return answer.rfind("notch", 0) != 0 ? ""
                                                 : "a tick answered " + answer + " while held up; ";
        }
        if (!s.gate) { // the pump forgets every direction
            runawayDue[0] = runawayDue[1] = -1;
        }
        const auto mayScroll = [&](int which) {
            const int kind = Keys[walk.binds[which]->keys[0]].keyboard;
            return (which == 1 || walk.upBound) &&
                   (down(which) || runawayDue[which] != -1 || blind[kind]);
        };
        const bool sound = answer == "idle" || answer == "nothing" ||
                           (answer == "notch +120" && mayScroll(0)) ||
                           (answer == "notch -120" && mayScroll(1));
        return (cut ? "a scroll held on live hooks was cut; " : "") +
               (sound ? "" : "a tick answered " + answer + "; ");
    }

    std::string event(const Step& s, const std::string& answer) {
        KeyState& key = keys[s.key];
        const int kind = Keys[s.key].keyboard;
        // When its raw event comes, made apart from the hooks: -1 at once.
        int due = -1;
        if (walk.order == Apart && walk.needsHook(kind) && (s.rawDelay > 0 || rawDue >= 0)) {
            due = rawDue = std::max(now - s.late + s.rawDelay, rawDue);
        }
        const bool passed = answer.rfind("passed", 0) == 0, live = this->live[kind];
        // A hook of ours was asked: one the binds need, live, where the hooks are called.
        const bool hooked = live && s.front != "admin" && walk.needsHook(kind);
        // Asked, but its answer came too late: the system passed the event on.
        const bool tooLate = hooked && s.late > system.waits;
        const bool bound = walk.ofBind(s.key, 0) || walk.ofBind(s.key, 1);
        lateSinceCheck[kind] |= hooked && s.late > (raw ? system.longest : system.shortest);
        this->live[kind] &= answer.find("hook removed") == std::string::npos;
        // (A keypad key let go as Numpad 8 ends a press of it as Up.)
        if (bound && !hooked && s.front != "admin" &&
            (s.key != Keypad || s.bind >= 0 || !s.press) && raw) {
            unseen[kind].push_back(now);
        }
        // A known limit: a keypad key pressed as Numpad 8 where no hook saw it, then Shift: no
        // hook knows the game has it, and Up's release is swallowed.
        key.unseenDigit = s.key == Keypad && s.press && s.bind < 0 ? !hooked : key.unseenDigit;
        std::string broken =
            std::string(!passed &&
                                (answer != "swallowed" || !s.gate || !hooked || !bound || tooLate)
                            ? "an event answered " + answer + "; "
                            : "") +
            (!s.press && !passed && key.gameDown && !key.unseenDigit && !key.shadowed
                 ? "the game keeps a released input down; "
                 : "");
        for (int other = 0; other < KeyCount && passed; ++other) {
            keys[other].shadowed |=
                other != s.key && Keys[other].code == Keys[s.key].code && keys[other].gameDown;
        }
        const bool wasDown = key.down;
        key.down = s.press;
        for (int which : {0, 1}) {
            if (!walk.ofBind(s.key, which) || (s.press && s.bind != which)) {
                continue;
            }
            if (s.press && hooked && !tooLate) {
                runawayDue[which] = -1; // pressed where a hook decides: it holds it, or not
            } else if (!s.press && !hooked && s.front != "admin" && !down(which) &&
                       runawayDue[which] == -1) {
                // Let go where no hook saw it: raw input tells when it comes.
                runawayDue[which] = raw ? due : UntilCheck; // a late answer told, or nothing
            }
        }
        key.gameDown = passed ? s.press : key.gameDown;
        key.shadowed &= key.gameDown; // until the game sees it let go
        // A repeat after its scroll was forgotten may be a press made again where no hook saw it.
        key.intact = s.press ? !passed && live && (!wasDown || key.intact) : key.intact;
        key.pressedIn = s.press ? s.front : key.pressedIn;
        return broken;
    }
};

TEST(Invariants, NoStuckInputNoCutScrollAndNoScrollingPastLostInput) {
    const char* walks = std::getenv("VELTO_WALKS");
    for (unsigned seed = 1, last = walks ? std::stoul(walks) : 10000; seed <= last; ++seed) {
        Walk walk(seed);
        Transcripts::play(walk.lines);
        Judge judge{walk};
        std::string broken, trace;
        for (std::size_t i = 0; i < walk.lines.size() && broken.empty(); ++i) {
            const std::string& answer = walk.lines[i].actual;
            trace += walk.lines[i].input + (answer.empty() ? "" : "  => ") + answer + '\n';
            broken = judge.judge(walk.steps[i], answer);
        }
        ASSERT_EQ(broken, "") << "seed " << seed << ":\n" << trace;
    }
}

} // namespace

// Whatever the interleaving of recording and printing, the printed presses and the notes of those
// not shown account for every press once, each note where its presses were.
TEST(Invariants, PressesNotShownAreCountedWhereTheyWere) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::mt19937 random(seed);
        SightingQueue<4> queue;
        std::uint32_t made = 0, accounted = 0;
        bool inOrder = true;
        for (int step = 0; step < 400; ++step) { // then only the printer, until all is printed
            Sighting press;
            if (step < 200 && random() % 5 < 3) {
                press.code = made++;
                queue.pushPress(press);
            } else if (queue.pop(press)) {
                accounted += press.notShownBefore;
                inOrder &= press.code == accounted++;
            } else {
                accounted += queue.takeNotShown(); // the note after the last press printed
            }
        }
        ASSERT_TRUE(inOrder && accounted == made) << "seed " << seed;
    }
}
