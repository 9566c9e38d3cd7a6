#include "bound_keys.h"

#include "held_directions.h"

#include <cstdio>

namespace {

// The general code of a left or right Shift, Ctrl or Alt (0xA0 to 0xA5), or 0.
BindCode generalCodeOf(BindCode code) {
    return code >= 0xA0 && code <= 0xA5 ? 0x10 + (code - 0xA0) / 2 : 0;
}

bool belongsTo(BindCode code, BindCode bind, BindCode other) {
    return bind != 0 && (code == bind || (generalCodeOf(code) == bind && code != other));
}

// The codes the hooks report for `bind`, given the `other` bind.
std::array<BindCode, 2> keysOf(BindCode bind, BindCode other) {
    if (bind < 0x10 || bind > 0x12) {
        return {bind, 0};
    }
    const BindCode left = 0xA0 + (bind - 0x10) * 2, right = left + 1;
    return {left == other ? 0 : left, right == other ? 0 : right};
}

} // namespace

std::uint32_t directionOf(BindCode code) {
    const Settings& binds = CurrentSettings;
    return belongsTo(code, binds.downbind, binds.upbind)   ? DownHeld
           : belongsTo(code, binds.upbind, binds.downbind) ? UpHeld
                                                           : 0;
}

BindCode bindOf(std::uint32_t direction) {
    return direction == DownHeld ? CurrentSettings.downbind : CurrentSettings.upbind;
}

std::array<BindCode, 2> directionKeys(std::uint32_t direction) {
    return keysOf(bindOf(direction), bindOf(direction == DownHeld ? UpHeld : DownHeld));
}

std::string hex(BindCode code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}
