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
    if (needsMouseHook() &&
        (HookHandles.mouse = SetWindowsHookExW(WH_MOUSE_LL, mouseHookProc, nullptr, 0)) == nullptr) {
        return false;
    }
    return !needsKeyboardHook() || (HookHandles.keyboard = SetWindowsHookExW(
                                        WH_KEYBOARD_LL, keyboardHookProc, nullptr, 0)) != nullptr;
}

// The bound inputs the system reports down although no press of theirs reached the application.
std::uint32_t pressesNeverSeen() {
    // The system's key state knows the physical buttons: with the buttons swapped, the logical
    // left one (code 1) is the physical right one (code 2).
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    std::uint32_t down = 0;
    for (const auto& [bit, code] : {std::pair{DownHeld, CurrentSettings.downbind},
                                    std::pair{UpHeld, CurrentSettings.upbind}}) {
        const BindCode physical = swapped && (code == 1 || code == 2) ? 3 - code : code;
        if (code != 0 && (GetAsyncKeyState(static_cast<int>(physical)) & 0x8000) != 0) {
            down |= bit;
        }
    }
    return down & ~PressesReachedApplication;
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
    const UINT_PTR hookCheck = SetTimer(nullptr, 0, HookCheckInterval, nullptr);
    if (hookCheck == 0) {
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
            if (message.message == WM_TIMER && message.wParam == hookCheck) {
                checkHooks();
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void checkHooks() {
    const std::uint32_t unseen = pressesNeverSeen();
    const bool installed = (HookHandles.mouse != nullptr || !needsMouseHook()) &&
                           (HookHandles.keyboard != nullptr || !needsKeyboardHook());
    if (unseen == 0 && installed) {
        return;
    }
    releaseHooks();
    HookHandles = InstalledHooks{};
    installHooks(); // a refusal is tried again at the next check
    HeldDirections.exchange(0);
    PressesReachedApplication |= unseen;
}

void releaseHooks() {
    if (HookHandles.mouse != nullptr) {
        DesktopPlatform::UnhookWindowsHookEx(HookHandles.mouse);
    }
    if (HookHandles.keyboard != nullptr) {
        DesktopPlatform::UnhookWindowsHookEx(HookHandles.keyboard);
    }
}
