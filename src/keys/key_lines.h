#pragma once

#include "sighting.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// The lines VeltoKeys prints, worded for a player. Every line fits an 80-column console: what
// does not fit goes on an indented line of its own.
inline constexpr std::size_t LineWidth = 79; // the 80th column would wrap by itself

// The segments joined by the separator, wrapped to LineWidth at segment boundaries, and inside a
// segment at spaces where it is too long for a line of its own. Ends in a line feed.
std::string wrapped(std::initializer_list<std::string> segments, std::string_view separator = {});

// The binds of the configuration at `path`, or why VeltoMacro would not start with it (`failure`
// non-empty), or that it cannot be opened (`opened` false).
std::string bindsLine(std::string_view path, bool opened, std::string_view failure);

// A press, told of the window it speaks of; `own` is VeltoKeys' own window, null where unknown.
std::string pressLine(const Sighting& press, DesktopPlatform::HWND own);
// That a window with more rights than VeltoKeys came to the front, and what to do.
std::string rightsLine(const Sighting& front);
std::string scrolledLine(const Sighting& run);
std::string notScrollingLine();
std::string readyLine();
std::string notShownLine(std::uint32_t presses);
