#pragma once

#include "config/settings.h"

#include <array>
#include <cstdint>
#include <string>

// Shift, Ctrl and Alt each have a general code (16, 17, 18) besides the codes of their left and
// right keys, and the hooks only ever report the latter. A bind to a general code is a bind to both
// of its keys, except a key that the other bind names itself: that one belongs to the other bind.

// The direction (DownHeld or UpHeld) of the bind that a reported code belongs to, or 0.
std::uint32_t directionOf(BindCode code);

// The code bound to a direction (DownHeld or UpHeld), 0 where none.
BindCode bindOf(std::uint32_t direction);

// A code as players write it and VeltoKeys shows it: 0x05, 0xA0.
std::string hex(BindCode code);

// The codes the hooks report for a direction's bind: the bind itself, or the keys of a general
// code; 0 in the places left over.
std::array<BindCode, 2> directionKeys(std::uint32_t direction);
