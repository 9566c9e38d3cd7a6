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

// A key or button of the hardware; keys repeat, buttons do not. `%` stands for the code a keypad
// key reports: Up (0x26) while Shift is held, Numpad 8 (0x68) otherwise.
struct Key {
    const char *press, *release;
    unsigned code;
    bool keyboard;
};
const Key Keys[] = {
    {"WM_KEYDOWN 0x26 scan=0x48 flags=1", "WM_KEYUP 0x26 scan=0x48 flags=1", 0x26, true},
    {"WM_SYSKEYDOWN 0x28 scan=0x50 flags=1", "WM_SYSKEYUP 0x28 scan=0x50 flags=1", 0x28, true},
    {"WM_LBUTTONDOWN", "WM_LBUTTONUP", 1, false},
    {"WM_MBUTTONDOWN", "WM_MBUTTONUP", 4, false},
    {"WM_XBUTTONDOWN data=0x10000", "WM_XBUTTONUP data=0x10000", 5, false},
    {"WM_KEYDOWN 0xA2 scan=0x1D", "WM_KEYUP 0xA2 scan=0x1D", 0xA2, true},
    {"WM_KEYDOWN % scan=0x48", "WM_KEYUP % scan=0x48", 0x26, true},
    {"WM_KEYDOWN 0xA0 scan=0x2A", "WM_KEYUP 0xA0 scan=0x2A", 0xA0, true},
    {"WM_KEYDOWN 0xA1 scan=0x36", "WM_KEYUP 0xA1 scan=0x36", 0xA1, true},
    {"WM_KEYDOWN 0xA2 scan=0x21D", "WM_KEYUP 0xA2 scan=0x21D", 0xA2, true},
    {"WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1", "WM_KEYUP 0xA5 scan=0x38 flags=1", 0xA5, true}};
enum { Keypad = 6, LeftShift = 7, RightShift = 8, AltGrCtrl = 9, AltGr = 10, KeyCount = 11 };

// What a bind may be: its code and the keys that report it.
struct Bind {
    const char* code;
    std::vector<int> keys;
};
const Bind Binds[] = {
    {"0x26", {0}}, {"0x28", {1}}, {"1", {2}},         {"4", {3}},
    {"5", {4}},    {"0xA2", {5}}, {"0x26", {Keypad}}, {"0x10", {LeftShift, RightShift}}};

const char* const Scene = "\nwindow game LaunchUnrealUWindowsClient Velto\n"
                          "window velto2 LaunchUnrealUWindowsClient Velto2\n"
                          "window notepad Notepad\nwindow admin TaskManagerWindow Admin\n"
                          "elevated admin\nchild panel game Panel\nfocus game\nstart";
const std::string Places[] = {"game", "velto2", "notepad", "admin", "panel", "none"}; // 4 in front
const char* const Models[] = {"buttons-first", "general-first", "refusal-clears", "bit-taken"};

// One line of the walk, with the desktop as it left it.
struct Step {
    enum Kind { Other, Event, Tick, Check, Drop } kind = Other;
    int key = -1,
        bind = -1; // an event's key, and the direction (0 up, 1 down) its code is bound to
    bool press = false, gate = false;
    std::string front{};
};

// Plays what a player does: the lines, and what the hardware and the desktop are at each.
struct Walk {
    std::mt19937 random;
    const Bind* binds[2];
    bool upBound;
    std::vector<Transcripts::Line> lines;
    std::vector<Step> steps;
    bool held[KeyCount] = {};
    std::string front = "game", under = "game";

    unsigned pick(unsigned n) { return static_cast<unsigned>(random() % n); }
    bool ofBind(int key, int which) const {
        const auto& keys = binds[which]->keys;
        return (which == 1 || upBound) && std::find(keys.begin(), keys.end(), key) != keys.end();
    }
    void add(const std::string& line, Step step = {}) {
        step.gate = under == front && front != "velto2";
        step.front = front;
        lines.push_back({0, line, "", ""});
        steps.push_back(step);
    }
    void event(int key, bool press) {
        const bool shift = held[LeftShift] || held[RightShift]; // turns the keypad key into Up
        std::string line = press ? Keys[key].press : Keys[key].release;
        if (const auto at = line.find('%'); at != std::string::npos) {
            line.replace(at, 1, shift ? "0x26" : "0x68");
        }
        const int bind = ofBind(key, 1) ? 1 : ofBind(key, 0) ? 0 : -1;
        add(line, {.kind = Step::Event,
                   .key = key,
                   .bind = key != Keypad || shift ? bind : -1,
                   .press = press});
        held[key] = press;
    }

    explicit Walk(unsigned seed) : random(seed) {
        binds[0] = &Binds[pick(8)];
        do {
            binds[1] = &Binds[pick(8)];
        } while (std::string(binds[1]->code) == binds[0]->code);
        upBound = pick(4) != 0; // else up's keys are just other keys
        std::string scene = std::string("config [general]\\ndownbind = ") + binds[1]->code +
                            (upBound ? std::string("\\nupbind = ") + binds[0]->code : "") + Scene;
        for (unsigned model = 0; model < std::size(Models); ++model) {
            scene.insert(0, (seed >> model & 1) != 0 ? std::string("model ") + Models[model] + "\n"
                                                     : "");
        }
        std::istringstream lines(scene);
        for (std::string line; std::getline(lines, line);) {
            add(line);
        }
        for (int n = 0; n < 70; ++n) {
            const unsigned what = pick(12), which = pick(2);
            const auto& keys = binds[which]->keys;
            const int key = keys[pick(static_cast<unsigned>(keys.size()))];
            const int shiftKey = pick(2) == 0 ? LeftShift : RightShift;
            if (what < 2 && (!held[key] || Keys[key].keyboard)) {
                event(key, true);
            } else if (what < 3 && held[key]) {
                event(key, false);
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
    const bool bitTaken;

    std::string judge(const Step& s, const std::string& answer) {
        const bool reinstalled = answer.find("hook ") != std::string::npos;
        if (s.kind == Step::Drop) {
            live[Keys[s.key].keyboard] = false;
            for (int key = 0; key < KeyCount; ++key) {
                keys[key].intact &= Keys[key].keyboard != Keys[s.key].keyboard;
            }
        } else if (s.kind == Step::Check) {
            // Live hooks are taken back only after a press where they are not called: that
            // leaves the same traces in the key state as a press a dropped hook let by.
            const bool cause = !live[0] || !live[1] || unseenPress;
            live[0] |= reinstalled;
            live[1] |= reinstalled;
            for (KeyState& key : keys) {
                key.retaken |= reinstalled && (key.down || key.heldSeen);
            }
            if (s.front != "admin") { // the key state can be read
                unseenPress = false;
                for (int which : {0, 1}) {
                    Limit& limit = limits[which];
                    limit.runaway &= !limit.counts;
                    limit.counts = limit.sawPress = false;
                    limit.upSince |= !down(which);
                }
            }
            return reinstalled && !cause ? "live hooks taken back without cause; " : "";
        } else if (s.kind == Step::Tick) {
            bool cut = false;
            for (KeyState& key : keys) {
                key.intact &= s.gate && s.front == key.pressedIn;
                cut |= key.intact && key.down && answer == "idle";
            }
            if (!s.gate) { // the pump forgets every direction
                limits[0].runaway = limits[1].runaway = false;
            }
            const bool up = walk.upBound && (down(0) || limits[0].runaway);
            const bool sound = answer == "idle" || answer == "nothing" ||
                               (answer == "notch +120" && up) ||
                               (answer == "notch -120" && (down(1) || limits[1].runaway));
            return (cut ? "a scroll held on live hooks was cut; " : "") +
                   (sound ? "" : "a tick answered " + answer + "; ");
        } else if (s.kind == Step::Event) {
            return event(s, answer);
        }
        return "";
    }

    struct KeyState {
        bool down = false, gameDown = false;
        bool intact = false;   // its press swallowed on live hooks, and nothing forgot it since
        bool heldSeen = false; // its last press a hook saw, its release since no hook saw
        bool retaken = false;  // held then while the hooks were taken back: its release may pass
        bool unseenDigit = false;
        std::string pressedIn;
    };
    // The known limit: after a release no hook saw, notches may go on until that bind is pressed
    // again where no hook saw it, and not past the check after that press (one where the key
    // state can be read). A press does not count where a hook saw one of the bind earlier between
    // the same two checks, nor, with the pressed-since bit taken, before a check found the bind
    // up: the key state tells neither from a press held all along.
    struct Limit {
        bool runaway = false, counts = false, sawPress = false, upSince = false;
    };
    KeyState keys[KeyCount]{};
    Limit limits[2]{};
    bool live[2] = {true, true}; // the hooks, by keyboard
    bool unseenPress = false;    // a bound code pressed where the hooks are not called

    bool down(int which) const {
        const auto& bound = walk.binds[which]->keys;
        return std::any_of(bound.begin(), bound.end(), [this](int key) { return keys[key].down; });
    }

    std::string event(const Step& s, const std::string& answer) {
        KeyState& key = keys[s.key];
        const bool passed = answer == "passed", live = this->live[Keys[s.key].keyboard];
        const bool hooked = live && s.front != "admin"; // a hook of ours was asked
        const bool bound = walk.ofBind(s.key, 0) || walk.ofBind(s.key, 1);
        // A known limit: a keypad key pressed as Numpad 8 where no hook saw it, then Shift: no
        // hook knows the game has it, and Up's release is swallowed.
        key.unseenDigit = s.key == Keypad && s.press && s.bind < 0 ? !hooked : key.unseenDigit;
        // Keys of one code (AltGr's Ctrl and left Ctrl, the keypad's Up and the arrow's) leave
        // the key state unable to tell which of them it speaks of: where it cannot, VeltoMacro
        // lets a release pass, which the game may not have seen pressed.
        const bool shared = std::count_if(std::begin(Keys), std::end(Keys), [&](const Key& other) {
                                return other.code == Keys[s.key].code;
                            }) > 1;
        std::string broken =
            std::string(!passed && (answer != "swallowed" || !s.gate || !hooked || !bound)
                            ? "an event answered " + answer + "; "
                            : "") +
            (!s.press && !passed && key.gameDown && !key.unseenDigit
                 ? "the game keeps a released input down; "
                 : "") +
            (!s.press && passed && !key.gameDown && key.intact && s.gate && live && !key.retaken &&
                     !shared
                 ? "a release reached the game without its press; "
                 : "");
        // Where the hooks are not called, a press of a code the check reads leaves the traces of
        // one a dropped hook let by. AltGr's Ctrl is left Ctrl's code.
        const int read = s.key == AltGrCtrl ? 5 : s.key;
        unseenPress |= s.press && s.front == "admin" &&
                       (walk.ofBind(read, 0) || walk.ofBind(read, 1)) &&
                       (s.key != Keypad || s.bind >= 0);
        key.down = s.press;
        key.heldSeen = hooked ? s.press : key.heldSeen;
        for (int which : {0, 1}) {
            Limit& limit = limits[which];
            if (walk.ofBind(s.key, which) && s.press && s.bind == which) {
                limit.counts |= !hooked && s.front != "admin" && !limit.sawPress &&
                                (!bitTaken || limit.upSince);
                limit.runaway &= !hooked;
                limit.sawPress |= hooked;
            } else if (walk.ofBind(s.key, which) && !s.press && !hooked && s.front != "admin" &&
                       !down(which)) {
                limit = {true, false, limit.sawPress, false};
            }
        }
        key.gameDown = passed ? s.press : key.gameDown;
        // Held through the taking back, its release passes, until one a hook saw, or a press of
        // a button (which does not repeat) or of a key after a release the game saw.
        key.retaken &= s.press ? Keys[s.key].keyboard && !key.gameDown : !hooked;
        key.intact = s.press ? !passed && live : key.intact;
        key.pressedIn = s.press ? s.front : key.pressedIn;
        return broken;
    }
};

TEST(Invariants, NoStuckInputNoCutScrollAndNoScrollingWithoutItsBind) {
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        Walk walk(seed);
        Transcripts::play(walk.lines);
        Judge judge{.walk = walk, .bitTaken = (seed >> 3 & 1) != 0};
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
