#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// Every message of the configuration's own, worded once. All but the open failure are raised
// after the file's location and ": "; the open failure is followed by the path.
enum class Message : std::size_t {
    CannotOpen,
    CannotRead,
    SectionNotClosed,
    NoEquals,
    EmptyValue,
    EmptyKey,
    NoGeneralSection,
    UnexpectedSection,
    UnknownKey,
    IntervalTwice,
    InvalidInterval,
    UpbindTwice,
    InvalidUpbind,
    DownbindTwice,
    InvalidDownbind,
    SameBinding,
    NothingBound,
};

inline constexpr std::array<std::string_view, 17> Messages = {
    "Unable to open configuration file: ",
    "Unable to read configuration file.",
    "Invalid section name. Starts with '[' but does not end with ']'.",
    "Expected '=' followed by a value but found nothing.",
    "Empty value string.",
    "Empty key string.",
    "Expected [general] section.",
    "Unexpected section.",
    "Invalid key/value pair.",
    "Event interval specified twice.",
    "Invalid value for the event interval.",
    "Scroll up key bind specified twice.",
    "Invalid value for scroll up key bind.",
    "Scroll down key bind specified twice.",
    "Invalid value for scroll down key bind.",
    "Scroll up and scroll down both have the same binding.",
    "No key was bound to either scroll direction.",
};

static_assert(Messages.size() == static_cast<std::size_t>(Message::NothingBound) + 1);

constexpr std::string_view messageText(Message message) {
    return Messages[static_cast<std::size_t>(message)];
}
