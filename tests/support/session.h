#pragma once

// Plays one case of a transcript against the fake desktop, through the programs' real entries:
// performs its lines, and writes what the programs did in answer into each line's `actual`. The
// form of a case is told at the head of tests/transcripts/keys.t.

#include <string>
#include <vector>

namespace Transcripts {

struct Line {
    std::size_t row; // in its file
    std::string input, expected, actual;
};

void play(std::vector<Line>& lines);

} // namespace Transcripts
