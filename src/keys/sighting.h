#pragma once

#include "config/settings.h"
#include "emulation/target_window.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

// What one printed line tells of: a press the hooks saw, a run of VeltoMacro's notches that
// ended, a bound key held where no notch arrived, a window of more rights come to the front, or
// that the hooks are in place and presses show from now on. Recorded on the main thread, printed
// on another.
struct Sighting {
    enum class Kind : std::uint8_t { Press, Scrolled, NotScrolling, Rights, Ready };

    Kind kind = Kind::Press;
    std::uint32_t notShownBefore = 0; // presses that found the queue full just before this one
    // A press:
    BindCode code = 0;
    std::int32_t keyName = 0; // what GetKeyNameTextW names a key by; unused for a mouse button
    bool mouse = false;
    GateVerdict verdict{}; // with the title of the window in front (of a press, or come there)
    // A run of notches:
    bool up = false;
    std::uint32_t notches = 0;
    std::int64_t microseconds = 0; // from the first notch to the last
    bool pressSeen = true;         // a press was seen since the run before
};

// A fixed queue from one thread that records to one that prints: recording never waits and
// never allocates. Presses that find it full are counted and said with the next one recorded,
// or after the last one printed.
template <std::size_t Capacity> class SightingQueue {
public:
    bool push(Sighting sighting) {
        const std::size_t tail = end.load(std::memory_order_relaxed);
        sighting.notShownBefore = notShown.exchange(0);
        if (tail - start.load(std::memory_order_acquire) == Capacity) {
            notShown.fetch_add(sighting.notShownBefore);
            return false;
        }
        items[tail % Capacity] = sighting;
        end.store(tail + 1, std::memory_order_release);
        return true;
    }

    void pushPress(const Sighting& press) {
        if (!push(press)) {
            notShown.fetch_add(1);
        }
    }

    bool pop(Sighting& sighting) {
        const std::size_t head = start.load(std::memory_order_relaxed);
        if (head == end.load(std::memory_order_acquire)) {
            return false;
        }
        sighting = items[head % Capacity];
        start.store(head + 1, std::memory_order_release);
        return true;
    }

    // The presses not shown since the last one recorded; counted once, by whoever takes them.
    std::uint32_t takeNotShown() { return notShown.exchange(0); }

    void clear() {
        start = end.load();
        notShown = 0;
    }

private:
    std::array<Sighting, Capacity> items{};
    std::atomic<std::size_t> start{0}, end{0};
    std::atomic<std::uint32_t> notShown{0};
};
