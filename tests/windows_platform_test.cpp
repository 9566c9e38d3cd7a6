// The real desktop's operations, checked against the platform itself.
#include "config/settings.h"
#include "emulation/input_hooks.h"
#include "platform/desktop_platform.h"
#include "platform/platform_error.h"

#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: mmsystem.h relies on its types.
#include <atomic>
#include <mmsystem.h>
#include <string>

namespace {

// FormatMessage's own answer for the code, trimmed independently of the code under test.
std::string formatMessageTrimmed(DWORD code) {
    char buffer[4096];
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                         0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    const auto end = text.find_last_not_of(std::string(" \t\r\n\0", 5));
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

TEST(WindowsPlatform, SystemErrorTextIsFormatMessagesTextTrimmed) {
    for (const DWORD code : {2u, 5u, 87u, 1428u, 1400u}) {
        const std::string expected = formatMessageTrimmed(code);
        ASSERT_FALSE(expected.empty()) << code;
        EXPECT_EQ(systemErrorText(code), expected) << code;
        const PlatformError error(code);
        EXPECT_EQ(std::string(error.what()), expected) << code;
        EXPECT_EQ(error.code(), std::error_code(static_cast<int>(code), std::system_category()));
    }
}

TEST(WindowsPlatform, CodeWithoutSystemTextIsUnknownError) {
    const DWORD code = 0xE0001234;
    ASSERT_TRUE(formatMessageTrimmed(code).empty());
    EXPECT_EQ(systemErrorText(code), "unknown error");
}

TEST(WindowsPlatform, LastErrorIsRaisedWithItsText) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    try {
        raiseLastError();
        FAIL() << "nothing raised";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code().value(), ERROR_ACCESS_DENIED);
        EXPECT_EQ(std::string(error.what()), formatMessageTrimmed(ERROR_ACCESS_DENIED));
    }
}

TEST(WindowsPlatform, LowLevelHooksInstallAndRelease) {
    // The seam's constants are the platform's numbers; windows.h's macros stand for them here.
    const auto mouse = DesktopPlatform::SetWindowsHookExW(WH_MOUSE_LL, mouseHookProc, nullptr, 0);
    const auto keyboard =
        DesktopPlatform::SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHookProc, nullptr, 0);
    ASSERT_NE(mouse, nullptr) << ::GetLastError();
    ASSERT_NE(keyboard, nullptr) << ::GetLastError();
    EXPECT_NE(DesktopPlatform::UnhookWindowsHookEx(mouse), 0);
    EXPECT_NE(DesktopPlatform::UnhookWindowsHookEx(keyboard), 0);
}

void CALLBACK countTick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    reinterpret_cast<std::atomic<int>*>(user)->fetch_add(1);
}

TEST(WindowsPlatform, PeriodicTimerRunsAndRefusesOverlongDelays) {
    DesktopPlatform::ignoreTimerResolutionThrottling(); // best effort: must simply not fail
    std::atomic<int> ticks{0};
    const MMRESULT timer = DesktopPlatform::timeSetEvent(
        2, 1, countTick, reinterpret_cast<DWORD_PTR>(&ticks), TIME_PERIODIC);
    ASSERT_NE(timer, 0u);
    for (int waited = 0; ticks < 3 && waited < 5000; ++waited) {
        ::Sleep(1);
    }
    ::timeKillEvent(timer);
    EXPECT_GE(ticks, 3);

    TIMECAPS caps{};
    ASSERT_EQ(::timeGetDevCaps(&caps, sizeof caps), MMSYSERR_NOERROR);
    EXPECT_EQ(DesktopPlatform::timeSetEvent(caps.wPeriodMax + 1, 1, countTick, 0, TIME_PERIODIC),
              0u);
}

TEST(WindowsPlatform, FileHeldOpenForWritingByAnotherHandleStillLoads) {
    char directory[MAX_PATH];
    ASSERT_NE(::GetTempPathA(sizeof directory, directory), 0u);
    const std::string path = std::string(directory) + "velto-held-open.ini";
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
