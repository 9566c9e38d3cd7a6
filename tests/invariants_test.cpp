// Random walks through what a player does, played as transcripts: presses, auto-repeats and
// releases of two binds (keys and buttons mixed), the pointer moving between the game, a child
// window of it, another game and another program, the foreground changing, and timer ticks.
// Whatever the walk, what the game sees must be sound after every step.
#include "support/session.h"

#include <gtest/gtest.h>
#include <random>

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
const std::string Scene[] = {"window game LaunchUnrealUWindowsClient Velto",
                             "window panel Panel \"\"",
                             "window velto2 LaunchUnrealUWindowsClient Velto2",
                             "window notepad Notepad \"\"",
                             "focus game",
                             "start"};
const std::string Places[] = {"game", "panel", "velto2", "notepad", "none"};

TEST(Invariants, NoStuckInputAndNoScrollingWithoutItsBind) {
    for (unsigned seed = 1; seed <= 500; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&random](unsigned n) { return static_cast<unsigned>(random() % n); };
        const Input* binds[2] = {&Inputs[pick(5)], &Inputs[pick(5)]};
        while (binds[1] == binds[0]) {
            binds[1] = &Inputs[pick(5)];
        }
        const bool upBound = pick(4) != 0; // else up's input is just another key or button
        std::vector<Transcripts::Line> lines = {
            {0,
             std::string("config [general]\\ndownbind = ") + binds[1]->code +
                 (upBound ? std::string("\\nupbind = ") + binds[0]->code : ""),
             "", ""}};
        for (const std::string& line : Scene) {
            lines.push_back({0, line, "", ""});
        }
        std::vector<int> bindOf(lines.size(), -1); // of each line that presses or releases one
        bool held[2] = {};
        for (int step = 0; step < 60; ++step) {
            const unsigned which = pick(2), what = pick(6), place = pick(5);
            const bool press = what == 0 && (!held[which] || binds[which]->repeats);
            if (press || (what == 1 && held[which])) {
                lines.push_back({0, press ? binds[which]->press : binds[which]->release, "", ""});
                held[which] = press;
            } else if (what == 2 || what == 3) {
                lines.push_back(
                    {0, (what == 2 ? "cursor " : "focus ") + Places[place % (7 - what)], "", ""});
            } else if (what > 3) {
                lines.push_back({0, "tick", "", ""});
            }
            bindOf.resize(lines.size(), press || what == 1 ? static_cast<int>(which) : -1);
        }
        Transcripts::play(lines);

        // What the game can tell from the answers: every released input up, and a notch only
        // for a bind held.
        std::string front = "game", under = "game", broken, walk;
        bool down[2] = {}, seen[2] = {};
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string &input = lines[i].input, &answer = lines[i].actual;
            walk += input + (answer.empty() ? "\n" : "  => " + answer + "\n");
            const int which = bindOf[i];
            if (input.rfind("focus ", 0) == 0) {
                front = under = input.substr(6);
            } else if (input.rfind("cursor ", 0) == 0) {
                under = input.substr(7);
            } else if (input == "tick" && !(answer == "idle" || answer == "nothing" ||
                                            (answer == "notch +120" && down[0] && upBound) ||
                                            (answer == "notch -120" && down[1]))) {
                broken += broken.empty() ? "a tick answered " + answer : "";
            } else if (which >= 0) {
                const bool press = input.find("DOWN") != std::string::npos,
                           passed = answer == "passed";
                const bool gate = under == front && front != "velto2";
                broken +=
                    !broken.empty() || passed || (answer == "swallowed" && gate)
                        ? ""
                        : "an event answered " + answer + (gate ? "" : " while the gate failed");
                seen[which] = passed ? press : seen[which];
                down[which] = press;
                broken += broken.empty() && !press && seen[which]
                              ? "the game keeps a released input down"
                              : "";
            }
        }
        ASSERT_EQ(broken, "") << "seed " << seed << ":\n" << walk;
    }
}

} // namespace
