#pragma once

#include "platform/desktop_platform.h"

#include <atomic>
#include <cstdint>

// Which scroll directions are held: set and cleared by the hooks on the main thread, read and
// cleared by the pump on the timer thread, only ever with single atomic operations.
inline constexpr std::uint32_t DownHeld = 1;
inline constexpr std::uint32_t UpHeld = 2;

extern std::atomic<std::uint32_t> HeldDirections;

// The window in front when a direction was last set: the directions belong to it, and the pump
// forgets them when another window comes to the front (where a release may reach no hook).
extern std::atomic<DesktopPlatform::HWND> HeldWindow;

// Which bound inputs the application has seen pressed since their last release (a press the
// hooks let through because the gate failed, auto-repeats included), by the same bits. Only the
// main thread touches it (the hook procedures and the hook check), so it needs no atomic.
extern std::uint32_t PressesReachedApplication;

// Which bound inputs the hooks let reach the application pressed since the last hook check, by
// the same bits; main thread only.
extern std::uint32_t PressesPassedSinceCheck;
