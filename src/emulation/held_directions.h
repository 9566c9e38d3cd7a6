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
