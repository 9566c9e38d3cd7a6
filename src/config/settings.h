#pragma once

#include "config_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A Windows virtual-key code naming a key or a mouse button; 0 is unbound.
using BindCode = std::uint32_t;

struct Settings {
    std::uint32_t interval = 5; // milliseconds between two wheel notches
    BindCode upbind = 0;
    BindCode downbind = 0;
};

extern Settings CurrentSettings;

// Parses an unsigned 32-bit decimal or 0x-prefixed hexadecimal number at the start of value and
// returns the position after its last digit. Raises std::system_error in the generic category,
// prefixed with where, when no digit starts the number or it does not fit; target is then
// left untouched.
std::size_t parseUnsigned(std::string_view value, std::uint32_t& target, const std::string& where);

// Fills CurrentSettings from the reader's file, keeping the defaults of keys it omits.
void loadSettings(ConfigReader reader);
