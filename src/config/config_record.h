#pragma once

#include <cstdint>
#include <string_view>

enum class RecordKind : std::int32_t { End = 0, Section = 1, KeyValue = 2 };

// The views point into the reader's line buffer and die with the next read.
struct ConfigRecord {
    RecordKind kind = RecordKind::End;
    std::string_view name;
    std::string_view value;
};
