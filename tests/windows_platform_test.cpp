// The system's own texts, through the real desktop: what the report of a refused hook or timer
// says. Under Wine no refusal can be provoked, so the text is compared with FormatMessage's own.
#include "platform/platform_error.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(WindowsPlatform, PlatformErrorIsTheSystemsTextTrimmed) {
    for (const DWORD code : {5u, 1428u, 0xE0001234u}) {
        char text[512];
        std::string expected(text, ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM |
                                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                                    nullptr, code, 0, text, sizeof text, nullptr));
        expected.erase(expected.find_last_not_of(std::string(" \t\r\n\0", 5)) + 1);
        EXPECT_EQ(PlatformError(code).what(), expected.empty() ? "unknown error" : expected);
    }
}
