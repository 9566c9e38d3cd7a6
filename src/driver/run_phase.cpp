#include "run_phase.h"

#include "code_claims.h"
#include "config/settings.h"
#include "emulation/bound_keys.h"
#include "emulation/held_directions.h"
#include "emulation/input_hooks.h"
#include "emulation/mouse_buttons.h"
#include "emulation/scroll_pump.h"
#include "emulation/window_rights.h"
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

// The system's key state of every key the binds cover, against what the hooks saw of it: the
// directions with a key pressed where no hook of ours saw it, down now (recorded as the
// application's) or pressed since the last reading. Resets what the hooks saw since then.
std::uint32_t pressesUnseen() {
    // The system's key state knows the physical buttons: with the buttons swapped, the logical
    // left one (code 1) is the physical right one (code 2).
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    std::uint32_t unseen = 0;
    for (const std::uint32_t bit : {DownHeld, UpHeld}) {
        for (const BindCode code : directionKeys(bit)) {
            if (code == 0) {
                continue;
            }
            std::uint16_t& seen = HookMemory.codes[code];
            const BindCode physical = swapped && (code == 1 || code == 2) ? 3 - code : code;
            const SHORT state = GetAsyncKeyState(static_cast<int>(physical));
            const bool down = (state & 0x8000) != 0, pressedSince = (state & 1) != 0;
            const bool fresh = (seen & PressedSinceCheck) != 0;
            if ((seen & LentDown) != 0 && (GetAsyncKeyState(RightAlt) & 0x8000) == 0) {
                seen &= ~LentDown; // AltGr went up where no hook saw it
            }
            if (!down && !fresh) { // released, wherever that was
                // A key whose press passed is no longer held; one swallowed reads up all along.
                if ((seen & MayShowDown) != 0 && !isMouseCode(code)) {
                    seen &= ~Held;
                }
                seen &= (seen & Shadowed) != 0 ? ~MayShowDown : ~(MayShowDown | PressedUnseen);
                std::uint8_t& had = HookMemory.applicationHas[HookMemory.passedBy[code]];
                had = had == code ? 0 : had;
            }
            if (down && (seen & (MayShowDown | PressedUnseen | LentDown)) == 0) {
                seen |= PressedUnseen;
                unseen |= bit;
            }
            if (pressedSince && !fresh) { // down still, where another input's release hid it
                unseen |= bit;
                seen |= (seen & Borrowed) != 0 ? PressedUnseen : 0;
            }
            seen &= ~PressedSinceCheck;
        }
    }
    return unseen;
}

// A window of higher rights, or another desktop (the lock screen, an elevation prompt), in front
// reads every key as up.
bool keyStateReadable() {
    const HWND front = GetForegroundWindow();
    return front != nullptr && !hasMoreRights(front);
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
    if (keyStateReadable()) {
        pressesUnseen();
    }
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
    std::uint32_t unseen = 0, pressed = HookMemory.directionsPressed;
    if (keyStateReadable()) {
        unseen = pressesUnseen();
        HookMemory.directionsPressed = 0;
    }
    const bool installed = (HookHandles.mouse != nullptr || !needsMouseHook()) &&
                           (HookHandles.keyboard != nullptr || !needsKeyboardHook());
    if (unseen == 0 && installed) {
        return;
    }
    releaseHooks();
    HookHandles = InstalledHooks{};
    installHooks(); // a refusal is tried again at the next check
    HeldDirections.fetch_and(~(unseen & ~pressed));
    // A press no hook saw may have come between the presses held now and their releases: these let
    // their releases through, so that none stays down in the game. Where that press was of their
    // kind, their own releases may have gone unseen too.
    bool kind[2] = {}; // of a press unseen, by mouse
    for (const std::uint32_t bit : {DownHeld, UpHeld}) {
        kind[isMouseCode(bindOf(bit)) ? 1 : 0] |= (unseen & bit) != 0;
    }
    for (BindCode code = 0; code < HookMemory.codes.size(); ++code) {
        std::uint16_t& seen = HookMemory.codes[code];
        if ((seen & Held) != 0) {
            seen |= Retaken | (kind[isMouseCode(code) ? 1 : 0] ? Doubted : 0);
        }
    }
}

void releaseHooks() {
    if (HookHandles.mouse != nullptr) {
        DesktopPlatform::UnhookWindowsHookEx(HookHandles.mouse);
    }
    if (HookHandles.keyboard != nullptr) {
        DesktopPlatform::UnhookWindowsHookEx(HookHandles.keyboard);
    }
}
