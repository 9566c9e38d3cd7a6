#include "driver/driver.h"
#include "driver/run_phase.h"
#include "emulation/scroll_pump.h"
#include "support/desktop_test.h"
#include "temp_file.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace DesktopPlatform;
using Calls = std::vector<std::string>;

// Runs until the fake's message script is used up.
void runUntilScriptEnds() {
    EXPECT_THROW(runEmulation(), FakeDesktop::ScriptEnded);
}

struct InstallCase {
    const char* description;
    BindCode upbind;
    BindCode downbind;
    Calls hooks;
};

void PrintTo(const InstallCase& c, std::ostream* out) {
    *out << c.description;
}

const InstallCase installCases[] = {
    {"two keys", 0x26, 0x28, {"SetWindowsHookExW keyboard"}},
    {"two extra buttons", 5, 6, {"SetWindowsHookExW mouse"}},
    {"button and key, mouse first",
     1,
     40,
     {"SetWindowsHookExW mouse", "SetWindowsHookExW keyboard"}},
    {"key and button, still mouse first",
     40,
     1,
     {"SetWindowsHookExW mouse", "SetWindowsHookExW keyboard"}},
    {"code 3 is a key", 0, 3, {"SetWindowsHookExW keyboard"}},
    {"right and middle buttons", 2, 4, {"SetWindowsHookExW mouse"}},
    {"code 7 is a key", 7, 0, {"SetWindowsHookExW keyboard"}},
};

class HookInstallation : public DesktopTest, public testing::WithParamInterface<InstallCase> {};

TEST_P(HookInstallation, InstallsWhatTheBindsNeedThenStartsTheTimer) {
    const InstallCase& c = GetParam();
    CurrentSettings = {7, c.upbind, c.downbind};
    runUntilScriptEnds();

    Calls expected = c.hooks;
    expected.push_back("ignoreTimerResolutionThrottling");
    expected.push_back("timeSetEvent 7");
    EXPECT_EQ(FakeDesktop::state().calls, expected);
    for (const FakeDesktop::Hook& hook : FakeDesktop::state().hooks) {
        const bool mouse = hook.kind == WH_MOUSE_LL;
        EXPECT_EQ(hook.procedure, mouse ? &mouseHookProc : &keyboardHookProc);
        EXPECT_EQ(mouse ? HookHandles.mouse : HookHandles.keyboard, hook.handle);
    }
    const FakeDesktop::Timer& timer = FakeDesktop::state().timers.at(0);
    EXPECT_EQ(timer.resolution, 1u);
    EXPECT_EQ(timer.callback, &pumpTick);
    EXPECT_EQ(timer.user, 0u);
    EXPECT_EQ(timer.flags, TIME_PERIODIC);
}

INSTANTIATE_TEST_SUITE_P(RunPhase, HookInstallation, testing::ValuesIn(installCases));

TEST_F(DesktopTest, MessageLoopSurvivesQuitAndErrors) {
    CurrentSettings = {5, 0x26, 0};
    FakeDesktop::state().script = {{1, 0x0113}, {0, WM_QUIT}, {-1}, {1, 0x0113}, {0, WM_QUIT}};
    runUntilScriptEnds();
    EXPECT_EQ(FakeDesktop::state().nextStep, 5u);
    EXPECT_EQ(FakeDesktop::state().translated, 2);
    EXPECT_EQ(FakeDesktop::state().dispatched, 2);
}

// Captures what had been installed and released when the report's first byte was written.
class ReportWatcher : public std::stringbuf {
public:
    Calls callsAtFirstWrite;
    bool written = false;

protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        snapshot();
        return std::stringbuf::xsputn(text, count);
    }
    int_type overflow(int_type c) override {
        snapshot();
        return std::stringbuf::overflow(c);
    }

private:
    void snapshot() {
        if (!written) {
            written = true;
            callsAtFirstWrite = FakeDesktop::state().calls;
        }
    }
};

struct FailureCase {
    const char* description;
    std::string config;
    void (*arrange)();
    std::string message;
    Calls callsBeforeReport;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.description;
}

const FailureCase failureCases[] = {
    {"keyboard hook refused after the mouse hook",
     "[general]\nupbind = 1\ndownbind = 40\n",
     [] { FakeDesktop::state().hookFailures[WH_KEYBOARD_LL] = 5; },
     "Access is denied.",
     {"SetWindowsHookExW mouse", "SetWindowsHookExW keyboard", "UnhookWindowsHookEx mouse"}},
    {"system text without trailing blanks",
     "[general]\nupbind = 5\n",
     [] { FakeDesktop::state().hookFailures[WH_MOUSE_LL] = 1428; },
     "Cannot set nonlocal hook without a module handle.",
     {"SetWindowsHookExW mouse"}},
    {"a code the system has no text for",
     "[general]\nupbind = 38\n",
     [] { FakeDesktop::state().hookFailures[WH_KEYBOARD_LL] = 0xE0001234; },
     "unknown error",
     {"SetWindowsHookExW keyboard"}},
    {"timer refused: both hooks released, no stale system text",
     "[general]\ninterval = 70000\nupbind = 2\ndownbind = 0x28\n",
     [] { FakeDesktop::state().timerResult = 0; },
     "Unable to start the scroll timer with an interval of 70000 milliseconds.",
     {"SetWindowsHookExW mouse", "SetWindowsHookExW keyboard", "ignoreTimerResolutionThrottling",
      "timeSetEvent 70000", "UnhookWindowsHookEx mouse", "UnhookWindowsHookEx keyboard"}},
};

class RunPhaseFailure : public DesktopTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(RunPhaseFailure, ReleasesInstalledHooksBeforeTheReport) {
    const FailureCase& c = GetParam();
    c.arrange();
    const TempFile file(c.config);
    const std::string path = file.path();
    const char* args[] = {"VeltoMacro.exe", path.c_str()};
    std::istringstream in("\n");
    ReportWatcher watcher;
    std::ostream err(&watcher);

    EXPECT_EQ(runProgram(2, args, in, err), 1);
    EXPECT_EQ(watcher.str(), "Error: " + c.message + "\n\nPress Enter to exit...\n");
    EXPECT_EQ(watcher.callsAtFirstWrite, c.callsBeforeReport);
    EXPECT_EQ(FakeDesktop::state().calls, c.callsBeforeReport);
}

INSTANTIATE_TEST_SUITE_P(RunPhase, RunPhaseFailure, testing::ValuesIn(failureCases));

TEST_F(DesktopTest, ConfiguredProgramScrollsWhileTheBoundKeyIsHeld) {
    const auto game = focusGame();
    (void)game;
    const TempFile file("[general]\ninterval = 10\nupbind = 0x26\n");
    const std::string path = file.path();
    const char* args[] = {"VeltoMacro.exe", path.c_str()};
    std::vector<LRESULT> results;
    auto deliver = [&results](DWORD vk, WPARAM message) {
        return [&results, vk, message] { results.push_back(FakeDesktop::key(vk, message)); };
    };
    FakeDesktop::state().script = {
        {1, 0, deliver(0x26, WM_KEYDOWN)},
        {1, 0,
         [] {
             FakeDesktop::tick();
             FakeDesktop::tick();
         }},
        {1, 0, deliver(0x41, WM_KEYDOWN)},
        {1, 0, deliver(0x26, WM_KEYUP)},
        {1, 0, [] { FakeDesktop::tick(); }},
    };
    std::istringstream in;
    std::ostringstream err;
    EXPECT_THROW(runProgram(2, args, in, err), FakeDesktop::ScriptEnded);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(results, (std::vector<LRESULT>{1, FakeDesktop::PassedOn, 1}));
    EXPECT_EQ(FakeDesktop::sentWheelAmounts(), (std::vector<std::int32_t>{120, 120}));
    EXPECT_EQ(FakeDesktop::state().timers.at(0).delay, 10u);
}

} // namespace
