#pragma once

#include <iosfwd>
#include <string_view>

inline constexpr std::string_view DefaultConfigPath = "VeltoMacro.ini";

// The whole program behind main, with its streams passed in so that it runs in-process.
// Returns the process exit code.
int runProgram(int argc, const char* const argv[], std::istream& input, std::ostream& errors);
