// What only the real desktop can show: the system's own texts, and Windows' file sharing.
#include "config/settings.h"
#include "platform/platform_error.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

TEST(WindowsPlatform, PlatformErrorIsTheSystemsTextTrimmed) {
    for (const DWORD code : {2u, 5u, 87u, 1428u, 0xE0001234u}) {
        char buffer[4096];
        std::string expected(
            buffer, ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, code, 0, buffer, sizeof buffer, nullptr));
        expected.erase(expected.find_last_not_of(std::string(" \t\r\n\0", 5)) + 1);
        const PlatformError error(code);
        EXPECT_EQ(error.what(), expected.empty() ? "unknown error" : expected) << code;
        EXPECT_EQ(error.code(), std::error_code(static_cast<int>(code), std::system_category()));
    }
}

TEST(WindowsPlatform, FileHeldOpenForWritingElsewhereStillLoads) {
    char folder[MAX_PATH];
    ASSERT_NE(::GetTempPathA(sizeof folder, folder), 0u);
    const std::string path = std::string(folder) + "velto-held-open.ini";
    // An editor's way of holding a file: writing, others may only read.
    const HANDLE writer = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    const char text[] = "[general]\nupbind = 2\n";
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(writer, text, sizeof text - 1, &written, nullptr));
    CurrentSettings = Settings{};
    EXPECT_NO_THROW(loadSettings(ConfigReader(path)));
    EXPECT_EQ(CurrentSettings.upbind, 2u);
    ::CloseHandle(writer);
    ::DeleteFileA(path.c_str());
}

} // namespace
