#include "scroll_pump.h"

#include "held_directions.h"
#include "lost_input.h"
#include "target_window.h"

namespace {

// Up turns the wheel away from the user, down towards; both held cancel out.
std::int32_t notchAmount(std::uint32_t held) {
    return ((held & UpHeld) != 0 ? WheelNotch : 0) - ((held & DownHeld) != 0 ? WheelNotch : 0);
}

} // namespace

void pumpTick(DesktopPlatform::UINT, DesktopPlatform::UINT, DesktopPlatform::DWORD_PTR,
              DesktopPlatform::DWORD_PTR, DesktopPlatform::DWORD_PTR) {
    using namespace DesktopPlatform;
    // Nothing held is the usual case: answer it without asking the window system anything.
    if (HeldDirections.load() == 0) {
        return;
    }
    // A direction belongs to the window in front when it was pressed: a release in another window
    // may reach no hook at all (one of higher rights), so it would run on with nothing held.
    const GateVerdict verdict = gateVerdict();
    // The hooks' thread busy past the system's time-out may have had a release passed on without
    // it: no notch until it waits again and tells. One that waits answers at once, however long
    // it waits. (Its sign of life is read after whether it waits, and before the clock.)
    const bool waiting = HookThreadWaiting.load(std::memory_order_acquire);
    const DWORD alive = HookThreadAlive.load();
    if (!verdict.actsHere() || verdict.foreground != HeldWindow.load()) {
        HeldDirections.exchange(0);
    } else if (!waiting && GetTickCount() - alive > hookWaits().shortest) {
        return;
    } else if (const std::int32_t amount = notchAmount(HeldDirections.load()); amount != 0) {
        INPUT input{INPUT_MOUSE, {}};
        input.mi.mouseData = static_cast<DWORD>(amount); // two's complement: -120 is 0xFFFFFF88
        input.mi.dwFlags = MOUSEEVENTF_WHEEL;
        SendInput(1, &input, sizeof input);
    }
}
