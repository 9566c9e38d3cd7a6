#pragma once

#include "config/settings.h"
#include "sighting.h"

#include <cstdint>
#include <optional>

// Watches the scrolling that arrives: VeltoMacro's notches reach every low-level mouse hook as
// injected wheel events. A run of notches ends when none follows for a while; a bound key held
// where VeltoMacro acts must bring a notch within a few intervals. Times are in microseconds.
// Main thread only; nothing here allocates.
class ScrollWatch {
public:
    explicit ScrollWatch(std::uint32_t interval = Settings{}.interval);

    void notch(bool up, std::int64_t now);
    // A press of a bound key where VeltoMacro acts.
    void boundPressed(BindCode code, std::int64_t now);

    // At a check: the line that is due, if any. `held` tells whether a key is still down. A run
    // without a press of its direction's bind seen before it tells, once, that VeltoMacro took
    // the key unseen.
    std::optional<Sighting> check(std::int64_t now, bool (*held)(BindCode));

private:
    void endRun();

    std::int64_t patience;         // how long without a notch ends a run, or tells that none comes
    Sighting run{};                // the run going on, when it has notches
    std::optional<Sighting> ended; // a run that a turn ended, not told yet (of two, the later)
    std::int64_t lastNotch = 0;
    bool pressSeen[2] = {}; // by direction, down and up: its bind pressed since the run before
    bool hintGiven = false; // that VeltoKeys is best started after VeltoMacro, told once
    struct Awaited {
        BindCode code;
        std::int64_t since;
    };
    std::optional<Awaited> awaited; // the bound key held that awaits its first notch
};
