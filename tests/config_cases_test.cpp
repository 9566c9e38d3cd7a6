// Loads every case of tests/config/cases.txt through the real loading path: a file of the case's
// bytes, named VeltoMacro.ini, must end in exactly the settings or the message the case states.
// VELTO_REWRITE=1 writes what loading ends in now back into the file, for review.
#include "config/settings.h"
#include "support/allocations.h"
#include "support/text.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

const auto Folder = std::filesystem::temp_directory_path() / "velto-cases";
const std::string Path = (Folder / "VeltoMacro.ini").string();

// Writes the bytes to the file; then, under a heap budget when one is given, loads it.
std::string load(const std::string& bytes, std::size_t budget = 0) {
    std::filesystem::create_directories(Folder);
    std::ofstream(Path, std::ios::binary) << bytes;
    CurrentSettings = Settings{};
    setHeapBudget(budget);
    try {
        loadSettings(ConfigReader(Path));
    } catch (const std::exception& error) {
        setHeapBudget(0);
        const std::string message = error.what(); // from the file's own name on
        return message.rfind(Path, 0) == 0 ? message.substr(Path.size() - 14) : message;
    }
    setHeapBudget(0);
    return "interval " + std::to_string(CurrentSettings.interval) + ", up " +
           std::to_string(CurrentSettings.upbind) + ", down " +
           std::to_string(CurrentSettings.downbind);
}

TEST(ConfigCases, LoadAsWritten) {
    const auto file = std::filesystem::path(VELTO_SOURCE_DIR) / "tests/config/cases.txt";
    std::ifstream in(file);
    std::string rows, group;
    for (std::string row; std::getline(in, row); rows += row + '\n') {
        const auto arrow = row.rfind(" => ");
        group = row.rfind("## ", 0) == 0 ? row : group;
        if (row[0] != '#' && arrow != std::string::npos) {
            const std::string actual = load(unescape(row.substr(0, arrow)));
            EXPECT_EQ(actual, row.substr(arrow + 4)) << group << "\n" << row.substr(0, arrow);
            row.replace(arrow + 4, std::string::npos, actual);
        }
    }
    EXPECT_GT(rows.size(), 1000u) << file;
    if (std::getenv("VELTO_REWRITE") != nullptr) {
        std::ofstream(file) << rows;
    }
}

// A line too long for the memory left: its partial buffer must be given back before the report
// is made, or the report itself cannot be made.
TEST(ConfigCases, LineTooLongForTheMemoryLeftIsReported) {
    if (!allocationsCounted()) {
        GTEST_SKIP() << "a sanitizer's allocator keeps no budget";
    }
    EXPECT_EQ(load("[general]\nupbind = " + std::string(4u << 20, '1') + "\n", 1u << 20),
              "VeltoMacro.ini:2: Unable to read configuration file.");
}

} // namespace
