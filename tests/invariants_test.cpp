// Random walks through what a player does, played as transcripts: presses, auto-repeats and
// releases of two binds (keys and buttons mixed), the pointer moving between the game, a child
// window of it, another game and another program, the foreground changing, timer ticks, the
// hooks' checks, and the platform dropping a hook. Whatever the walk, what the game sees must be
// sound after every step.
#include "keys/sighting.h"
#include "support/session.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace {

struct Input {
    const char *code, *press, *release;
    bool repeats; // a held key repeats its key-down; a held button does not
};

const Input Inputs[] = {{"0x26", "WM_KEYDOWN 0x26", "WM_KEYUP 0x26", true},
                        {"0x28", "WM_SYSKEYDOWN 0x28", "WM_SYSKEYUP 0x28", true},
                        {"1", "WM_LBUTTONDOWN", "WM_LBUTTONUP", false},
                        {"4", "WM_MBUTTONDOWN", "WM_MBUTTONUP", false},
                        {"5", "WM_XBUTTONDOWN data=0x10000", "WM_XBUTTONUP data=0x10000", false}};
const char* const Scene = "window game LaunchUnrealUWindowsClient Velto\n"
                          "window velto2 LaunchUnrealUWindowsClient Velto2\n"
                          "window notepad Notepad\nchild panel game Panel\nfocus game\nstart";
const std::string Places[] = {"game", "velto2", "notepad", "panel", "none"}; // the first 3 in front

struct Step {
    int which = -1; // the bind pressed or released: 0 up, 1 down
    bool press = false, gate = false;
};

TEST(Invariants, NoStuckInputAndNoScrollingWithoutItsBind) {
    for (unsigned seed = 1; seed <= 500; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&random](unsigned n) { return static_cast<unsigned>(random() % n); };
        const Input* binds[2] = {&Inputs[pick(5)], &Inputs[pick(5)]};
        while (binds[1] == binds[0]) {
            binds[1] = &Inputs[pick(5)];
        }
        const bool upBound = pick(4) != 0; // else up's input is just another key or button
        std::vector<Transcripts::Line> lines;
        std::istringstream scene(std::string("config [general]\\ndownbind = ") + binds[1]->code +
                                 (upBound ? std::string("\\nupbind = ") + binds[0]->code : "") +
                                 "\n" + Scene);
        for (std::string line; std::getline(scene, line);) {
            lines.push_back({0, line, "", ""});
        }
        std::vector<Step> steps(lines.size());
        std::string front = "game", under = "game";
        bool held[2] = {};
        for (int step = 0; step < 60; ++step) {
            const unsigned which = pick(2), what = pick(9), place = pick(5);
            const bool press = what == 0 && (!held[which] || binds[which]->repeats);
            if (press || (what == 1 && held[which])) {
                lines.push_back({0, press ? binds[which]->press : binds[which]->release, "", ""});
                steps.push_back(
                    {static_cast<int>(which), press, under == front && front != "velto2"});
                held[which] = press;
            } else if (what == 8 && (which == 1 || upBound)) {
                lines.push_back(
                    {0, binds[which]->repeats ? "drop keyboard" : "drop mouse", "", ""});
                steps.emplace_back();
            } else if (what == 6 || what == 7) {
                lines.push_back({0, "wait 250", "", ""});
                steps.emplace_back();
            } else if (what == 2 || what == 3) {
                under = Places[what == 2 ? place : place % 3];
                front = what == 2 ? front : under;
                lines.push_back({0, (what == 2 ? "cursor " : "focus ") + under, "", ""});
                steps.emplace_back();
            } else if (what == 4 || what == 5) {
                lines.push_back({0, "tick", "", ""});
                steps.emplace_back();
            }
        }
        Transcripts::play(lines);

        // What the game can tell: a notch only for a bind held, and every released input up. The
        // one known limit: after a release that no hook saw, notches may go on until that bind is
        // next pressed, and not one tick longer than the check after that press.
        std::string broken, walk;
        bool down[2] = {}, seen[2] = {}, runaway[2] = {}, pressedSince[2] = {};
        bool dropped[2] = {}; // by bind: its hook dropped, and not installed again since
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& input = lines[i].input;
            const std::string& answer = lines[i].actual;
            const Step& s = steps[i];
            walk.append(input).append(answer.empty() ? "" : "  => ").append(answer) += '\n';
            for (const int bind : {0, 1}) {
                const bool keyboard = binds[bind]->repeats;
                dropped[bind] |= input == (keyboard ? "drop keyboard" : "drop mouse");
                dropped[bind] &= !(input == "wait 250" && !answer.empty());
                runaway[bind] &= !(input == "wait 250" && pressedSince[bind]);
                pressedSince[bind] &= runaway[bind];
            }
            if (lines[i].input == "tick" &&
                !(answer == "idle" || answer == "nothing" ||
                  (answer == "notch +120" && (down[0] || runaway[0]) && upBound) ||
                  (answer == "notch -120" && (down[1] || runaway[1])))) {
                broken += "a tick answered " + answer + "; ";
            } else if (s.which >= 0) {
                pressedSince[s.which] = s.press ? pressedSince[s.which] || runaway[s.which]
                                                : pressedSince[s.which] && !dropped[s.which];
                runaway[s.which] |= !s.press && dropped[s.which];
                if (answer != "passed" && (answer != "swallowed" || !s.gate)) {
                    broken +=
                        "an event answered " + answer + (s.gate ? "" : " with no gate") + "; ";
                }
                seen[s.which] = answer == "passed" ? s.press : seen[s.which];
                down[s.which] = s.press;
                if (!s.press && seen[s.which]) {
                    broken += "the game keeps a released input down; ";
                }
            }
        }
        ASSERT_EQ(broken, "") << "seed " << seed << ":\n" << walk;
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
