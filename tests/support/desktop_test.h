#pragma once

#include "config/settings.h"
#include "emulation/held_directions.h"
#include "emulation/input_hooks.h"
#include "support/fake_desktop.h"

#include <gtest/gtest.h>

// A fresh fake desktop and fresh process-wide state for every test.
class DesktopTest : public testing::Test {
protected:
    void SetUp() override {
        FakeDesktop::reset();
        CurrentSettings = Settings{};
        HeldDirections = 0;
        HookHandles = InstalledHooks{};
    }

    // The game's own window, in the foreground with the cursor over it.
    DesktopPlatform::HWND focusGame() {
        const auto game = FakeDesktop::addWindow(u"LaunchUnrealUWindowsClient", u"Velto");
        FakeDesktop::focus(game);
        return game;
    }

    // A window of no interest: with it under the cursor, the gate fails.
    static DesktopPlatform::HWND addOtherWindow() {
        return FakeDesktop::addWindow(u"Desktop", u"");
    }

    void moveCursorAway() { FakeDesktop::state().atCursor = addOtherWindow(); }
};
