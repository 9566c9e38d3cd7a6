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

namespace fs = std::filesystem;

const fs::path Folder = fs::temp_directory_path() / "velto-config-cases";

const std::string Path = (Folder / "VeltoMacro.ini").string();

void write(const std::string& bytes) {
    fs::create_directories(Folder);
    std::ofstream(Path, std::ios::binary) << bytes;
}

// What loading the file ends in: the settings, or the message with the file named as it is.
std::string load() {
    const std::string& path = Path;
    CurrentSettings = Settings{};
    try {
        loadSettings(ConfigReader(path));
    } catch (const std::exception& error) {
        const std::string message = error.what();
        const std::string folder = path.substr(0, path.size() - 14);
        return message.rfind(folder, 0) == 0 ? message.substr(folder.size()) : message;
    }
    return "interval " + std::to_string(CurrentSettings.interval) + ", up " +
           std::to_string(CurrentSettings.upbind) + ", down " +
           std::to_string(CurrentSettings.downbind);
}

TEST(ConfigCases, LoadAsWritten) {
    const fs::path file = fs::path(VELTO_SOURCE_DIR) / "tests/config/cases.txt";
    std::ifstream in(file);
    std::vector<std::string> rows;
    std::string group;
    int cases = 0;
    for (std::string row; std::getline(in, row); rows.push_back(row)) {
        const auto arrow = row.rfind(" => ");
        if (row.rfind("## ", 0) == 0) {
            group = row.substr(3);
        }
        if (row.empty() || row[0] == '#' || arrow == std::string::npos) {
            continue;
        }
        ++cases;
        write(unescape(row.substr(0, arrow)));
        const std::string actual = load();
        EXPECT_EQ(actual, row.substr(arrow + 4)) << group << ": " << row.substr(0, arrow);
        row = row.substr(0, arrow + 4) + actual;
    }
    EXPECT_GT(cases, 0) << file;
    if (std::getenv("VELTO_REWRITE") != nullptr) {
        std::ofstream out(file);
        for (const std::string& row : rows) {
            out << row << '\n';
        }
    }
    fs::remove_all(Folder);
}

// A line too long for the memory left: its partial buffer must be given back before the report
// is made, or the report itself cannot be made.
TEST(ConfigCases, LineTooLongForMemoryIsReportedAsUnreadable) {
    if (!allocationsCounted()) {
        GTEST_SKIP() << "a sanitizer's allocator keeps no budget";
    }
    write("[general]\nupbind = " + std::string(4u << 20, '1') + "\n");
    struct Budget {
        Budget() { setHeapBudget(1u << 20); }
        ~Budget() { setHeapBudget(0); }
    };
    std::string actual;
    {
        const Budget budget;
        actual = load();
    }
    EXPECT_EQ(actual, "VeltoMacro.ini:2: Unable to read configuration file.");
    fs::remove_all(Folder);
}

} // namespace
