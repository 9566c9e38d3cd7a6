#include "run_phase.h"

#include "config/settings.h"
#include "emulation/held_directions.h"
#include "emulation/input_hooks.h"
#include "emulation/mouse_buttons.h"
#include "emulation/scroll_pump.h"
#include "platform/platform_error.h"

#include <stdexcept>
#include <string>

namespace {

using namespace DesktopPlatform;

bool needsMouseHook() {
    return isMouseCode(CurrentSettings.upbind) || isMouseCode(CurrentSettings.downbind);
}

bool needsKeyboardHook() {
    return isKeyboardCode(CurrentSettings.upbind) || isKeyboardCode(CurrentSettings.downbind);
}

// The hooks the binds need, the mouse hook first; false at the first refusal, with the last
// error telling why.
bool installHooks() {
    if (needsMouseHook() && (HookHandles.mouse = SetWindowsHookExW(WH_MOUSE_LL, mouseHookProc,
                                                                   nullptr, 0)) == nullptr) {
        return false;
    }
    return !needsKeyboardHook() || (HookHandles.keyboard = SetWindowsHookExW(
                                        WH_KEYBOARD_LL, keyboardHookProc, nullptr, 0)) != nullptr;
}

// Bound inputs whose presses reached the application although the hooks let none through: held
// now, or pressed and released again since the last check.
struct Unseen {
    std::uint32_t held = 0, tapped = 0;
};

Unseen pressesNeverSeen() {
    // The system's key state knows the physical buttons: with the buttons swapped, the logical
    // left one (code 1) is the physical right one (code 2).
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    Unseen unseen;
    for (const auto& [bit, code] : {std::pair{DownHeld, CurrentSettings.downbind},
                                    std::pair{UpHeld, CurrentSettings.upbind}}) {
        const BindCode physical = swapped && (code == 1 || code == 2) ? 3 - code : code;
        // Down now (the high bit), or pressed since the last query (the low bit); nothing for 0.
        const SHORT state = GetAsyncKeyState(static_cast<int>(physical));
        if ((state & 0x8000) != 0) {
            unseen.held |= bit & ~PressesReachedApplication;
        } else if ((state & 1) != 0) {
            unseen.tapped |= bit & ~PressesPassedSinceCheck;
        }
    }
    PressesPassedSinceCheck = 0;
    return unseen;
}

} // namespace

HHOOK installHook(int kind, HOOKPROC procedure) {
    const HHOOK hook = SetWindowsHookExW(kind, procedure, nullptr, 0);
    if (hook == nullptr) {
        raiseLastError();
    }
    return hook;
}

void runEmulation() {
    if (!installHooks()) {
        raiseLastError();
    }
    // A bound input already held reached the application before the hooks were there: its
    // release must reach it too.
    PressesReachedApplication |= pressesNeverSeen().held;
    // The one thread timer: every WM_TIMER of the loop is the hooks' check.
    if (SetTimer(nullptr, 0, HookCheckInterval, nullptr) == 0) {
        raiseLastError();
    }
    // The hooks must answer within the system's time-out even while a game loads every core.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    ignorePowerThrottling();
    // The timer service sets no last error when it refuses, so its code would tell nothing.
    const UINT interval = CurrentSettings.interval;
    if (timeSetEvent(interval, 1, pumpTick, 0, TIME_PERIODIC) == 0) {
        throw std::runtime_error("Unable to start the scroll timer with an interval of " +
                                 std::to_string(interval) + " milliseconds.");
    }

    // Low-level hooks are called from within this thread's message wait, so the loop is what
    // keeps them alive. A quit message must not end it; neither may an error of the wait.
    MSG message;
    for (;;) {
        if (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.message == WM_TIMER) {
                checkHooks();
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void checkHooks() {
    const Unseen unseen = pressesNeverSeen();
    const bool installed = (HookHandles.mouse != nullptr || !needsMouseHook()) &&
                           (HookHandles.keyboard != nullptr || !needsKeyboardHook());
    if ((unseen.held | unseen.tapped) == 0 && installed) {
        return;
    }
    releaseHooks();
    HookHandles = InstalledHooks{};
    installHooks(); // a refusal is tried again at the next check
    HeldDirections.exchange(0);
    PressesReachedApplication |= unseen.held;
}

void releaseHooks() {
    if (HookHandles.mouse != nullptr) {
        DesktopPlatform::UnhookWindowsHookEx(HookHandles.mouse);
    }
    if (HookHandles.keyboard != nullptr) {
        DesktopPlatform::UnhookWindowsHookEx(HookHandles.keyboard);
    }
}
