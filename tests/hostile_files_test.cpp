// Files no one should write, which must still end in exactly the settings they state or in one
// precise, located error.
#include "config/settings.h"
#include "driver/driver.h"
#include "support/desktop_test.h"
#include "temp_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// What loading a file ends in: the settings it gave, or the error's text.
std::string outcome(const std::string& path) {
    CurrentSettings = Settings{};
    try {
        loadSettings(ConfigReader(path));
    } catch (const std::exception& error) {
        const std::string text = error.what();
        return text.rfind(path, 0) == 0 ? "F" + text.substr(path.size()) : text;
    }
    return "interval " + std::to_string(CurrentSettings.interval) + ", up " +
           std::to_string(CurrentSettings.upbind) + ", down " +
           std::to_string(CurrentSettings.downbind);
}

std::string outcomeOf(const std::string& bytes) {
    const TempFile file(bytes);
    return outcome(file.path());
}

// Writes `count` comment lines in large blocks.
void writeComments(std::ofstream& out, std::size_t count) {
    const std::string line = "; a comment line that says nothing of any use to anybody at all\n";
    std::string block;
    for (int i = 0; i < 1024; ++i) {
        block += line;
    }
    for (std::size_t written = 0; written < count; written += 1024) {
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
}

TEST(HostileFiles, HundredMegabytesOfCommentsAreCountedLineByLine) {
    const TempFile file("");
    const std::string path = file.path();
    constexpr std::size_t CommentLines = std::size_t{1600} * 1024; // 64-byte lines: 100 MiB
    {
        std::ofstream out(path, std::ios::binary);
        out << "[general]\nupbind = 38\n";
        writeComments(out, CommentLines);
        out << "downbind = 40\n";
        writeComments(out, 1024);
        out << "upbind = 38\n";
    }
    ASSERT_GE(std::filesystem::file_size(path), 100u << 20);
    EXPECT_EQ(outcome(path), "F:" + std::to_string(CommentLines + 1024 + 4) +
                                 ": Scroll up key bind specified twice.");
}

TEST(HostileFiles, FiftyMegabyteLineIsOneValue) {
    const std::string zeros(50u << 20, '0');
    EXPECT_EQ(outcomeOf("[general]\nupbind = " + zeros + "38\n"), "interval 5, up 38, down 0");
    EXPECT_EQ(outcomeOf("[general]\ninterval = 1" + zeros + "\nupbind = 1\n"),
              "F:2: " + std::make_error_code(std::errc::result_out_of_range).message());
}

// Every control byte is whitespace, every byte above 0x7F an ordinary character: wherever one
// is put, the file must load exactly as if a space, or a letter of no meaning, stood there.
TEST(HostileFiles, OddBytesInEveryPositionBehaveLikeTheirPlainTwins) {
    const std::string sample = "[general]\ninterval = 10\nupbind = 0x26\ndownbind = 40 ; down\n";
    struct Twin {
        char odd;
        char plain;
    };
    const Twin twins[] = {{'\0', ' '}, {'\r', ' '}, {'\x1a', ' '}, {'\x80', 'Q'}, {'\xff', 'Q'}};
    for (const Twin& twin : twins) {
        for (std::size_t position = 0; position <= sample.size(); ++position) {
            for (const bool replace : {false, true}) {
                if (replace && (position == sample.size() || sample[position] == '\n')) {
                    continue; // a line feed's place is not one byte of content
                }
                std::string odd = sample;
                std::string plain = sample;
                const std::size_t removed = replace ? 1 : 0;
                odd.replace(position, removed, 1, twin.odd);
                plain.replace(position, removed, 1, twin.plain);
                ASSERT_EQ(outcomeOf(odd), outcomeOf(plain))
                    << "byte " << static_cast<int>(static_cast<unsigned char>(twin.odd))
                    << (replace ? " replacing" : " inserted at") << " position " << position;
            }
        }
    }
}

TEST(HostileFiles, PathWithSpacesAndNonAsciiBytes) {
    // The non-ASCII bytes go only through the narrow file API, as the program's own path does:
    // the file-system library may convert narrow names differently on Windows.
    const auto dir = std::filesystem::temp_directory_path() / "Velto Macro tests";
    std::filesystem::create_directories(dir);
    const std::string path =
        dir.string() + "/d\xc3\xa9j\xc3\xa0 vu r\xc3\xa9glages \xe2\x82\xac.ini";
    { std::ofstream(path, std::ios::binary) << "[general]\ndownbind = 6\n"; }
    const std::string good = outcome(path);
    { std::ofstream(path, std::ios::binary) << "[general]\ndownbind = 0\n"; }
    CurrentSettings = Settings{};
    std::string message;
    try {
        loadSettings(ConfigReader(path));
    } catch (const std::exception& error) {
        message = error.what();
    }
    std::filesystem::remove_all(dir);
    EXPECT_EQ(good, "interval 5, up 0, down 6");
    EXPECT_EQ(message, path + ":2: Invalid value for scroll down key bind.");
}

TEST(HostileFiles, ReadOnlyFileInReadOnlyFolderLoads) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "velto-read-only";
    fs::create_directories(dir);
    const fs::path file = dir / "VeltoMacro.ini";
    std::ofstream(file, std::ios::binary) << "[general]\nupbind = 1\n";
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec);
    const std::string result = outcome(file.string());
    fs::permissions(dir, fs::perms::owner_all);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    fs::remove_all(dir);
    EXPECT_EQ(result, "interval 5, up 1, down 0");
}

TEST(HostileFiles, FileOpenForWritingElsewhereLoads) {
    const TempFile file("[general]\nupbind = 2\n");
    const std::string path = file.path();
    std::ofstream writer(path, std::ios::binary | std::ios::app);
    ASSERT_TRUE(writer.is_open());
    EXPECT_EQ(outcome(path), "interval 5, up 2, down 0");
}

} // namespace
