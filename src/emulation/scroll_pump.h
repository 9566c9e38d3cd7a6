#pragma once

#include "platform/desktop_platform.h"

#include <cstdint>

// One notch of the wheel in the platform's units.
inline constexpr std::int32_t WheelNotch = DesktopPlatform::WHEEL_DELTA;

// The periodic timer's callback: one wheel notch for the held direction per tick.
void pumpTick(DesktopPlatform::UINT timerId, DesktopPlatform::UINT message,
              DesktopPlatform::DWORD_PTR user, DesktopPlatform::DWORD_PTR reserved1,
              DesktopPlatform::DWORD_PTR reserved2);
