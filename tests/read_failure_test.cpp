// A read that breaks off must never pass for the end of the file.
#include "config/config_reader.h"
#include "driver/driver.h"
#include "support/sanitizers.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <string>

#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

TEST(ReadFailure, DirectoryIsNotReadAsAnEmptyFile) {
    const std::string dir = std::filesystem::temp_directory_path().string();
    try {
        ConfigReader reader(dir);
        reader.readRecord();
        FAIL() << "a directory read as a file";
    } catch (const std::runtime_error& error) {
#if defined(_WIN32)
        // The Windows runtime refuses to open a directory at all.
        EXPECT_EQ(std::string(error.what()), "Unable to open configuration file: " + dir);
#else
        EXPECT_EQ(std::string(error.what()), dir + ":1: Unable to read configuration file.");
#endif
    }
}

#if !defined(_WIN32) && !defined(VELTO_SANITIZED)
TEST(ReadFailure, EndlessLineUnderMemoryLimitIsReportedNotTreatedAsEnd) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeEnds[0]);
        const rlimit limit{256L << 20, 256L << 20};
        setrlimit(RLIMIT_AS, &limit);
        const char* args[] = {"VeltoMacro", "/dev/zero"};
        std::istringstream in;
        std::ostringstream err;
        const int code = runProgram(2, args, in, err);
        const std::string text = err.str();
        (void)!write(pipeEnds[1], text.data(), text.size());
        _exit(code);
    }
    close(pipeEnds[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "child ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(text,
              "Error: /dev/zero:1: Unable to read configuration file.\n\nPress Enter to exit...\n");
}
#endif

} // namespace
