#include "config/settings.h"
#include "temp_file.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

namespace {

std::string load(const std::string& bytes) {
    const TempFile file(bytes);
    const std::string path = file.path();
    CurrentSettings = Settings{};
    try {
        loadSettings(ConfigReader(path));
    } catch (const std::exception& error) {
        std::string message = error.what();
        // Report the location relative to the file so that cases need not know the path.
        if (message.rfind(path, 0) == 0) {
            message.replace(0, path.size(), "F");
        }
        return message;
    }
    return "ok";
}

std::string numberError(const char* line, std::errc code) {
    return std::string("F:") + line + ": " + std::make_error_code(code).message();
}

struct ValidCase {
    const char* description;
    std::string bytes;
    Settings expected;
};

void PrintTo(const ValidCase& c, std::ostream* out) {
    *out << c.description;
}

const ValidCase validCases[] = {
    {"documented example",
     "[general]\ninterval = 10\nupbind = 0x26\ndownbind = 40 ; down arrow\n",
     {10, 0x26, 40}},
    {"interval absent keeps default", "[general]\nupbind = 38\n", {5, 38, 0}},
    {"down only", "[general]\ndownbind = 40\n", {5, 0, 40}},
    {"section and keys in any case", "[GeNeRaL]\nUPBIND = 38\nInterval = 7\n", {7, 38, 0}},
    {"bind bounds", "[general]\nupbind = 254\ndownbind = 1\n", {5, 254, 1}},
    {"hex upper bound", "[general]\nupbind = 0xFE\n", {5, 254, 0}},
    {"upper-case prefix and digits", "[general]\nupbind = 0X1f\n", {5, 31, 0}},
    {"leading zeros decimal", "[general]\nupbind = 0038\n", {5, 38, 0}},
    {"leading zeros hex", "[general]\nupbind = 0x0026\n", {5, 38, 0}},
    {"leading zeros interval", "[general]\ninterval = 0000000010\nupbind = 1\n", {10, 1, 0}},
    {"largest interval", "[general]\ninterval = 4294967295\nupbind = 1\n", {4294967295u, 1, 0}},
    {"largest interval in hex",
     "[general]\ninterval = 0xFFFFFFFF\nupbind = 1\n",
     {4294967295u, 1, 0}},
    {"comments and blanks anywhere", "; head\n\n[general] ; s\n; c\n\ndownbind = 2\n\n", {5, 0, 2}},
};

class SettingsValid : public testing::TestWithParam<ValidCase> {};

TEST_P(SettingsValid, LoadsExactlyWhatTheFileStates) {
    const ValidCase& c = GetParam();
    ASSERT_EQ(load(c.bytes), "ok");
    EXPECT_EQ(CurrentSettings.interval, c.expected.interval);
    EXPECT_EQ(CurrentSettings.upbind, c.expected.upbind);
    EXPECT_EQ(CurrentSettings.downbind, c.expected.downbind);
}

INSTANTIATE_TEST_SUITE_P(Schema, SettingsValid, testing::ValuesIn(validCases));

struct RejectCase {
    const char* description;
    std::string bytes;
    std::string message;
};

void PrintTo(const RejectCase& c, std::ostream* out) {
    *out << c.description;
}

const RejectCase structureCases[] = {
    {"empty file", "", "F:0: Expected [general] section."},
    {"comments only", ";a\n;b\n;c\n", "F:3: Expected [general] section."},
    {"key first", "upbind = 38\n[general]\n", "F:1: Expected [general] section."},
    {"other section first", "[main]\nupbind = 38\n", "F:1: Expected [general] section."},
    {"spaced section name", "[ general ]\nupbind = 38\n", "F:1: Expected [general] section."},
    {"second general", "[general]\nupbind = 38\n[general]\n", "F:3: Unexpected section."},
    {"unknown key", "[general]\nupbind = 38\nspeed = 3\n", "F:3: Invalid key/value pair."},
    {"key with inner space", "[general]\nup bind = 38\n", "F:2: Invalid key/value pair."},
    {"grammar error propagates", "[general]\nupbind\n",
     "F:2: Expected '=' followed by a value but found nothing."},
};

const RejectCase duplicateCases[] = {
    {"interval twice", "[general]\ninterval = 5\nupbind = 1\ninterval = 5\n",
     "F:4: Event interval specified twice."},
    {"upbind twice, same value", "[general]\nupbind = 38\nupbind = 38\n",
     "F:3: Scroll up key bind specified twice."},
    {"downbind twice", "[general]\ndownbind = 38\ndownbind = 39\n",
     "F:3: Scroll down key bind specified twice."},
    {"twice wins over bad value", "[general]\nupbind = 38\nupbind = x\n",
     "F:3: Scroll up key bind specified twice."},
};

const RejectCase valueCases[] = {
    {"interval zero", "[general]\ninterval = 0\n", "F:2: Invalid value for the event interval."},
    {"interval with unit", "[general]\ninterval = 5ms\n",
     "F:2: Invalid value for the event interval."},
    {"interval with inner space", "[general]\ninterval = 1 0\n",
     "F:2: Invalid value for the event interval."},
    {"upbind zero", "[general]\nupbind = 0\n", "F:2: Invalid value for scroll up key bind."},
    {"upbind 255", "[general]\nupbind = 255\n", "F:2: Invalid value for scroll up key bind."},
    {"prefix not at start", "[general]\nupbind = 00x26\n",
     "F:2: Invalid value for scroll up key bind."},
    {"downbind 0x100", "[general]\ndownbind = 0x100\n",
     "F:2: Invalid value for scroll down key bind."},
    {"downbind trailing text", "[general]\ndownbind = 40a\n",
     "F:2: Invalid value for scroll down key bind."},
};

const RejectCase bindPairCases[] = {
    {"same binding, located at last line", "[general]\nupbind = 38\ndownbind = 0x26\n\n; end\n",
     "F:5: Scroll up and scroll down both have the same binding."},
    {"nothing bound", "[general]\ninterval = 5\n; note\n\n\n",
     "F:5: No key was bound to either scroll direction."},
    {"section alone", "[general]", "F:1: No key was bound to either scroll direction."},
};

const RejectCase numberCases[] = {
    {"hex prefix then space", "[general]\nupbind = 0x 26\n",
     numberError("2", std::errc::invalid_argument)},
    {"hex prefix, bad digit", "[general]\nupbind = 0xG\n",
     numberError("2", std::errc::invalid_argument)},
    {"bare prefix", "[general]\ninterval = 0x\n", numberError("2", std::errc::invalid_argument)},
    {"minus sign", "[general]\ninterval = -5\n", numberError("2", std::errc::invalid_argument)},
    {"plus sign", "[general]\nupbind = +1\n", numberError("2", std::errc::invalid_argument)},
    {"letter first", "[general]\ndownbind = x12\n", numberError("2", std::errc::invalid_argument)},
    {"interval too large", "[general]\ninterval = 4294967296\n",
     numberError("2", std::errc::result_out_of_range)},
    {"too large before trailing text", "[general]\ninterval = 99999999999x\n",
     numberError("2", std::errc::result_out_of_range)},
    {"bind too large", "[general]\n\nupbind = 4294967296\n",
     numberError("3", std::errc::result_out_of_range)},
    {"hex too large", "[general]\nupbind = 0x100000000\n",
     numberError("2", std::errc::result_out_of_range)},
};

class SettingsRejected : public testing::TestWithParam<RejectCase> {};

TEST_P(SettingsRejected, FirstFailureIsReportedAtItsLine) {
    EXPECT_EQ(load(GetParam().bytes), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Structure, SettingsRejected, testing::ValuesIn(structureCases));
INSTANTIATE_TEST_SUITE_P(Duplicates, SettingsRejected, testing::ValuesIn(duplicateCases));
INSTANTIATE_TEST_SUITE_P(Values, SettingsRejected, testing::ValuesIn(valueCases));
INSTANTIATE_TEST_SUITE_P(BindPair, SettingsRejected, testing::ValuesIn(bindPairCases));
INSTANTIATE_TEST_SUITE_P(Numbers, SettingsRejected, testing::ValuesIn(numberCases));

TEST(ParseUnsigned, ReturnsPositionAfterDigitsAndLeavesTargetOnError) {
    std::uint32_t target = 7;
    EXPECT_EQ(parseUnsigned("12abc", target, "w"), 2u);
    EXPECT_EQ(target, 12u);
    EXPECT_EQ(parseUnsigned("0x1fz", target, "w"), 4u);
    EXPECT_EQ(target, 0x1fu);
    EXPECT_EQ(parseUnsigned("0", target, "w"), 1u);
    EXPECT_EQ(target, 0u);

    target = 7;
    for (const char* bad : {"", "x", "0x", "-1", " 1", "4294967296", "0xfffffffff"}) {
        try {
            parseUnsigned(bad, target, "where");
            ADD_FAILURE() << bad << " parsed";
        } catch (const std::system_error& error) {
            EXPECT_EQ(error.code().category(), std::generic_category()) << bad;
            EXPECT_EQ(std::string(error.what()), "where: " + error.code().message()) << bad;
        }
        EXPECT_EQ(target, 7u) << bad;
    }
}

TEST(LoadSettings, KeepsValuesOfKeysTheFileOmits) {
    const TempFile file("[general]\ndownbind = 40\n");
    const std::string path = file.path();
    CurrentSettings = Settings{9, 0, 0};
    loadSettings(ConfigReader(path));
    EXPECT_EQ(CurrentSettings.interval, 9u);
    EXPECT_EQ(CurrentSettings.downbind, 40u);
}

TEST(LoadSettings, ShippedSampleLoads) {
    CurrentSettings = Settings{};
    loadSettings(ConfigReader(VELTO_SAMPLE_CONFIG));
    EXPECT_NE(CurrentSettings.upbind, CurrentSettings.downbind);
}

} // namespace
