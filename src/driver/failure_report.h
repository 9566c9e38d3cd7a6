#pragma once

#include <exception>
#include <iosfwd>

// The one report of a failure: "Error: ", the message and the prompt on `errors`, complete
// before the wait for one byte of input (its end ends the wait too). Returns the exit code, 1.
int reportFailure(const std::exception& error, std::istream& input, std::ostream& errors);
