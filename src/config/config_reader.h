#pragma once

#include "config_record.h"
#include "messages.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

class ConfigReader {
public:
    // The path is borrowed: the caller keeps it alive for the reader's whole life.
    explicit ConfigReader(std::string_view path);

    ConfigReader(ConfigReader&&) noexcept = default;
    ConfigReader& operator=(ConfigReader&&) noexcept = default;
    ConfigReader(const ConfigReader&) = delete;
    ConfigReader& operator=(const ConfigReader&) = delete;
    ~ConfigReader() = default;

    ConfigRecord readRecord();
    std::string location() const;
    [[noreturn]] void fail(Message message) const;

private:
    std::ifstream file;
    std::string line;
    std::int64_t lineNumber = 0;
    std::string_view path;
};
