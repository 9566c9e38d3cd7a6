#include "scroll_watch.h"

#include "emulation/bound_keys.h"
#include "emulation/held_directions.h"

#include <algorithm>
#include <utility>

// A few intervals, but never less than the stalls a busy machine gives the timer.
ScrollWatch::ScrollWatch(std::uint32_t interval)
    : patience(std::max<std::int64_t>(3LL * interval, 200) * 1000) {}

void ScrollWatch::notch(bool up, std::int64_t now) {
    if (run.notches != 0 && run.up != up) {
        endRun(); // a turn ends the run
    }
    if (run.notches == 0) {
        run = Sighting{};
        run.kind = Sighting::Kind::Scrolled;
        run.up = up;
        run.pressSeen = std::exchange(pressSeen[up ? 1 : 0], false) || hintGiven;
        run.microseconds = -now;
    }
    ++run.notches;
    lastNotch = now;
    awaited.reset();
}

void ScrollWatch::boundPressed(BindCode code, std::int64_t now) {
    pressSeen[directionOf(code) == UpHeld ? 1 : 0] = true;
    if (!awaited && now - lastNotch > patience) {
        awaited = Awaited{code, now};
    }
}

void ScrollWatch::endRun() {
    ended = run;
    ended->microseconds += lastNotch;
    hintGiven |= !run.pressSeen;
    run.notches = 0;
}

std::optional<Sighting> ScrollWatch::check(std::int64_t now, bool (*held)(BindCode)) {
    if (ended) {
        return std::exchange(ended, std::nullopt);
    }
    if (run.notches != 0 && now - lastNotch > patience) {
        endRun();
        return std::exchange(ended, std::nullopt);
    }
    if (awaited && now - awaited->since > patience) {
        const bool stillHeld = held(awaited->code);
        awaited.reset();
        if (stillHeld) {
            Sighting none;
            none.kind = Sighting::Kind::NotScrolling;
            return none;
        }
    }
    return std::nullopt;
}
