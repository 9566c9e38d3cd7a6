#include "support/desktop_test.h"

#include <vector>

namespace {

using namespace DesktopPlatform;

LRESULT mouseEvent(WPARAM message, DWORD mouseData = 0, int nCode = 0) {
    MSLLHOOKSTRUCT event{{100, 100}, mouseData, 0, 0, 0};
    return mouseHookProc(nCode, message, reinterpret_cast<LPARAM>(&event));
}

LRESULT keyEvent(DWORD vkCode, WPARAM message, int nCode = 0) {
    KBDLLHOOKSTRUCT event{vkCode, 0, 0, 0, 0};
    return keyboardHookProc(nCode, message, reinterpret_cast<LPARAM>(&event));
}

struct MouseCase {
    WPARAM message;
    DWORD mouseData;
    BindCode code; // 0: never matches a bind
    bool pressed;
};

void PrintTo(const MouseCase& c, std::ostream* out) {
    *out << std::hex << "message 0x" << c.message << " data 0x" << c.mouseData;
}

const MouseCase mouseCases[] = {
    {WM_LBUTTONDOWN, 0, 1, true},          {WM_LBUTTONUP, 0, 1, false},
    {WM_RBUTTONDOWN, 0, 2, true},          {WM_RBUTTONUP, 0, 2, false},
    {WM_MBUTTONDOWN, 0, 4, true},          {WM_MBUTTONUP, 0, 4, false},
    {WM_XBUTTONDOWN, 0x00010000, 5, true}, {WM_XBUTTONUP, 0x00010000, 5, false},
    {WM_XBUTTONDOWN, 0x00020000, 6, true}, {WM_XBUTTONUP, 0x00020000, 6, false},
    {WM_XBUTTONDOWN, 0x0002FFFF, 6, true}, // the lower half carries nothing
    {WM_XBUTTONDOWN, 0x00000000, 4, true}, // the upper half plus 4, whatever it holds
    {WM_XBUTTONUP, 0x00030000, 7, false},  {WM_MOUSEMOVE, 0x00010000, 0, false},
    {WM_MOUSEWHEEL, 0x00780000, 0, false}, {WM_MOUSEHWHEEL, 0x00780000, 0, false},
    {WM_LBUTTONDBLCLK, 0, 0, false},
};

class MouseMessages : public DesktopTest, public testing::WithParamInterface<MouseCase> {};

TEST_P(MouseMessages, MapToBindCodeAndPressedFlag) {
    const MouseCase& c = GetParam();
    focusGame();
    HookHandles.mouse = reinterpret_cast<HHOOK>(0x77);
    for (BindCode bind = 1; bind <= 8; ++bind) {
        CurrentSettings.upbind = bind;
        HeldDirections = c.pressed ? 0 : UpHeld;
        const LRESULT result = mouseEvent(c.message, c.mouseData);
        if (bind == c.code) {
            EXPECT_EQ(result, 1) << "bind " << bind;
            EXPECT_EQ(HeldDirections, c.pressed ? UpHeld : 0u) << "bind " << bind;
        } else {
            EXPECT_EQ(result, FakeDesktop::PassedOn) << "bind " << bind;
            EXPECT_EQ(HeldDirections, c.pressed ? 0 : UpHeld) << "bind " << bind;
            EXPECT_EQ(FakeDesktop::state().lastNextHookHandle, HookHandles.mouse);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(InputHooks, MouseMessages, testing::ValuesIn(mouseCases));

TEST_F(DesktopTest, KeyDownAndSystemKeyDownPressEveryOtherMessageReleases) {
    focusGame();
    CurrentSettings.downbind = 0x28;
    HookHandles.keyboard = reinterpret_cast<HHOOK>(0x66);
    for (const WPARAM down : {WM_KEYDOWN, WM_SYSKEYDOWN}) {
        for (const WPARAM up : {WM_KEYUP, WM_SYSKEYUP, WPARAM{0x0102}}) {
            EXPECT_EQ(keyEvent(0x28, down), 1);
            EXPECT_EQ(HeldDirections, DownHeld);
            EXPECT_EQ(keyEvent(0x28, up), 1);
            EXPECT_EQ(HeldDirections, 0u);
        }
    }
    EXPECT_EQ(keyEvent(0x26, WM_KEYDOWN), FakeDesktop::PassedOn);
    EXPECT_EQ(FakeDesktop::state().lastNextHookHandle, HookHandles.keyboard);
}

TEST_F(DesktopTest, NegativeCodeIsPassedOnUntouched) {
    focusGame();
    CurrentSettings.upbind = 1;
    CurrentSettings.downbind = 0x28;
    EXPECT_EQ(keyEvent(0x28, WM_KEYDOWN, -1), FakeDesktop::PassedOn);
    EXPECT_EQ(mouseEvent(WM_LBUTTONDOWN, 0, -1), FakeDesktop::PassedOn);
    EXPECT_EQ(HeldDirections, 0u);
}

TEST_F(DesktopTest, CodeZeroNeverMatchesAnUnboundDirection) {
    focusGame();
    CurrentSettings.upbind = 0x26; // downbind stays 0
    EXPECT_FALSE(updateHeld(0, true));
    EXPECT_EQ(HeldDirections, 0u);
}

// A whole sequence of events, each with the gate's answer at that moment.
enum class Bind { Up, Down };
struct Step {
    Bind bind;
    bool pressed;
    bool gate;
    bool swallowed;
    std::uint32_t heldAfter;
};
struct Transcript {
    const char* description;
    std::vector<Step> steps;
};

void PrintTo(const Transcript& t, std::ostream* out) {
    *out << t.description;
}

constexpr bool Press = true, Release = false, Gate = true, NoGate = false;
constexpr bool Swallowed = true, Passed = false;
constexpr std::uint32_t Both = UpHeld | DownHeld;

const Transcript transcripts[] = {
    {"press and release inside the gate",
     {{Bind::Up, Press, Gate, Swallowed, UpHeld}, {Bind::Up, Release, Gate, Swallowed, 0}}},
    {"auto-repeat keeps being swallowed",
     {{Bind::Down, Press, Gate, Swallowed, DownHeld},
      {Bind::Down, Press, Gate, Swallowed, DownHeld},
      {Bind::Down, Press, Gate, Swallowed, DownHeld},
      {Bind::Down, Release, Gate, Swallowed, 0}}},
    {"press outside the gate reaches the application", {{Bind::Up, Press, NoGate, Passed, 0}}},
    {"release outside the gate still ends the direction",
     {{Bind::Up, Press, Gate, Swallowed, UpHeld}, {Bind::Up, Release, NoGate, Passed, 0}}},
    {"release of a press the application saw reaches it too",
     {{Bind::Up, Press, NoGate, Passed, 0}, {Bind::Up, Release, Gate, Passed, 0}}},
    {"both directions are independent",
     {{Bind::Up, Press, Gate, Swallowed, UpHeld},
      {Bind::Down, Press, Gate, Swallowed, Both},
      {Bind::Up, Release, Gate, Swallowed, DownHeld},
      {Bind::Down, Release, NoGate, Passed, 0}}},
    {"auto-repeat re-arms after the gate came back",
     {{Bind::Down, Press, NoGate, Passed, 0}, {Bind::Down, Press, Gate, Swallowed, DownHeld}}},
};

class HeldTranscript : public DesktopTest, public testing::WithParamInterface<Transcript> {};

TEST_P(HeldTranscript, SwallowsAndRecordsEachEvent) {
    CurrentSettings.upbind = 0x26;
    CurrentSettings.downbind = 0x28;
    const auto game = focusGame();
    const auto other = addOtherWindow();
    int index = 0;
    for (const Step& step : GetParam().steps) {
        FakeDesktop::focus(game, step.gate ? game : other);
        const BindCode code = step.bind == Bind::Up ? 0x26 : 0x28;
        EXPECT_EQ(updateHeld(code, step.pressed), step.swallowed) << "step " << index;
        EXPECT_EQ(HeldDirections, step.heldAfter) << "step " << index;
        ++index;
    }
}

INSTANTIATE_TEST_SUITE_P(InputHooks, HeldTranscript, testing::ValuesIn(transcripts));

} // namespace
