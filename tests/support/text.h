#pragma once

// The escapes of the case files: C's \n \r \t \0 \\ \" and \xHH, both ways.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

inline std::string unescape(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            bytes += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'x') {
            bytes += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            const std::string_view from = "nrt0", to{"\n\r\t\0", 4};
            const auto at = from.find(c);
            bytes += at == std::string_view::npos ? c : to[at];
        }
    }
    return bytes;
}

inline std::string escape(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const std::string_view from{"\n\r\t\0\\\"", 6}, to = "nrt0\\\"";
        const auto at = from.find(c);
        if (at != std::string_view::npos) {
            text += '\\';
            text += to[at];
        } else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
            text += hex;
        } else {
            text += c;
        }
    }
    return text;
}

// Splits at blanks; a token in double quotes may hold blanks and escapes.
inline std::vector<std::string> tokens(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while ((i = line.find_first_not_of(' ', i)) != std::string_view::npos) {
        if (line[i] == '"') {
            std::size_t end = i + 1;
            while (end < line.size() && line[end] != '"') {
                end += line[end] == '\\' ? 2 : 1;
            }
            words.push_back(unescape(line.substr(i + 1, end - i - 1)));
            i = end + 1;
        } else {
            const std::size_t end = std::min(line.find(' ', i), line.size());
            words.emplace_back(line.substr(i, end - i));
            i = end;
        }
    }
    return words;
}

// UTF-8 to UTF-16, for the names the fake desktop hands out (the files are UTF-8).
inline std::u16string utf16(std::string_view bytes) {
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < bytes.size(); ++k) {
            c = c << 6 | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        }
        i += static_cast<std::size_t>(extra) + 1;
        if (c >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            c = 0xDC00 + ((c - 0x10000) & 0x3FF);
        }
        text += static_cast<char16_t>(c);
    }
    return text;
}
