#include "config/config_reader.h"
#include "temp_file.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Record {
    RecordKind kind;
    std::string name;
    std::string value;
    bool operator==(const Record&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Record& record) {
    return out << static_cast<int>(record.kind) << " [" << record.name << "] [" << record.value
               << "]";
}

struct ReadCase {
    const char* description;
    std::string bytes;
    std::vector<Record> records;
    std::string lineAtEnd; // the location's line number once End was returned
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.description;
}

std::vector<Record> readAll(ConfigReader& reader) {
    std::vector<Record> records;
    for (ConfigRecord record = reader.readRecord(); record.kind != RecordKind::End;
         record = reader.readRecord()) {
        records.push_back({record.kind, std::string(record.name), std::string(record.value)});
    }
    return records;
}

constexpr auto Section = RecordKind::Section;
constexpr auto KeyValue = RecordKind::KeyValue;

const ReadCase readCases[] = {
    {"empty file", "", {}, "0"},
    {"no final line feed",
     "[general]\nupbind = 38",
     {{Section, "general", ""}, {KeyValue, "upbind", "38"}},
     "2"},
    {"CRLF like LF",
     "[general]\r\nupbind = 38\r\n",
     {{Section, "general", ""}, {KeyValue, "upbind", "38"}},
     "2"},
    {"blank and comment lines counted",
     "\n  ; note\n \t \n[general]\n\n",
     {{Section, "general", ""}},
     "5"},
    {"comment after value", "key = value ; comment\n", {{KeyValue, "key", "value"}}, "1"},
    {"value not folded, key folded", "Interval = 0X1F\n", {{KeyValue, "interval", "0X1F"}}, "1"},
    {"section folded", "[GENERAL]\n", {{Section, "general", ""}}, "1"},
    {"section keeps inner spaces", "[ general ]\n", {{Section, " general ", ""}}, "1"},
    {"section with comment", "[general] ; note\n", {{Section, "general", ""}}, "1"},
    {"first = splits", "interval = 5 = 6\n", {{KeyValue, "interval", "5 = 6"}}, "1"},
    {"tabs trimmed around =", "\tupbind\t=\t38\t\n", {{KeyValue, "upbind", "38"}}, "1"},
    {"inner key whitespace kept", "up bind = 38\n", {{KeyValue, "up bind", "38"}}, "1"},
    {"inner value whitespace kept", "k = 1 0\n", {{KeyValue, "k", "1 0"}}, "1"},
    {"control bytes and NUL are whitespace",
     std::string("\x01\x00k\x1f=\x00v\x7f\x00\r\n", 11),
     {{KeyValue, "k", "v\x7f"}},
     "1"},
    {"high bytes are ordinary", "\xc3\x84k = \xff\n", {{KeyValue, "\xc3\x84k", "\xff"}}, "1"},
    {"only ASCII letters folded", "[\xc3\x84Z]\n", {{Section, "\xc3\x84z", ""}}, "1"},
    // Text mode would end the file at Ctrl-Z and turn CR LF into LF; binary mode must not.
    {"Ctrl-Z is whitespace, not end of file",
     "\x1a[general]\x1a\r\r\nupbind = 38\n",
     {{Section, "general", ""}, {KeyValue, "upbind", "38"}},
     "2"},
    {"final line feed opens no line", "a = 1\n\n", {{KeyValue, "a", "1"}}, "2"},
};

class ReaderRecords : public testing::TestWithParam<ReadCase> {};

TEST_P(ReaderRecords, YieldsRecordsAndCountsPhysicalLines) {
    const ReadCase& c = GetParam();
    const TempFile file(c.bytes);
    const std::string path = file.path();
    ConfigReader reader(path);
    EXPECT_EQ(readAll(reader), c.records);
    EXPECT_EQ(reader.location(), path + ":" + c.lineAtEnd);
    // End is sticky and does not count further lines.
    EXPECT_EQ(reader.readRecord().kind, RecordKind::End);
    EXPECT_EQ(reader.location(), path + ":" + c.lineAtEnd);
}

INSTANTIATE_TEST_SUITE_P(Grammar, ReaderRecords, testing::ValuesIn(readCases));

struct ErrorCase {
    const char* description;
    std::string bytes;
    std::string located; // "line: message"
};

void PrintTo(const ErrorCase& c, std::ostream* out) {
    *out << c.description;
}

const char* const SectionMessage =
    "Invalid section name. Starts with '[' but does not end with ']'.";
const char* const NoEquals = "Expected '=' followed by a value but found nothing.";

const ErrorCase errorCases[] = {
    {"open bracket only", "[\n", std::string("1: ") + SectionMessage},
    {"unterminated section", "\n[general\n", std::string("2: ") + SectionMessage},
    {"comment cut first", "[gen;eral]\n", std::string("1: ") + SectionMessage},
    {"lone CR is no line end", "[general]\rinterval = 5\n", std::string("1: ") + SectionMessage},
    {"empty section name", "[]\n", "1: Empty key string."},
    {"no equals", "a\n", std::string("1: ") + NoEquals},
    {"equals inside comment", "a ; = b\n", std::string("1: ") + NoEquals},
    {"byte-order mark", "\xef\xbb\xbf[general]\n", std::string("1: ") + NoEquals},
    {"no value", "key =\n", "1: Empty value string."},
    {"value only comment", "; x\nkey = ; note\n", "2: Empty value string."},
    {"only equals", "=\n", "1: Empty value string."},
    {"no key", "=5\n", "1: Empty key string."},
    {"no key, spaced", " = 5\n", "1: Empty key string."},
};

class ReaderErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(ReaderErrors, FailsWithLocatedMessage) {
    const ErrorCase& c = GetParam();
    const TempFile file(c.bytes);
    const std::string path = file.path();
    ConfigReader reader(path);
    try {
        readAll(reader);
        FAIL() << "no error raised";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), path + ":" + c.located);
    }
}

INSTANTIATE_TEST_SUITE_P(Grammar, ReaderErrors, testing::ValuesIn(errorCases));

TEST(ConfigReader, OpenFailureNamesThePathWithoutLocation) {
    const std::string missing = TempFile("").path(); // removed again at once
    try {
        ConfigReader reader(missing);
        FAIL() << "opened a missing file";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to open configuration file: " + missing);
    }
}

TEST(ConfigReader, FailPrefixesLocationOfLastLineRead) {
    const TempFile file("[general]\n\n");
    const std::string path = file.path();
    ConfigReader reader(path);
    EXPECT_EQ(reader.location(), path + ":0");
    reader.readRecord();
    try {
        reader.fail("Some message.");
        FAIL();
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), path + ":1: Some message.");
    }
}

TEST(ConfigReader, LongLineIsReadWhole) {
    const std::string value(1 << 20, 'v');
    const TempFile file("[general]\nk = " + value + "\n");
    const std::string path = file.path();
    ConfigReader reader(path);
    reader.readRecord();
    const ConfigRecord record = reader.readRecord();
    EXPECT_EQ(record.value, value);
}

TEST(ConfigReader, MovedReaderKeepsReading) {
    const TempFile file("[general]\nupbind = 1\n");
    const std::string path = file.path();
    ConfigReader first(path);
    first.readRecord();
    ConfigReader second(std::move(first));
    const ConfigRecord record = second.readRecord();
    EXPECT_EQ(record.name, "upbind");
    EXPECT_EQ(second.location(), path + ":2");
}

} // namespace
