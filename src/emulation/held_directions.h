#pragma once

#include <atomic>
#include <cstdint>

// Which scroll directions are held: set and cleared by the hooks on the main thread, read and
// cleared by the pump on the timer thread, only ever with single atomic operations.
inline constexpr std::uint32_t DownHeld = 1;
inline constexpr std::uint32_t UpHeld = 2;

extern std::atomic<std::uint32_t> HeldDirections;
