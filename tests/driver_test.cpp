#include "config/settings.h"
#include "driver/driver.h"
#include "support/desktop_test.h"
#include "temp_file.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int exitCode;
    std::string errors;
    std::string inputLeft;
};

Outcome run(std::vector<const char*> args, const std::string& input = "\n") {
    std::istringstream in(input);
    std::ostringstream err;
    const int code = runProgram(static_cast<int>(args.size()), args.data(), in, err);
    std::string left;
    std::getline(in, left, '\0');
    return {code, err.str(), left};
}

std::string report(const std::string& message) {
    return "Error: " + message + "\n\nPress Enter to exit...\n";
}

using Driver = DesktopTest;

TEST_F(Driver, ValidFileLoadsAndRunsSilently) {
    const TempFile file("[general]\ninterval = 10\nupbind = 0x26\ndownbind = 40\n");
    const std::string path = file.path();
    const char* args[] = {"VeltoMacro.exe", path.c_str()};
    std::istringstream in("x");
    std::ostringstream err;
    // The message loop never ends; the fake desktop ends it when its script runs out.
    EXPECT_THROW(runProgram(2, args, in, err), FakeDesktop::ScriptEnded);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(in.peek(), 'x');
    EXPECT_EQ(FakeDesktop::state().timers.size(), 1u);
    EXPECT_EQ(CurrentSettings.interval, 10u);
    EXPECT_EQ(CurrentSettings.upbind, 0x26u);
    EXPECT_EQ(CurrentSettings.downbind, 40u);
}

TEST_F(Driver, ConfigurationErrorIsReportedThenOneCharacterIsRead) {
    const TempFile file("[general]\nbogus = 1\n");
    const std::string path = file.path();
    const Outcome outcome = run({"VeltoMacro.exe", path.c_str()}, "ab");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors, report(path + ":2: Invalid key/value pair."));
    EXPECT_EQ(outcome.inputLeft, "b");
}

TEST_F(Driver, InputAtEndOfFileEndsTheWait) {
    const Outcome outcome = run({"VeltoMacro.exe", "no such file.ini"}, "");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors, report("Unable to open configuration file: no such file.ini"));
}

TEST_F(Driver, ExtraArgumentsAreIgnoredAndEmptyPathIsQuoted) {
    EXPECT_EQ(run({"VeltoMacro.exe", "other.ini", "extra"}).errors,
              report("Unable to open configuration file: other.ini"));
    EXPECT_EQ(run({"VeltoMacro.exe", ""}).errors, report("Unable to open configuration file: "));
}

TEST_F(Driver, WithoutArgumentReadsDefaultFileInWorkingDirectory) {
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("velto-cwd-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);

    const Outcome missing = run({"VeltoMacro.exe"});
    {
        std::ofstream(std::string(DefaultConfigPath), std::ios::binary)
            << "\n[general]\nupbind = 255\n";
    }
    const Outcome invalid = run({"VeltoMacro.exe"});

    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(missing.errors, report("Unable to open configuration file: VeltoMacro.ini"));
    EXPECT_EQ(invalid.errors, report("VeltoMacro.ini:3: Invalid value for scroll up key bind."));
}

} // namespace
