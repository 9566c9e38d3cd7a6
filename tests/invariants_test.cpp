// Random walks through what a player does, played as transcripts: presses, auto-repeats and
// releases of two binds (keys and buttons mixed), the pointer moving between the game, a child
// window of it, another game and another program, the foreground changing, and timer ticks.
// Whatever the walk, what the game sees must be sound after every step.
#include "support/session.h"

#include <gtest/gtest.h>
#include <random>

namespace {

struct Input {
    const char* code;
    const char *press, *release;
    bool repeats; // a held key repeats its key-down; a held button does not
};

const Input Inputs[] = {{"0x26", "WM_KEYDOWN 0x26", "WM_KEYUP 0x26", true},
                        {"0x28", "WM_SYSKEYDOWN 0x28", "WM_SYSKEYUP 0x28", true},
                        {"1", "WM_LBUTTONDOWN", "WM_LBUTTONUP", false},
                        {"4", "WM_MBUTTONDOWN", "WM_MBUTTONUP", false},
                        {"5", "WM_XBUTTONDOWN data=0x10000", "WM_XBUTTONUP data=0x10000", false}};
const std::string Places[] = {"game", "panel", "velto2", "notepad", "none"};

struct Step {
    int which = -1; // the bind an event is of: 0 up, 1 down
    bool press = false;
};

// The first promise the walk's answers break, or nothing.
std::string broken(const std::vector<Transcripts::Line>& lines, const std::vector<Step>& steps,
                   bool upBound) {
    std::string front = "game", under = "game";
    bool held[2] = {}, gameSeesDown[2] = {};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string &input = lines[i].input, &answer = lines[i].actual;
        const int which = steps[i].which;
        if (input.rfind("focus ", 0) == 0) {
            front = under = input.substr(6);
        } else if (input.rfind("cursor ", 0) == 0) {
            under = input.substr(7);
        } else if (input == "tick" && !(answer == "idle" || answer == "nothing" ||
                                        (answer == "notch +120" && held[0] && upBound) ||
                                        (answer == "notch -120" && held[1]))) {
            return "a tick answered " + answer;
        } else if (which >= 0) {
            const bool gate = under == front && front != "velto2";
            if (answer != "passed" && (answer != "swallowed" || !gate)) {
                return "an event was " + answer + (gate ? "" : " while the gate failed");
            }
            gameSeesDown[which] = answer == "passed" ? steps[i].press : gameSeesDown[which];
            held[which] = steps[i].press;
            if (!held[which] && gameSeesDown[which]) {
                return "the game keeps a released input down";
            }
        }
    }
    return "";
}

TEST(Invariants, NoStuckInputAndNoScrollingWithoutItsBind) {
    for (unsigned seed = 1; seed <= 500; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&random](unsigned n) {
            return std::uniform_int_distribution<unsigned>(0, n - 1)(random);
        };
        const Input* binds[2] = {&Inputs[pick(5)], nullptr};
        do {
            binds[1] = &Inputs[pick(5)];
        } while (binds[1] == binds[0]);
        const bool upBound = pick(4) != 0; // else up's input is just another one
        std::vector<Transcripts::Line> lines;
        std::vector<Step> steps;
        const auto line = [&](const std::string& text, Step step = {}) {
            lines.push_back({0, text, "", ""});
            steps.push_back(step);
        };
        line(std::string("config [general]\\ndownbind = ") + binds[1]->code +
             (upBound ? std::string("\\nupbind = ") + binds[0]->code : ""));
        line("window game LaunchUnrealUWindowsClient Velto");
        line("window panel Panel \"\"");
        line("window velto2 LaunchUnrealUWindowsClient Velto2");
        line("window notepad Notepad \"\"");
        line("focus game");
        line("start");
        bool held[2] = {};
        for (int step = 0; step < 60; ++step) {
            const int which = static_cast<int>(pick(2));
            const unsigned place = pick(5), what = pick(6);
            if (what == 0 && (!held[which] || binds[which]->repeats)) {
                line(binds[which]->press, {which, held[which] = true});
            } else if (what == 1 && held[which]) {
                line(binds[which]->release, {which, held[which] = false});
            } else if (what == 2) {
                line("cursor " + Places[place]);
            } else if (what == 3) {
                line("focus " + Places[place % 4]);
            } else if (what > 3) {
                line("tick");
            }
        }
        Transcripts::play(lines);
        const std::string promise = broken(lines, steps, upBound);
        std::string walk;
        for (const auto& played : lines) {
            walk += played.input + (played.actual.empty() ? "\n" : "  => " + played.actual + "\n");
        }
        ASSERT_EQ(promise, "") << "seed " << seed << ":\n" << walk;
    }
}

} // namespace
