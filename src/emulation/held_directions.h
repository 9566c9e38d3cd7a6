#pragma once

#include <atomic>
#include <cstdint>

// Which scroll directions are held: set and cleared by the hooks on the main thread, read and
// cleared by the pump on the timer thread, only ever with single atomic operations.
inline constexpr std::uint32_t DownHeld = 1;
inline constexpr std::uint32_t UpHeld = 2;

extern std::atomic<std::uint32_t> HeldDirections;

// Which bound inputs the application has seen pressed since their last release (a press the
// hooks let through because the gate failed, auto-repeats included), by the same bits. Only the
// hook procedures touch it, and both run on the main thread, so it needs no atomic operation.
extern std::uint32_t PressesReachedApplication;
