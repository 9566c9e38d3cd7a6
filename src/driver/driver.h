#pragma once

#include <iosfwd>
#include <string_view>

inline constexpr std::string_view DefaultConfigPath = "VeltoMacro.ini";

// The whole program behind main, with its streams passed in so that it runs in-process. Once
// started it runs until the process ends; it returns only after a failure report, with the exit
// code 1.
int runProgram(int argc, const char* const argv[], std::istream& input, std::ostream& errors);
