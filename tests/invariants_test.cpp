// Random walks through what a player can do, against the real run phase and hook procedures on
// the fake desktop: presses, auto-repeats and releases of the binds, the pointer moving between
// the game window, a child window of it and elsewhere, the foreground changing, and timer ticks.
// After every step, what the game sees must be sound.
#include "config/settings.h"
#include "driver/run_phase.h"
#include "emulation/held_directions.h"
#include "emulation/input_hooks.h"
#include "support/fake_desktop.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

using namespace DesktopPlatform;

struct Input {
    BindCode code;
    WPARAM press, release; // a key's messages, or a button's
    DWORD data;
    const char* name;
};

const Input Inputs[] = {
    {0x26, WM_KEYDOWN, WM_KEYUP, 0, "Up"},
    {0x28, WM_SYSKEYDOWN, WM_SYSKEYUP, 0, "Down"},
    {1, WM_LBUTTONDOWN, WM_LBUTTONUP, 0, "left button"},
    {4, WM_MBUTTONDOWN, WM_MBUTTONUP, 0, "middle button"},
    {5, WM_XBUTTONDOWN, WM_XBUTTONUP, 0x10000, "first extra button"},
};

const char* const PlaceNames[] = {"game", "its child", "another game", "notepad", "nothing"};

struct WalkEnded {};

class Walk {
public:
    explicit Walk(unsigned seed) : random(seed) {
        FakeDesktop::reset();
        CurrentSettings = Settings{};
        HeldDirections = 0;
        PressesReachedApplication = 0;
        HookHandles = InstalledHooks{};
        game = FakeDesktop::addWindow(u"LaunchUnrealUWindowsClient", u"Velto");
        otherGame = FakeDesktop::addWindow(u"LaunchUnrealUWindowsClient", u"Velto2");
        const HWND child = FakeDesktop::addWindow(u"Panel", u"");
        const HWND notepad = FakeDesktop::addWindow(u"Notepad", u"");
        places = {game, child, otherGame, notepad, nullptr};
        FakeDesktop::state().foreground = FakeDesktop::state().atCursor = game;
        // Two different binds, keys and buttons mixed; now and then one direction unbound.
        up = &Inputs[pick(5)];
        do {
            down = &Inputs[pick(5)];
        } while (down == up);
        CurrentSettings = {5, pick(4) == 0 ? 0 : up->code, down->code};
        FakeDesktop::state().nextMessage = [this](MSG&) -> BOOL { return steps(); };
    }

    // The walk's steps, and the first broken promise.
    std::string trace;
    std::string broken;

    void run() {
        try {
            runEmulation();
        } catch (const WalkEnded&) {
        }
    }

private:
    std::mt19937 random;
    HWND game, otherGame;
    std::vector<HWND> places;
    const Input* up;
    const Input* down;
    bool held[2] = {};        // physically held: up, down
    bool gameSeesDown[2] = {}; // pressed, as far as the game can tell

    unsigned pick(unsigned count) { return std::uniform_int_distribution<unsigned>(0, count - 1)(random); }

    bool gatePasses() const {
        const auto& desktop = FakeDesktop::state();
        return desktop.atCursor == desktop.foreground && desktop.foreground != otherGame;
    }

    void check(bool promise, const char* what) {
        if (!promise && broken.empty()) {
            broken = what;
        }
    }

    void event(int which, bool press) {
        const Input& input = which == 0 ? *up : *down;
        const WPARAM message = press ? input.press : input.release;
        trace += std::string(press ? (held[which] ? " repeat " : " press ") : " release ") + input.name;
        const bool gate = gatePasses();
        const LRESULT answer = message < WM_MOUSEMOVE ? FakeDesktop::key(message, input.code)
                                                      : FakeDesktop::mouse(message, input.data);
        const bool swallowed = answer != FakeDesktop::PassedOn;
        check(!swallowed || gate, "an event was swallowed while the gate failed");
        if (!swallowed) {
            gameSeesDown[which] = press;
        }
        held[which] = press;
        check(press || !gameSeesDown[which], "the game keeps a released input down");
    }

    void tick() {
        trace += " tick";
        FakeDesktop::state().sentCount = 0;
        FakeDesktop::tick();
        const auto& desktop = FakeDesktop::state();
        check(desktop.sentCount <= 1, "more than one notch in a tick");
        for (std::size_t i = 0; i < desktop.sentCount; ++i) {
            const auto amount = static_cast<std::int32_t>(desktop.sent[i].mi.mouseData);
            const bool bound = CurrentSettings.upbind != 0;
            check(amount == 120 ? held[0] && bound : amount == -120 && held[1],
                  "a notch without its bind held");
        }
    }

    BOOL steps() {
        for (int step = 0; step < 60 && broken.empty(); ++step) {
            const int which = static_cast<int>(pick(2));
            const bool isKey = (which == 0 ? up : down)->press < WM_MOUSEMOVE;
            unsigned place = 0;
            switch (pick(6)) {
            case 0:
                if (!held[which] || isKey) {
                    event(which, true); // a key held down repeats
                }
                break;
            case 1:
                if (held[which]) {
                    event(which, false);
                }
                break;
            case 2:
                place = pick(5);
                FakeDesktop::state().atCursor = places[place];
                trace += std::string(" pointer over ") + PlaceNames[place];
                break;
            case 3:
                place = pick(4);
                FakeDesktop::state().foreground = places[place];
                trace += std::string(" in front ") + PlaceNames[place];
                break;
            default:
                tick();
            }
        }
        throw WalkEnded{};
    }
};

TEST(Invariants, NoStuckInputAndNoScrollingWithoutItsBind) {
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        Walk walk(seed);
        walk.run();
        ASSERT_EQ(walk.broken, "") << "seed " << seed << ":" << walk.trace;
    }
}

} // namespace
