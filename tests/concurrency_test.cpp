// The hooks and the pump share only HeldDirections. Run them on two threads at once, as the
// platform does, while the gate changes under them.
#include "emulation/scroll_pump.h"
#include "support/desktop_test.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace DesktopPlatform;

TEST_F(DesktopTest, HooksAndPumpOnTwoThreads) {
    const auto game = focusGame();
    const auto other = addOtherWindow();
    CurrentSettings = {5, 0x26, 0x28};
    FakeDesktop::state().sent.reserve(1 << 16);

    std::atomic<bool> stop{false};
    std::atomic<bool> hooksIdle{false};
    std::atomic<bool> hooksParked{false};
    std::atomic<long> ticks{0};
    std::thread pump([&] {
        while (!stop) {
            pumpTick(1, 0, 0, 0, 0);
            ++ticks;
        }
    });
    const auto waitTicks = [&ticks](long count) {
        for (const long start = ticks; ticks - start < count;) {
            std::this_thread::yield();
        }
    };
    std::thread hooks([&] {
        KBDLLHOOKSTRUCT up{0x26, 0, 0, 0, 0};
        KBDLLHOOKSTRUCT down{0x28, 0, 0, 0, 0};
        for (int i = 0; !stop; ++i) {
            hooksParked = hooksIdle.load();
            if (hooksParked) {
                std::this_thread::yield();
                continue;
            }
            KBDLLHOOKSTRUCT& key = i % 3 == 0 ? down : up;
            keyboardHookProc(0, i % 2 == 0 ? WM_KEYDOWN : WM_KEYUP, reinterpret_cast<LPARAM>(&key));
        }
    });

    // Scrolling while the gate passes: the pump catches a held direction sooner or later (the
    // bound only keeps a broken build from spinning forever).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (FakeDesktop::sentInputs().size() < 100 && std::chrono::steady_clock::now() < deadline) {
        waitTicks(100);
    }
    EXPECT_GE(FakeDesktop::sentInputs().size(), 100u);

    // Nothing held: nothing sent, whatever the gate says.
    hooksIdle = true;
    while (!hooksParked) {
        std::this_thread::yield();
    }
    updateHeld(0x26, false);
    updateHeld(0x28, false);
    waitTicks(2);
    const std::size_t idleStart = FakeDesktop::sentInputs().size();
    waitTicks(1000);
    EXPECT_EQ(FakeDesktop::sentInputs().size(), idleStart);

    // The gate turns false while presses keep coming: once a tick has passed after the change,
    // no notch follows.
    hooksIdle = false;
    waitTicks(500);
    FakeDesktop::focus(game, other);
    waitTicks(2); // the first may have asked the gate before the change
    const std::size_t closed = FakeDesktop::sentInputs().size();
    waitTicks(2000);
    EXPECT_EQ(FakeDesktop::sentInputs().size(), closed);

    stop = true;
    hooks.join();
    pump.join();
}

} // namespace
