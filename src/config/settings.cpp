#include "settings.h"

#include <charconv>
#include <system_error>

Settings CurrentSettings;

std::size_t parseUnsigned(std::string_view value, std::uint32_t& target, const std::string& where) {
    int base = 10;
    std::size_t start = 0;
    if (value.size() >= 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        base = 16;
        start = 2;
    }
    const char* const first = value.data() + start;
    const auto [end, error] = std::from_chars(first, value.data() + value.size(), target, base);
    if (error != std::errc{}) {
        throw std::system_error(std::make_error_code(error), where);
    }
    return static_cast<std::size_t>(end - value.data());
}

namespace {

bool isBindCode(std::uint32_t code) {
    return code >= 1 && code <= 254;
}

void parseBind(const ConfigReader& reader, std::string_view value, BindCode& bind,
               Message twiceMessage, Message invalidMessage) {
    if (bind != 0) {
        reader.fail(twiceMessage);
    }
    if (parseUnsigned(value, bind, reader.location()) != value.size() || !isBindCode(bind)) {
        reader.fail(invalidMessage);
    }
}

} // namespace

void loadSettings(ConfigReader reader) {
    ConfigRecord record = reader.readRecord();
    if (record.kind != RecordKind::Section || record.name != "general") {
        reader.fail(Message::NoGeneralSection);
    }

    bool intervalSeen = false;
    for (record = reader.readRecord(); record.kind != RecordKind::End;
         record = reader.readRecord()) {
        if (record.kind == RecordKind::Section) {
            reader.fail(Message::UnexpectedSection);
        }
        if (record.name == "interval") {
            if (intervalSeen) {
                reader.fail(Message::IntervalTwice);
            }
            const std::size_t end =
                parseUnsigned(record.value, CurrentSettings.interval, reader.location());
            if (end != record.value.size() || CurrentSettings.interval == 0) {
                reader.fail(Message::InvalidInterval);
            }
            intervalSeen = true;
        } else if (record.name == "upbind") {
            parseBind(reader, record.value, CurrentSettings.upbind, Message::UpbindTwice,
                      Message::InvalidUpbind);
        } else if (record.name == "downbind") {
            parseBind(reader, record.value, CurrentSettings.downbind, Message::DownbindTwice,
                      Message::InvalidDownbind);
        } else {
            reader.fail(Message::UnknownKey);
        }
    }

    if (CurrentSettings.downbind == CurrentSettings.upbind) {
        if (CurrentSettings.upbind != 0) {
            reader.fail(Message::SameBinding);
        }
        reader.fail(Message::NothingBound);
    }
}
