// Cost of one input event in the hook procedures, against the fake desktop.
#include "config/settings.h"
#include "emulation/held_directions.h"
#include "emulation/input_hooks.h"
#include "emulation/lost_input.h"
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

// What raw input costs beside the hooks: every mouse move is a raw event of its own where a button
// is bound, read and let go; a bound key's raw event is matched against the hook's call.
// cppcheck-suppress constParameterCallback ; the loop over it is the benchmark
void RawMouseMove(benchmark::State& state) {
    setUp();
    CurrentSettings = {5, 5, 0};
    FakeDesktop::state().raw.header.dwType = RIM_TYPEMOUSE;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rawInputProc(nullptr, WM_INPUT, 0, 0x7A));
    }
}
BENCHMARK(RawMouseMove);

void RawBoundKeyWithItsCall(benchmark::State& state) {
    setUp();
    watchForLostInput(KeyboardKind);
    auto& raw = FakeDesktop::state().raw;
    raw.header.dwType = RIM_TYPEKEYBOARD;
    raw.data.keyboard = {0x48, RI_KEY_E0, 0, 0x26, 0, 0};
    KBDLLHOOKSTRUCT event{0x26, 0x48, LLKHF_EXTENDED, 0, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(keyboardHookProc(0, WM_KEYDOWN, reinterpret_cast<LPARAM>(&event)));
        benchmark::DoNotOptimize(rawInputProc(nullptr, WM_INPUT, 0, 0x7A));
    }
}
BENCHMARK(RawBoundKeyWithItsCall);

// A bound button's press, its raw event and its call, as for a key.
void RawBoundButtonWithItsCall(benchmark::State& state) {
    setUp();
    CurrentSettings = {5, 5, 0};
    watchForLostInput(MouseKind);
    auto& raw = FakeDesktop::state().raw;
    raw.header.dwType = RIM_TYPEMOUSE;
    raw.data.mouse.usButtonFlags = 0x40; // the first extra button down
    MSLLHOOKSTRUCT event{{1, 1}, 0x10000, 0, 0, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            mouseHookProc(0, WM_XBUTTONDOWN, reinterpret_cast<LPARAM>(&event)));
        benchmark::DoNotOptimize(rawInputProc(nullptr, WM_INPUT, 0, 0x7A));
    }
}
BENCHMARK(RawBoundButtonWithItsCall);

} // namespace

BENCHMARK_MAIN();
