// Plays the transcripts in tests/transcripts/*.t: every answer must be as written, and no event
// or tick may allocate. VELTO_REWRITE=1 writes the answers the programs give now back into the
// files, for review.
#include "support/allocations.h"
#include "support/session.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace {

using namespace Transcripts;
namespace fs = std::filesystem;

class Transcript : public testing::TestWithParam<std::string> {};

TEST_P(Transcript, ProgramsAnswerAsWritten) {
    const fs::path path = fs::path(VELTO_SOURCE_DIR) / "tests/transcripts" / (GetParam() + ".t");
    std::vector<std::string> rows;
    std::vector<std::pair<std::string, std::vector<Line>>> cases;
    std::ifstream in(path);
    for (std::string row; std::getline(in, row); rows.push_back(row)) {
        if (row.rfind("## ", 0) == 0) {
            cases.push_back({row.substr(3), {}});
        } else if (!row.empty() && row[0] != '#' && !cases.empty()) {
            const auto arrow = row.find(" => ");
            std::string input = row.substr(0, arrow);
            input.erase(input.find_last_not_of(' ') + 1);
            cases.back().second.push_back(
                {rows.size(), input, arrow == std::string::npos ? "" : row.substr(arrow + 4), ""});
        }
    }
    ASSERT_FALSE(cases.empty()) << path;
    // Windows documents neither whether a swallowed button's or key's state goes down, nor when a
    // general modifier's does: every case must answer alike every way, under each order of raw
    // input it names (`orders`; all three where it names none: after the hooks, `first`, `apart`).
    // The first way is rewritten.
    const auto line = [](const std::string& text) { return Line{0, text, "", ""}; };
    const Line buttons = line("model buttons-first"), keys = line("model key-state-always"),
               general = line("model general-first");
    for (auto& [title, written] : cases) {
        std::vector<std::string> orders = {"after", "first", "apart"};
        if (!written.empty() && written.front().input.rfind("orders ", 0) == 0) {
            std::istringstream named(written.front().input.substr(7));
            orders.assign(std::istream_iterator<std::string>(named), {});
            written.erase(written.begin());
        }
        for (const std::string& order : orders) {
            for (const std::vector<Line>& models :
                 {std::vector<Line>{}, {buttons, keys}, {general}, {buttons, keys, general}}) {
                std::vector<Line> lines = models;
                if (order != "after") {
                    lines.push_back(line("raw " + order));
                }
                const bool rewritten = models.empty() && order == orders.front();
                lines.insert(lines.end(), written.begin(), written.end());
                play(lines);
                for (const Line& played : lines) {
                    EXPECT_EQ(played.actual, played.expected)
                        << path.filename() << ":" << played.row + 1 << ": " << played.input << "\n"
                        << title << " (raw input " << order << ")";
                    const std::size_t pad = played.input.size() < 27 ? 28 - played.input.size() : 1;
                    if (played.row != 0 && rewritten) {
                        rows[played.row] =
                            played.input + (played.actual.empty()
                                                ? ""
                                                : std::string(pad, ' ') + "=> " + played.actual);
                    }
                }
            }
        }
    }
    if (std::getenv("VELTO_REWRITE") != nullptr) {
        std::ofstream out(path);
        std::ranges::copy(rows, std::ostream_iterator<std::string>(out, "\n"));
    }
}

INSTANTIATE_TEST_SUITE_P(Transcripts, Transcript,
                         testing::Values("config", "keys", "mouse", "gate", "pump", "startup",
                                         "recovery", "key_finder"));

// A line too long for the memory left: its partial buffer must be given back before the report
// is made, or the report itself cannot be made.
TEST(Transcript, LineTooLongForTheMemoryLeftIsReported) {
    if (!allocationsCounted()) {
        GTEST_SKIP() << "a sanitizer's allocator keeps no budget";
    }
    std::vector<Line> lines = {
        {0, "budget 1048576", "", ""},
        {0, "load [general]\\nupbind = " + std::string(4u << 20, '1'), "", ""}};
    play(lines);
    EXPECT_EQ(lines[1].actual, "VeltoMacro.ini:2: Unable to read configuration file.");
}

} // namespace
