#include "run_phase.h"

#include "code_claims.h"
#include "config/settings.h"
#include "emulation/bound_keys.h"
#include "emulation/held_directions.h"
#include "emulation/input_hooks.h"
#include "emulation/lost_input.h"
#include "emulation/mouse_buttons.h"
#include "emulation/scroll_pump.h"
#include "platform/platform_error.h"

#include <algorithm>
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

// The kinds of input the binds need, by hook.
std::uint32_t boundKinds() {
    return (needsKeyboardHook() ? KeyboardKind : 0) | (needsMouseHook() ? MouseKind : 0);
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
    // Windows ends a console program whose console window is closed. Under Wine a close may end
    // only the console's host and leave the program running, scrolling where a bind is held, with
    // no window left to close (seen when the pointer was not over the console window): the
    // program ends itself once its console window is gone.
    const HWND console = GetConsoleWindow();
    claimCodes();
    if (!installHooks()) {
        raiseLastError();
    }
    // A bound input already held reached the application before the hooks were there: its
    // release must reach it too.
    if (hooksCalledHere()) {
        notePressesUnseen();
    }
    watchForLostInput(boundKinds());
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
        HookThreadWaiting.store(true, std::memory_order_relaxed);
        const BOOL taken = GetMessageW(&message, nullptr, 0, 0);
        HookThreadAlive.store(GetTickCount(), std::memory_order_relaxed);
        HookThreadWaiting.store(false, std::memory_order_release); // after its sign of life
        if (taken > 0) {
            if (message.message == WM_TIMER) {
                if (console != nullptr && IsWindow(console) == 0) {
                    ExitProcess(ConsoleClosedExit);
                }
                checkHooks();
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void checkHooks() {
    const std::uint32_t lost = takeLostKinds();
    if (hooksCalledHere()) {
        notePressesUnseen();
    }
    const bool installed = (HookHandles.mouse != nullptr || !needsMouseHook()) &&
                           (HookHandles.keyboard != nullptr || !needsKeyboardHook());
    if (lost == 0 && installed) {
        return;
    }
    releaseHooks();
    HookHandles = InstalledHooks{};
    installHooks(); // a refusal is tried again at the next check
    // Input of a kind was lost: a direction of that kind may have lost its release, which raw
    // input, where it watches, tells of when it comes.
    for (const std::uint32_t bit : {DownHeld, UpHeld}) {
        const std::uint32_t kind = isMouseCode(bindOf(bit)) ? MouseKind : KeyboardKind;
        if ((lost & kind) != 0 && !rawInputWatches(kind)) {
            HeldDirections.fetch_and(~bit);
        }
    }
    // A press no hook saw may have come between the presses held now and their releases: these let
    // their releases through, so that none stays down in the game. (Where their own releases may
    // have been lost, their directions ended above: the next press of one doubts the others.)
    auto& codes = HookMemory.codes;
    std::transform(codes.begin(), codes.end(), codes.begin(), [](std::uint8_t seen) {
        return static_cast<std::uint8_t>((seen & Held) != 0 ? seen | Retaken : seen);
    });
}

void releaseHooks() {
    if (HookHandles.mouse != nullptr) {
        DesktopPlatform::UnhookWindowsHookEx(HookHandles.mouse);
    }
    if (HookHandles.keyboard != nullptr) {
        DesktopPlatform::UnhookWindowsHookEx(HookHandles.keyboard);
    }
}
