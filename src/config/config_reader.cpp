#include "config_reader.h"

#include <algorithm>
#include <stdexcept>

namespace {

bool isWhitespace(char byte) {
    return static_cast<unsigned char>(byte) <= 0x20;
}

std::string_view trimTrailing(std::string_view text) {
    while (!text.empty() && isWhitespace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view trimLeading(std::string_view text) {
    while (!text.empty() && isWhitespace(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// Folds in place, so the name view stays a view of the line buffer.
void foldToLower(std::string& buffer, std::string_view name) {
    const auto first = buffer.begin() + (name.data() - buffer.data());
    std::transform(first, first + static_cast<std::ptrdiff_t>(name.size()), first, [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
}

} // namespace

ConfigReader::ConfigReader(std::string_view path)
    : file(std::string(path), std::ios::binary), path(path) {
    if (!file) {
        throw std::runtime_error(std::string(messageText(Message::CannotOpen)) + std::string(path));
    }
}

ConfigRecord ConfigReader::readRecord() {
    ConfigRecord record;
    for (;;) {
        std::getline(file, line);
        if (file.bad()) {
            // An I/O error or a line too long for memory: the rest of the file is unknown, so
            // loading must not go on as if the file had ended here. Free the partial line first
            // so the report itself has memory to be built in.
            ++lineNumber;
            line.clear();
            line.shrink_to_fit();
            fail(Message::CannotRead);
        }
        if (file.fail()) {
            return record;
        }
        ++lineNumber;

        std::string_view content = trimLeading(line);
        content = content.substr(0, content.find(';'));
        if (content.empty()) {
            continue;
        }
        content = trimTrailing(content);

        if (content.front() == '[') {
            if (content.back() != ']') { // so a lone '[' fails too
                fail(Message::SectionNotClosed);
            }
            record.kind = RecordKind::Section;
            record.name = content.substr(1, content.size() - 2);
        } else {
            const std::size_t equals = content.find('=');
            if (equals == std::string_view::npos) {
                fail(Message::NoEquals);
            }
            record.kind = RecordKind::KeyValue;
            record.value = trimLeading(content.substr(equals + 1));
            if (record.value.empty()) {
                fail(Message::EmptyValue);
            }
            record.name = trimTrailing(content.substr(0, equals));
        }
        foldToLower(line, record.name);
        if (record.name.empty()) {
            fail(Message::EmptyKey);
        }
        return record;
    }
}

std::string ConfigReader::location() const {
    return std::string(path) + ':' + std::to_string(lineNumber);
}

void ConfigReader::fail(Message message) const {
    throw std::runtime_error(location() + ": " + std::string(messageText(message)));
}
