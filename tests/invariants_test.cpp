// Random walks through what a player does, played as transcripts: presses, auto-repeats and
// releases of two binds (keys, buttons, a general code's two keys, a keypad key whose code follows
// Shift), Shift and AltGr besides, the pointer and the window in front moving among the game, a
// panel of it, another game, another program and one of higher rights, timer ticks, the hooks'
// checks, and the platform dropping a hook; under every way Windows may behave where it does not
// document how. Whatever the walk, what the game sees must be sound after every step.
#include "keys/sighting.h"
#include "support/session.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace {

// A key or button of the hardware. `%` in its events stands for the code it reports: a keypad key
// reports Up (0x26) while Shift is held and Numpad 8 (0x68) otherwise.
struct Key {
    const char *name, *press, *release;
    unsigned code;
    bool keyboard, repeats;
};
// clang-format off
const Key Keys[] = {
    {"up", "WM_KEYDOWN 0x26 scan=0x48 flags=1", "WM_KEYUP 0x26 scan=0x48 flags=1", 0x26, true, true},
    {"down", "WM_SYSKEYDOWN 0x28 scan=0x50 flags=1", "WM_SYSKEYUP 0x28 scan=0x50 flags=1", 0x28, true, true},
    {"left", "WM_LBUTTONDOWN", "WM_LBUTTONUP", 1, false, false},
    {"middle", "WM_MBUTTONDOWN", "WM_MBUTTONUP", 4, false, false},
    {"side", "WM_XBUTTONDOWN data=0x10000", "WM_XBUTTONUP data=0x10000", 5, false, false},
    {"lctrl", "WM_KEYDOWN 0xA2 scan=0x1D", "WM_KEYUP 0xA2 scan=0x1D", 0xA2, true, true},
    {"keypad", "WM_KEYDOWN % scan=0x48", "WM_KEYUP % scan=0x48", 0, true, true},
    {"lshift", "WM_KEYDOWN 0xA0 scan=0x2A", "WM_KEYUP 0xA0 scan=0x2A", 0xA0, true, true},
    {"rshift", "WM_KEYDOWN 0xA1 scan=0x36", "WM_KEYUP 0xA1 scan=0x36", 0xA1, true, true},
    {"altgr-ctrl", "WM_KEYDOWN 0xA2 scan=0x21D", "WM_KEYUP 0xA2 scan=0x21D", 0xA2, true, true},
    {"altgr", "WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1", "WM_KEYUP 0xA5 scan=0x38 flags=1", 0xA5, true, true}};
// clang-format on
enum { Keypad = 6, LeftShift = 7, RightShift = 8, AltGrCtrl = 9, AltGr = 10 };

// What a bind may be: its code and the keys that report it.
struct Bind {
    const char* code;
    std::vector<int> keys;
};
const Bind Binds[] = {
    {"0x26", {0}}, {"0x28", {1}}, {"1", {2}},         {"4", {3}},
    {"5", {4}},    {"0xA2", {5}}, {"0x26", {Keypad}}, {"0x10", {LeftShift, RightShift}}};

const char* const Scene = "window game LaunchUnrealUWindowsClient Velto\n"
                          "window velto2 LaunchUnrealUWindowsClient Velto2\n"
                          "window notepad Notepad\nwindow admin TaskManagerWindow Admin\n"
                          "elevated admin\nchild panel game Panel\nfocus game\nstart";
const std::string Places[] = {"game", "velto2", "notepad", "admin", "panel", "none"}; // 4 in front
const char* const Models[] = {"buttons-first", "general-first", "refusal-clears", "bit-taken"};

// One line of the walk, as the evaluation needs it.
struct Step {
    enum Kind { Other, Event, Tick, Check, Drop } kind = Other;
    int key = -1, bind = -1; // an event's key, and the direction (0 up, 1 down) its code binds
    bool press = false;
    // As the step left them: whether the gate passes, and the window in front.
    bool gate = false;
    std::string front{};
};

// Plays what a player does, and keeps what the hardware and the desktop are at each step.
struct Walk {
    std::mt19937 random;
    const Bind* binds[2];
    bool upBound;
    std::vector<Transcripts::Line> lines;
    std::vector<Step> steps;
    bool held[std::size(Keys)] = {};
    std::string front = "game", under = "game";

    unsigned pick(unsigned n) { return static_cast<unsigned>(random() % n); }
    bool shift() const { return held[LeftShift] || held[RightShift]; }
    unsigned code(int key) const {
        return key == Keypad ? (shift() ? 0x26 : 0x68) : Keys[key].code;
    }
    bool active(int which) const { return which == 1 || upBound; }
    bool ofBind(int key, int which) const {
        const auto& keys = binds[which]->keys;
        return active(which) && std::find(keys.begin(), keys.end(), key) != keys.end();
    }
    int bindOf(int key) const { // the direction whose code the key reports now, or -1
        for (const int which : {1, 0}) {
            if (ofBind(key, which) && (key != Keypad || shift())) {
                return which;
            }
        }
        return -1;
    }

    void add(const std::string& line, Step step = {}) {
        step.gate = under == front && front != "velto2";
        step.front = front;
        lines.push_back({0, line, "", ""});
        steps.push_back(step);
    }
    void event(int key, bool press) {
        std::string line = press ? Keys[key].press : Keys[key].release;
        if (const auto at = line.find('%'); at != std::string::npos) {
            line.replace(at, 1, code(key) == 0x26 ? "0x26" : "0x68");
        }
        add(line, {.kind = Step::Event, .key = key, .bind = bindOf(key), .press = press});
        held[key] = press;
    }

    explicit Walk(unsigned seed) : random(seed) {
        binds[0] = &Binds[pick(8)];
        do {
            binds[1] = &Binds[pick(8)];
        } while (std::string(binds[1]->code) == binds[0]->code);
        upBound = pick(4) != 0; // else up's keys are just other keys
        for (unsigned model = 0; model < std::size(Models); ++model) {
            if ((seed >> model & 1) != 0) {
                add(std::string("model ") + Models[model]);
            }
        }
        add(std::string("config [general]\\ndownbind = ") + binds[1]->code +
            (upBound ? std::string("\\nupbind = ") + binds[0]->code : ""));
        std::istringstream scene(Scene);
        for (std::string line; std::getline(scene, line);) {
            add(line);
        }
        for (int n = 0; n < 70; ++n) {
            const unsigned what = pick(12), which = pick(2);
            const auto& keys = binds[which]->keys;
            const int key = keys[pick(static_cast<unsigned>(keys.size()))];
            if (what < 2 && (!held[key] || Keys[key].repeats)) {
                event(key, true);
            } else if (what < 3 && held[key]) {
                event(key, false);
            } else if (what == 3) { // a Shift, which also turns the keypad key's code
                const int shiftKey = pick(2) == 0 ? LeftShift : RightShift;
                event(shiftKey, !held[shiftKey]);
            } else if (what == 4) { // AltGr: its Ctrl, then Right Alt
                const bool press = !held[AltGr];
                event(AltGrCtrl, press);
                event(AltGr, press);
            } else if (what == 5) {
                under = Places[pick(6)];
                add("cursor " + under);
            } else if (what == 6) { // the pump ticks far sooner than a window comes to the front
                front = under = Places[pick(4)];
                add("focus " + front);
                add("tick", {.kind = Step::Tick});
            } else if (what < 9) {
                add("tick", {.kind = Step::Tick});
            } else if (what < 11) {
                add("wait 250", {.kind = Step::Check});
            } else if (active(static_cast<int>(which))) { // a hook the binds need
                add(Keys[key].keyboard ? "drop keyboard" : "drop mouse",
                    {.kind = Step::Drop, .key = key});
            }
        }
    }
};

// What the game can tell, and what VeltoMacro may do, step by step.
class Judge {
public:
    Judge(const Walk& walk, bool bitTaken) : walk(walk), bitTaken(bitTaken) {
        for (const int which : {0, 1}) {
            for (const int key : walk.binds[which]->keys) {
                if (walk.active(which)) {
                    read.push_back(key == LeftShift || key == RightShift ? Keys[key].code
                                   : key == Keypad                       ? 0x26
                                                                         : Keys[key].code);
                }
            }
        }
    }

    std::string judge(const Step& s, const std::string& answer) {
        std::string broken;
        if (s.kind == Step::Drop) {
            live[Keys[s.key].keyboard ? 1 : 0] = false;
            for (std::size_t key = 0; key < std::size(Keys); ++key) {
                intact[key] &= Keys[key].keyboard != Keys[s.key].keyboard;
            }
        } else if (s.kind == Step::Check) {
            // Live hooks are taken back only after a press where they are not called: that
            // leaves the same traces in the key state as a press a dropped hook let by.
            const bool reinstalled = answer.find("hook ") != std::string::npos;
            if (reinstalled && live[0] && live[1] && !unseenPress) {
                broken += "live hooks taken back without cause; ";
            }
            live[0] |= reinstalled;
            live[1] |= reinstalled;
            for (std::size_t key = 0; key < std::size(Keys); ++key) {
                retaken[key] |= reinstalled && physical[key] && !Keys[key].keyboard;
            }
            if (s.front != "admin") { // the key state can be read
                unseenPress = false;
                for (const int which : {0, 1}) {
                    runaway[which] &= !counts[which];
                    counts[which] = sawPress[which] = false;
                    upSince[which] |= !down(which);
                }
            }
        } else if (s.kind == Step::Tick) {
            for (std::size_t key = 0; key < std::size(Keys); ++key) {
                intact[key] &= s.gate && s.front == pressedIn[key];
                if (intact[key] && physical[key] && answer == "idle") {
                    broken += "a scroll held on live hooks was cut; ";
                }
            }
            if (!s.gate) { // the pump forgets every direction
                runaway[0] = runaway[1] = false;
            }
            if (!(answer == "idle" || answer == "nothing" ||
                  (answer == "notch +120" && walk.upBound && (down(0) || runaway[0])) ||
                  (answer == "notch -120" && (down(1) || runaway[1])))) {
                broken += "a tick answered " + answer + "; ";
            }
        } else if (s.kind == Step::Event) {
            broken += event(s, answer);
        }
        return broken;
    }

private:
    const Walk& walk;
    const bool bitTaken;
    std::vector<unsigned> read; // the codes the check reads
    bool physical[std::size(Keys)] = {}, gameDown[std::size(Keys)] = {};
    bool intact[std::size(Keys)] = {}; // swallowed on live hooks, and nothing forgot it since
    // Buttons held while the hooks were taken back: their releases pass, as the game may have
    // seen them pressed meanwhile.
    bool retaken[std::size(Keys)] = {}, unknownDigit[std::size(Keys)] = {};
    std::string pressedIn[std::size(Keys)];
    bool live[2] = {true, true}, unseenPress = false;
    // The known limit: after a release no hook saw, notches may go on until that bind is pressed
    // again where no hook saw it, and not past the check after that press (one where the key
    // state can be read). A press does not count where a hook saw one of the bind earlier between
    // the same two checks, nor, with the pressed-since bit taken, before a check found the bind
    // up: the key state tells neither from a press held all along.
    bool runaway[2] = {}, counts[2] = {}, sawPress[2] = {}, upSince[2] = {};

    bool down(int which) const {
        bool any = false;
        for (const int key : walk.binds[which]->keys) {
            any |= physical[key];
        }
        return any;
    }

    std::string event(const Step& s, const std::string& answer) {
        std::string broken;
        const int key = s.key;
        const bool passed = answer == "passed", live = this->live[Keys[key].keyboard ? 1 : 0];
        const bool hooked = live && s.front != "admin"; // a hook of ours was asked
        const bool bound = walk.ofBind(key, 0) || walk.ofBind(key, 1);
        if (!passed && (answer != "swallowed" || !s.gate || !hooked || !bound)) {
            broken += "an event answered " + answer + "; ";
        }
        // A known limit: a keypad key pressed as Numpad 8 where no hook saw it, then Shift: no
        // hook knows the game has it, and Up's release is swallowed.
        unknownDigit[key] = key == Keypad && s.bind < 0 && s.press ? !hooked : unknownDigit[key];
        if (!s.press && !passed && gameDown[key] && !unknownDigit[key]) {
            broken += "the game keeps a released input down; ";
        }
        if (!s.press && passed && !gameDown[key] && intact[key] && s.gate && live &&
            !retaken[key]) {
            broken += "a release reached the game without its press; ";
        }
        const unsigned code = key == Keypad ? (s.bind >= 0 ? 0x26 : 0x68) : Keys[key].code;
        if (s.press && !hooked && s.front == "admin" &&
            std::find(read.begin(), read.end(), code) != read.end()) {
            unseenPress = true;
        }
        physical[key] = s.press;
        for (const int which : {0, 1}) {
            if (!walk.ofBind(key, which)) {
                continue;
            }
            if (s.press && s.bind == which && hooked) {
                runaway[which] = false;
                sawPress[which] = true;
            } else if (s.press && s.bind == which && s.front != "admin") {
                counts[which] |= !sawPress[which] && (!bitTaken || upSince[which]);
            } else if (!s.press && !hooked && s.front != "admin" && !down(which)) {
                runaway[which] = true;
                counts[which] = upSince[which] = false;
            }
        }
        gameDown[key] = passed ? s.press : gameDown[key];
        if (s.press) {
            retaken[key] = false;
            intact[key] = !passed && live;
            pressedIn[key] = s.front;
        }
        return broken;
    }
};

TEST(Invariants, NoStuckInputNoCutScrollAndNoScrollingWithoutItsBind) {
    for (unsigned seed = 1; seed <= 800; ++seed) {
        Walk walk(seed);
        Transcripts::play(walk.lines);
        Judge judge(walk, (seed >> 3 & 1) != 0);
        std::string broken, trace;
        for (std::size_t i = 0; i < walk.lines.size() && broken.empty(); ++i) {
            const std::string& answer = walk.lines[i].actual;
            trace.append(walk.lines[i].input)
                .append(answer.empty() ? "" : "  => ")
                .append(answer) += '\n';
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
        const auto print = [&] { // one step of the printer: a press, or the note after the last
            Sighting press;
            if (queue.pop(press)) {
                accounted += press.notShownBefore;
                inOrder &= press.code == accounted++;
            } else {
                accounted += queue.takeNotShown();
            }
        };
        for (int step = 0; step < 200; ++step) {
            if (random() % 5 < 3) {
                Sighting press;
                press.code = made++;
                queue.pushPress(press);
            } else {
                print();
            }
        }
        for (std::uint32_t left = made - accounted + 1; left > 0; --left) {
            print();
        }
        ASSERT_TRUE(inOrder && accounted == made) << "seed " << seed;
    }
}
