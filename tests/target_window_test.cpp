#include "emulation/target_window.h"
#include "support/desktop_test.h"

#include <string>

namespace {

enum class Under { Foreground, Child, Other, Nothing };

struct GateCase {
    const char* description;
    std::u16string className;
    std::u16string title;
    Under under;
    bool expected;
};

void PrintTo(const GateCase& c, std::ostream* out) {
    *out << c.description;
}

const std::u16string Engine = u"LaunchUnrealUWindowsClient";

const GateCase gateCases[] = {
    {"the game under the cursor", Engine, u"Velto", Under::Foreground, true},
    {"the game, cursor elsewhere", Engine, u"Velto", Under::Other, false},
    {"the game, cursor over its child", Engine, u"Velto", Under::Child, false},
    {"another game of the engine", Engine, u"Velto2", Under::Foreground, false},
    {"title in other case", Engine, u"velto", Under::Foreground, false},
    {"title a prefix", Engine, u"Velt", Under::Foreground, false},
    {"empty title", Engine, u"", Under::Foreground, false},
    {"any other class", u"Notepad", u"Velto2", Under::Foreground, true},
    {"any other class over its child", u"Notepad", u"x", Under::Child, false},
    {"class in other case is another class", u"launchunrealuwindowsclient", u"x", Under::Foreground,
     true},
    {"class with a suffix", Engine + u"X", u"x", Under::Foreground, true},
    {"class cut to 34 characters never matches", Engine + u"_ABCDEFGHIJKLMNOP", u"x",
     Under::Foreground, true},
};

class Gate : public DesktopTest, public testing::WithParamInterface<GateCase> {};

TEST_P(Gate, AnswersForForegroundAndCursor) {
    const GateCase& c = GetParam();
    const auto foreground = FakeDesktop::addWindow(c.className, c.title);
    const auto child = FakeDesktop::addWindow(u"Child", u"", foreground);
    const auto other = FakeDesktop::addWindow(u"Other", u"");
    const DesktopPlatform::HWND under[] = {foreground, child, other, nullptr};
    FakeDesktop::focus(foreground, under[static_cast<int>(c.under)]);
    EXPECT_EQ(isTargetActive(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(TargetWindow, Gate, testing::ValuesIn(gateCases));

TEST_F(DesktopTest, NoForegroundPassesOnlyWithNoWindowAtCursor) {
    FakeDesktop::focus(nullptr, nullptr);
    EXPECT_TRUE(isTargetActive());
    moveCursorAway();
    EXPECT_FALSE(isTargetActive());
}

TEST_F(DesktopTest, UnreadableCursorFailsTheGate) {
    focusGame();
    FakeDesktop::state().cursorReadable = false;
    EXPECT_FALSE(isTargetActive());
}

} // namespace
