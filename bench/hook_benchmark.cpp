// Cost of one input event in the hook procedures, against the fake desktop.
#include "config/settings.h"
#include "emulation/held_directions.h"
#include "emulation/input_hooks.h"
#include "support/fake_desktop.h"

#include <benchmark/benchmark.h>

namespace {

using namespace DesktopPlatform;

void setUp() {
    FakeDesktop::state() = FakeDesktop::State{};
    const auto game = FakeDesktop::addWindow(u"LaunchUnrealUWindowsClient", u"Velto");
    FakeDesktop::state().foreground = FakeDesktop::state().atCursor = game;
    CurrentSettings = {5, 0x26, 0x28};
    HeldDirections = 0;
}

void UnboundKey(benchmark::State& state) {
    setUp();
    KBDLLHOOKSTRUCT event{0x41, 0, 0, 0, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(keyboardHookProc(0, WM_KEYDOWN, reinterpret_cast<LPARAM>(&event)));
    }
}
BENCHMARK(UnboundKey);

void MouseMove(benchmark::State& state) {
    setUp();
    MSLLHOOKSTRUCT event{{1, 1}, 0, 0, 0, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(mouseHookProc(0, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&event)));
    }
}
BENCHMARK(MouseMove);

// Every press asks the gate, the window system's four questions.
void BoundKeyWithGate(benchmark::State& state) {
    setUp();
    KBDLLHOOKSTRUCT event{0x26, 0, 0, 0, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(keyboardHookProc(0, WM_KEYDOWN, reinterpret_cast<LPARAM>(&event)));
    }
}
BENCHMARK(BoundKeyWithGate);

} // namespace

BENCHMARK_MAIN();
