#pragma once

#include <cstdint>

// A performance counter reading in microseconds. In two steps: Windows' counter runs at 10 MHz
// from boot, and times a million it would overflow after 10.7 days of uptime.
constexpr std::int64_t counterMicroseconds(std::int64_t counter, std::int64_t frequency) {
    return counter / frequency * 1000000 + counter % frequency * 1000000 / frequency;
}

// A machine up for a year, and a counter of 3 GHz, still read right.
static_assert(counterMicroseconds(365LL * 86400 * 10000000 + 12345678, 10000000) ==
              365LL * 86400 * 1000000 + 1234567);
static_assert(counterMicroseconds(3000000000LL * 86400 * 21 + 1500, 3000000000LL) ==
              1000000LL * 86400 * 21);
