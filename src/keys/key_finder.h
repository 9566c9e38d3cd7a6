#pragma once

#include <iosfwd>

// VeltoKeys: checks the whole chain for a player. It shows the binds of VeltoMacro.ini (found as
// VeltoMacro finds it: the first argument, or the default), then for each key or mouse button
// pressed anywhere its name, its code, what VeltoMacro makes of it and whether VeltoMacro acts
// where it was pressed, once per press however long it is held; and the scrolling that arrives
// from VeltoMacro, or that none does for a bound key held where it acts. It swallows nothing and
// writes no file. Runs until the process is ended from outside; returns only after a failure to
// start, with the exit code 1.
int runKeyFinder(int argc, const char* const argv[], std::ostream& out, std::istream& input,
                 std::ostream& errors);
