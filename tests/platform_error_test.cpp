#include "platform/platform_error.h"
#include "support/desktop_test.h"

#include <string>

namespace {

struct TextCase {
    const char* description;
    std::string systemText; // empty: the system has no text for the code
    std::string expected;
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << c.description;
}

const TextCase textCases[] = {
    {"line end removed", "Access is denied.\r\n", "Access is denied."},
    {"every kind of trailing blank removed", std::string("Odd.\t \0\r\n\0", 10), "Odd."},
    {"inner line ends kept", "Line one.\r\nLine two.\r\n", "Line one.\r\nLine two."},
    {"leading blanks kept", "  Indented.", "  Indented."},
    {"no text", "", "unknown error"},
    {"only blanks", " \r\n", "unknown error"},
};

class SystemErrorText : public DesktopTest, public testing::WithParamInterface<TextCase> {};

TEST_P(SystemErrorText, IsTheSystemsTextTrimmed) {
    const TextCase& c = GetParam();
    if (!c.systemText.empty()) {
        FakeDesktop::state().systemTexts[4242] = c.systemText;
    }
    EXPECT_EQ(systemErrorText(4242), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Platform, SystemErrorText, testing::ValuesIn(textCases));

TEST_F(DesktopTest, LastErrorIsRaisedAsSystemErrorWithExactlyTheSystemText) {
    FakeDesktop::state().lastError = 5;
    try {
        raiseLastError();
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code().value(), 5);
        EXPECT_EQ(error.code().category(), std::system_category());
        EXPECT_EQ(std::string(error.what()), "Access is denied.");
        return;
    }
    FAIL() << "nothing raised";
}

} // namespace
