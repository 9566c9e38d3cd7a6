#pragma once

#include <iosfwd>

// VeltoKeys: for each key or mouse button pressed anywhere, prints its name, its code and the line
// that binds it in VeltoMacro.ini, once per press however long it is held. It swallows nothing
// and writes no file. Runs until the process is ended from outside; returns only after a failure
// to start, with the exit code 1.
int runKeyFinder(std::ostream& out, std::istream& input, std::ostream& errors);
