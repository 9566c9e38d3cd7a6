#include "run_phase.h"

#include "config/settings.h"
#include "emulation/input_hooks.h"
#include "emulation/mouse_buttons.h"
#include "emulation/scroll_pump.h"
#include "platform/desktop_platform.h"
#include "platform/platform_error.h"

#include <stdexcept>
#include <string>

DesktopPlatform::HHOOK installHook(int kind, DesktopPlatform::HOOKPROC procedure) {
    const DesktopPlatform::HHOOK hook =
        DesktopPlatform::SetWindowsHookExW(kind, procedure, nullptr, 0);
    if (hook == nullptr) {
        raiseLastError();
    }
    return hook;
}

void runEmulation() {
    using namespace DesktopPlatform;
    const Settings& settings = CurrentSettings;
    if (isMouseCode(settings.upbind) || isMouseCode(settings.downbind)) {
        HookHandles.mouse = installHook(WH_MOUSE_LL, mouseHookProc);
    }
    if (isKeyboardCode(settings.upbind) || isKeyboardCode(settings.downbind)) {
        HookHandles.keyboard = installHook(WH_KEYBOARD_LL, keyboardHookProc);
    }

    ignoreTimerResolutionThrottling();
    // The timer service sets no last error when it refuses, so its code would tell nothing.
    if (timeSetEvent(settings.interval, 1, pumpTick, 0, TIME_PERIODIC) == 0) {
        throw std::runtime_error("Unable to start the scroll timer with an interval of " +
                                 std::to_string(settings.interval) + " milliseconds.");
    }

    // Low-level hooks are called from within this thread's message wait, so the loop is what
    // keeps them alive. A quit message must not end it; neither may an error of the wait.
    MSG message;
    for (;;) {
        if (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
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
