#include "key_lines.h"

#include "emulation/bound_keys.h"
#include "emulation/held_directions.h"
#include "emulation/mouse_buttons.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <sstream>

namespace {

using namespace DesktopPlatform;

// The wide characters of East Asian scripts (Hangul, CJK, full-width forms) and pictographs, which
// take two columns of a console: pairs of the first and the last of a range.
constexpr std::u32string_view WideCharacters = U"\u1100\u115F\u2E80\uA4CF\uAC00\uD7A3\uF900\uFAFF"
                                               U"\uFF00\uFF60\U0001F300\U0001F64F\U0001F900"
                                               U"\U0001F9FF\U00020000\U0003FFFD";

// The columns UTF-8 text takes on a console.
std::size_t columns(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t c = lead;
        if (lead >= 0xE0) { // wide characters take three bytes or four
            const int extra = lead >= 0xF0 ? 3 : 2;
            c = lead & (lead >= 0xF0 ? 0x07 : 0x0F);
            for (int k = 0; k < extra && i + 1 < text.size(); ++k) {
                c = c << 6 | (static_cast<unsigned char>(text[++i]) & 0x3F);
            }
        }
        bool wide = false;
        for (std::size_t range = 0; range < WideCharacters.size(); range += 2) {
            wide |= c >= WideCharacters[range] && c <= WideCharacters[range + 1];
        }
        width += (lead & 0xC0) == 0x80 ? 0 : wide ? 2 : 1;
    }
    return width;
}

std::string utf8(const WCHAR* text, int length) {
    std::string bytes;
    for (int i = 0; i < length; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < length) { // a surrogate pair
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            bytes += static_cast<char>(c);
            continue;
        }
        const int extra = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        const unsigned char lead[] = {0, 0xC0, 0xE0, 0xF0};
        bytes += static_cast<char>(lead[extra] | (c >> (6 * extra)));
        for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6) {
            bytes += static_cast<char>(0x80 | ((c >> shift) & 0x3F));
        }
    }
    return bytes;
}

std::string nameOf(BindCode code, std::int32_t keyName, bool mouse) {
    if (mouse) {
        const char* const names[] = {"",
                                     "Left button",
                                     "Right button",
                                     "",
                                     "Middle button",
                                     "First extra button",
                                     "Second extra button"};
        return isMouseCode(code) ? names[code] : "Extra button";
    }
    WCHAR name[64];
    const int length = GetKeyNameTextW(keyName, name, 64);
    return length > 0 ? utf8(name, length) : "Unnamed key";
}

// The codes of keys that exist only as extended keys: the arrows and the block above them, Print
// Screen, the Windows and menu keys, keypad Divide, Num Lock, right Ctrl and Alt, the browser and
// media keys.
constexpr std::string_view ExtendedOnlyKeys =
    "\x21\x22\x23\x24\x25\x26\x27\x28\x2C\x2D\x2E\x5B\x5C\x5D\x6F\x90\xA3\xA5\xA6\xA7\xA8\xA9"
    "\xAA\xAB\xAC\xAD\xAE\xAF\xB0\xB1\xB2\xB3\xB4\xB5\xB6\xB7";

// How GetKeyNameTextW names the key of a code: by its scan code and extended-key flag. Wine
// leaves the flag out of MapVirtualKeyW's answer, so Up would be named as keypad 8.
std::int32_t keyNameOf(BindCode code) {
    const UINT scan = MapVirtualKeyW(code, MAPVK_VK_TO_VSC_EX);
    const bool extended = (scan >> 8) == 0xE0 ||
                          ExtendedOnlyKeys.find(static_cast<char>(code)) != std::string_view::npos;
    return static_cast<std::int32_t>((scan & 0xFF) << 16 | (extended ? 1 << 24 : 0));
}

// A general code (Shift, Ctrl, Alt) is named by the first of its keys, with the codes of both.
std::string bindName(std::uint32_t direction) {
    const BindCode bind = bindOf(direction);
    const auto keys = directionKeys(direction);
    const BindCode named = keys[0] != 0 ? keys[0] : keys[1];
    std::string text = nameOf(named, keyNameOf(named), isMouseCode(named)) + " (" + hex(bind);
    for (const BindCode key : keys) {
        if (key != 0 && key != bind) {
            text += (key == named ? ": " : " or ") + hex(key);
        }
    }
    return text + ")";
}

// A window named for a player: by its title, quoted and cut to fit a line.
std::string titled(const GateVerdict& verdict) {
    constexpr int Shown = 24;
    if (verdict.titleLength <= 0) {
        return "an untitled window";
    }
    std::string title(1, '"');
    title.append(utf8(verdict.title, std::min(verdict.titleLength, Shown)));
    return title.append(verdict.titleLength > Shown ? "...\"" : "\"");
}

// Where the press was, told of the window it speaks of, with the step to take where VeltoMacro
// does not act: VeltoKeys' own window (`own`, null where it is not known) in front or under the
// pointer is not the game. A click brings the window under the pointer to the front by itself.
// cppcheck-suppress constParameter ; a window handle, only compared
std::string verdictText(const Sighting& press, DesktopPlatform::HWND own) {
    const GateVerdict& verdict = press.verdict;
    const std::string not_ = "VeltoMacro does not act here: ";
    const std::string click = press.mouse ? "" : ": click into the game first";
    if (own != nullptr && verdict.underPointer == own && verdict.foreground == own) {
        return std::string(verdict.actsHere() ? "VeltoMacro would act here"
                                              : "VeltoMacro does not act here") +
               ", over VeltoKeys' own window: point at the game and click into it";
    }
    if (own != nullptr && verdict.underPointer == own) {
        return not_ + "the pointer is over VeltoKeys' own window, not over " + titled(verdict) +
               " in front";
    }
    if (own != nullptr && verdict.foreground == own) {
        return press.mouse
                   ? "VeltoMacro does not act on this click: VeltoKeys' window is in front"
                   : "VeltoMacro does not act here, as VeltoKeys' window is in front" + click;
    }
    switch (verdict.reason) {
    case GateReason::ActsHere:
        return "VeltoMacro acts here, in " + titled(verdict);
    case GateReason::InsideWindow:
        return not_ + "the pointer is over a panel or overlay inside " + titled(verdict);
    case GateReason::OtherWindow:
        return (press.mouse ? "VeltoMacro does not act on this click: " : not_) + titled(verdict) +
               " is in front, not the window under the pointer" + click;
    case GateReason::OtherTitle:
        return not_ + "the window in front is " +
               (verdict.titleLength <= 0 ? "untitled" : "titled " + titled(verdict)) +
               ", not \"Velto\"";
    case GateReason::NoWindow:
        return not_ + "there is no window under the pointer";
    case GateReason::PointerUnknown:
        break;
    }
    return not_ + "the pointer's position cannot be read";
}

} // namespace

std::string wrapped(std::initializer_list<std::string> segments, std::string_view separator) {
    const std::string_view indent = "    ";
    std::string text, line;
    const auto add = [&](std::string_view piece, std::string_view before) {
        if (line.empty() || columns(line) + before.size() + columns(piece) <= LineWidth) {
            line.append(line.empty() ? "" : before).append(piece);
            return;
        }
        text.append(line) += '\n';
        line = std::string(indent).append(piece);
    };
    for (const std::string& segment : segments) {
        if (segment.empty()) {
            continue;
        }
        if (indent.size() + columns(segment) <= LineWidth) {
            add(segment, separator);
            continue;
        }
        std::string_view rest = segment;
        for (std::string_view before = separator; !rest.empty(); before = " ") {
            const std::size_t space = rest.find(' ');
            add(rest.substr(0, space), before);
            rest.remove_prefix(space == std::string_view::npos ? rest.size() : space + 1);
        }
    }
    return text.append(line) + '\n';
}

std::string bindsLine(std::string_view path, bool opened, std::string_view failure) {
    const std::string file(path);
    if (!opened) {
        return wrapped({"No binds to show: there is no file " + file + "."});
    }
    if (!failure.empty()) {
        return wrapped({"VeltoMacro would stop with:", "Error: " + std::string(failure)}, " ");
    }
    const Settings& settings = CurrentSettings;
    return wrapped({file + ":", settings.upbind == 0 ? "" : bindName(UpHeld) + " scrolls up,",
                    settings.downbind == 0 ? "" : bindName(DownHeld) + " scrolls down,",
                    "a notch every " + std::to_string(settings.interval) + " ms."},
                   " ");
}

// The name, the code in decimal and hex, what VeltoMacro makes of it, and whether it acts where
// it was pressed.
// cppcheck-suppress constParameter ; a window handle, only passed on
std::string pressLine(const Sighting& press, DesktopPlatform::HWND own) {
    std::string line = nameOf(press.code, press.keyName, press.mouse);
    // Padded by columns, not bytes, so that the codes line up; a longer name by one space.
    for (std::size_t column = columns(line); column < 19; ++column) {
        line += ' ';
    }
    line += ' ';
    char code[16];
    std::snprintf(code, sizeof code, "%3u  ", press.code);
    line += code + hex(press.code);

    std::string use;
    if (press.code < 1 || press.code > 254) {
        use = "cannot be bound: codes go from 1 to 254";
    } else if (press.mouse != isMouseCode(press.code)) {
        use = std::string("cannot be bound: VeltoMacro takes this code for a ") +
              (press.mouse ? "key" : "mouse button");
    } else if (const std::uint32_t direction = directionOf(press.code); direction != 0) {
        use = direction == UpHeld ? "scrolls up" : "scrolls down";
    } else {
        use = "change upbind or downbind to " + hex(press.code) + ", add no line";
    }
    return wrapped({line, use, press.code == 1 ? "(binding it blocks clicking in the game)" : "",
                    verdictText(press, own)},
                   "   ");
}

std::string rightsLine(const Sighting& front) {
    return wrapped({"The window in front, " + titled(front.verdict) +
                    ", runs with more rights than VeltoKeys: Windows keeps its keys and buttons "
                    "from VeltoKeys and VeltoMacro. To use them there, run both as "
                    "administrator."});
}

std::string scrolledLine(const Sighting& run) {
    std::string line = std::string("scrolled ") + (run.up ? "up" : "down") + ": " +
                       std::to_string(run.notches) + (run.notches == 1 ? " notch" : " notches");
    if (run.microseconds > 0) { // from the first notch to the last
        const double seconds = static_cast<double>(run.microseconds) / 1e6;
        const double rate = (run.notches - 1) / seconds;
        std::ostringstream figures;
        figures << std::fixed << std::setprecision(2) << " in " << seconds << " s, "
                << std::setprecision(rate < 10 ? 1 : 0) << rate << " a second";
        line += figures.str();
    }
    return wrapped({line}) +
           (run.pressSeen
                ? ""
                : "    (start VeltoKeys after VeltoMacro to see the key that scrolls too)\n");
}

std::string notScrollingLine() {
    return wrapped({"VeltoMacro is not scrolling in this session: it is not running, runs in "
                    "another session, or has other binds"});
}

std::string notShownLine(std::uint32_t presses) {
    std::string line = std::to_string(presses);
    line.insert(0, 1, '(');
    return line.append(presses == 1 ? " press" : " presses").append(" not shown)\n");
}

std::string readyLine() {
    return "Press the key or mouse button you want to bind.\n"
           "To stop, close this window or press Ctrl+C.\n";
}
