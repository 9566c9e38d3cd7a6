#pragma once

// The case files' text: C's escapes \n \r \t \0 \\ \" and \xHH both ways, and UTF-8.

#include <cstdio>
#include <string>
#include <string_view>

inline constexpr std::string_view Escaped{"\n\r\t\0\\\"", 6}, EscapeLetters = "nrt0\\\"";

inline std::string unescape(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || ++i == text.size()) {
            bytes += text[i - (i == text.size())];
        } else if (text[i] == 'x') {
            bytes += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            const auto at = EscapeLetters.find(text[i]);
            bytes += at == std::string_view::npos ? text[i] : Escaped[at];
        }
    }
    return bytes;
}

inline std::string escape(std::string_view bytes) {
    std::string escaped;
    for (const char c : bytes) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
        const auto at = Escaped.find(c);
        escaped += at != std::string_view::npos ? std::string{'\\', EscapeLetters[at]}
                   : c < ' ' || c > '~'         ? std::string(hex)
                                                : std::string(1, c);
    }
    return escaped;
}

// The UTF-16 of UTF-8 text, for the names the fake desktop hands out.
inline std::u16string utf16(std::string_view bytes) {
    std::u16string units;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t c = lead & (0xFF >> (extra + (extra > 0)));
        for (int k = 0; k < extra && i + 1 < bytes.size(); ++k) {
            c = c << 6 | (bytes[++i] & 0x3F);
        }
        if (c >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            c = 0xDC00 + (c & 0x3FF);
        }
        units += static_cast<char16_t>(c);
    }
    return units;
}
