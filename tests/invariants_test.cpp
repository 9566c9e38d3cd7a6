// Random walks through what a player does, against the real run phase and hook procedures on the
// fake desktop: presses, auto-repeats and releases of two binds (keys and buttons mixed), the
// pointer moving between the game, a child window of it, another game and another program, the
// foreground changing, and timer ticks. After every step, what the game sees must be sound.
#include "config/settings.h"
#include "driver/run_phase.h"
#include "emulation/held_directions.h"
#include "emulation/input_hooks.h"
#include "support/fake_desktop.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using namespace DesktopPlatform;

struct Input {
    BindCode code;
    WPARAM press, release;
    DWORD data;
};

const Input Inputs[] = {{0x26, WM_KEYDOWN, WM_KEYUP, 0},
                        {0x28, WM_SYSKEYDOWN, WM_SYSKEYUP, 0},
                        {1, WM_LBUTTONDOWN, WM_LBUTTONUP, 0},
                        {4, WM_MBUTTONDOWN, WM_MBUTTONUP, 0},
                        {5, WM_XBUTTONDOWN, WM_XBUTTONUP, 0x10000}};
const char* const Places[] = {"the game", "its child", "another game", "notepad", "nothing"};

struct WalkOver {};

// One walk: its seed chooses the binds and every step; `broken` names the first broken promise.
struct Walk {
    std::mt19937 random;
    const Input* binds[2]; // up, down
    HWND places[5];
    bool held[2] = {};         // physically
    bool gameSeesDown[2] = {}; // as far as the game can tell
    std::string trace, broken;

    unsigned pick(unsigned count) {
        return std::uniform_int_distribution<unsigned>(0, count - 1)(random);
    }

    explicit Walk(unsigned seed) : random(seed) {
        FakeDesktop::reset();
        HeldDirections = PressesReachedApplication = 0;
        HookHandles = InstalledHooks{};
        places[0] = FakeDesktop::addWindow(u"LaunchUnrealUWindowsClient", u"Velto");
        places[1] = FakeDesktop::addWindow(u"Panel", u"");
        places[2] = FakeDesktop::addWindow(u"LaunchUnrealUWindowsClient", u"Velto2");
        places[3] = FakeDesktop::addWindow(u"Notepad", u"");
        places[4] = nullptr;
        FakeDesktop::state().foreground = FakeDesktop::state().atCursor = places[0];
        binds[0] = &Inputs[pick(5)];
        do {
            binds[1] = &Inputs[pick(5)];
        } while (binds[1] == binds[0]);
        // Now and then scrolling up is unbound, and its input just another one.
        CurrentSettings = {5, pick(4) == 0 ? 0 : binds[0]->code, binds[1]->code};
        FakeDesktop::state().nextMessage = [this](MSG&) -> BOOL { return steps(); };
    }

    void promise(bool kept, const char* what) {
        if (!kept && broken.empty()) {
            broken = what;
        }
    }

    void event(int which, bool press) {
        const Input& input = *binds[which];
        trace += std::string(press ? held[which] ? " repeat " : " press " : " release ") +
                 std::to_string(input.code);
        const auto& desktop = FakeDesktop::state();
        const bool gate = desktop.atCursor == desktop.foreground && desktop.foreground != places[2];
        const WPARAM message = press ? input.press : input.release;
        const bool swallowed = (message < WM_MOUSEMOVE ? FakeDesktop::key(message, input.code)
                                                       : FakeDesktop::mouse(message, input.data)) !=
                               FakeDesktop::PassedOn;
        promise(!swallowed || gate, "an input was swallowed while the gate failed");
        gameSeesDown[which] = swallowed ? gameSeesDown[which] : press;
        held[which] = press;
        promise(press || !gameSeesDown[which], "the game keeps a released input down");
    }

    void tick() {
        trace += " tick";
        auto& desktop = FakeDesktop::state();
        desktop.sentCount = 0;
        FakeDesktop::tick();
        promise(desktop.sentCount <= 1, "more than one notch in a tick");
        for (std::size_t i = 0; i < desktop.sentCount; ++i) {
            const auto amount = static_cast<std::int32_t>(desktop.sent[i].mi.mouseData);
            promise(amount == 120 ? held[0] && CurrentSettings.upbind != 0
                                  : amount == -120 && held[1],
                    "a notch without its bind held");
        }
    }

    BOOL steps() {
        for (int step = 0; step < 60 && broken.empty(); ++step) {
            const int which = static_cast<int>(pick(2));
            const unsigned place = pick(5);
            switch (pick(6)) {
            case 0:
                if (!held[which] || binds[which]->press < WM_MOUSEMOVE) {
                    event(which, true); // a held key repeats, a held button does not
                }
                break;
            case 1:
                if (held[which]) {
                    event(which, false);
                }
                break;
            case 2:
                FakeDesktop::state().atCursor = places[place];
                trace += std::string(" pointer over ") + Places[place];
                break;
            case 3:
                FakeDesktop::state().foreground = places[place % 4];
                trace += std::string(" in front ") + Places[place % 4];
                break;
            default:
                tick();
            }
        }
        throw WalkOver{};
    }
};

TEST(Invariants, NoStuckInputAndNoScrollingWithoutItsBind) {
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        Walk walk(seed);
        EXPECT_THROW(runEmulation(), WalkOver);
        ASSERT_EQ(walk.broken, "") << "seed " << seed << ":" << walk.trace;
    }
}

} // namespace
