#include "emulation/scroll_pump.h"
#include "support/desktop_test.h"

#include <vector>

namespace {

using namespace DesktopPlatform;
using Amounts = std::vector<std::int32_t>;

class ScrollPump : public DesktopTest {
protected:
    void tick() { pumpTick(1, 0, 0, 0, 0); }
};

TEST_F(ScrollPump, SendsOneNotchPerTickForTheHeldDirection) {
    focusGame();
    HeldDirections = UpHeld;
    tick();
    tick();
    HeldDirections = DownHeld;
    tick();
    HeldDirections = UpHeld | DownHeld; // the two cancel out
    tick();
    EXPECT_EQ(FakeDesktop::sentWheelAmounts(), (Amounts{120, 120, -120}));
}

TEST_F(ScrollPump, NotchIsOneWheelRecordOfTheDocumentedShape) {
    focusGame();
    HeldDirections = DownHeld;
    tick();
    const std::vector<INPUT> sent = FakeDesktop::sentInputs();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, INPUT_MOUSE);
    EXPECT_EQ(sent[0].mi.mouseData, 0xFFFFFF88u);
    EXPECT_EQ(sent[0].mi.dwFlags, MOUSEEVENTF_WHEEL);
    EXPECT_EQ(sent[0].mi.dx, 0);
    EXPECT_EQ(sent[0].mi.dy, 0);
    EXPECT_EQ(sent[0].mi.time, 0u);
    EXPECT_EQ(sent[0].mi.dwExtraInfo, 0u);
}

TEST_F(ScrollPump, IdleTicksAskTheWindowSystemNothing) {
    focusGame();
    for (int i = 0; i < 100; ++i) {
        tick();
    }
    EXPECT_EQ(FakeDesktop::state().foregroundQueries, 0);
    EXPECT_TRUE(FakeDesktop::sentInputs().empty());
}

TEST_F(ScrollPump, GateFailureReleasesEverythingUntilTheNextPress) {
    const auto game = focusGame();
    CurrentSettings.upbind = 0x26;
    HeldDirections = UpHeld;
    moveCursorAway();
    tick();
    EXPECT_EQ(HeldDirections, 0u);
    FakeDesktop::focus(game);
    tick(); // back over the game, key still physically down: nothing until it repeats
    EXPECT_TRUE(FakeDesktop::sentInputs().empty());
    ASSERT_TRUE(updateHeld(0x26, true)); // auto-repeat
    tick();
    EXPECT_EQ(FakeDesktop::sentWheelAmounts(), (Amounts{120}));
}

TEST_F(ScrollPump, ReleaseOutsideTheGateLeavesNoRunawayScrolling) {
    const auto game = focusGame();
    CurrentSettings.downbind = 0x28;
    ASSERT_TRUE(updateHeld(0x28, true));
    tick();
    moveCursorAway();
    EXPECT_FALSE(updateHeld(0x28, false));
    FakeDesktop::focus(game); // the gate passes again before the next tick
    tick();
    tick();
    EXPECT_EQ(FakeDesktop::sentWheelAmounts(), (Amounts{-120}));
}

TEST_F(ScrollPump, InjectedWheelPassesTheMouseHook) {
    focusGame();
    CurrentSettings.upbind = 4; // the middle button: the same neighbourhood as the wheel
    FakeDesktop::state().feedInjectedInputToHooks = true;
    HookHandles.mouse = SetWindowsHookExW(WH_MOUSE_LL, mouseHookProc, nullptr, 0);
    ASSERT_EQ(FakeDesktop::mouse(WM_MBUTTONDOWN), 1);
    tick();
    tick();
    EXPECT_EQ(FakeDesktop::sentWheelAmounts(), (Amounts{120, 120}));
    EXPECT_EQ(FakeDesktop::state().injectedSwallowed, 0);
    EXPECT_EQ(HeldDirections, UpHeld);
}

} // namespace
