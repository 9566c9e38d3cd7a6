// Whatever the file holds, loading either yields settings that obey every rule, or raises one
// error located at a line the file has. The file lives in memory (a memfd) to keep runs fast.
#include "config/config_reader.h"
#include "config/messages.h"
#include "config/settings.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <system_error>

namespace {

[[noreturn]] void violated(const char* what, std::string_view detail) {
    std::fprintf(stderr, "invariant violated: %s: %.*s\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

bool isKnownMessage(std::string_view message) {
    return std::find(Messages.begin(), Messages.end(), message) != Messages.end() ||
           message == std::make_error_code(std::errc::invalid_argument).message() ||
           message == std::make_error_code(std::errc::result_out_of_range).message();
}

std::size_t lineCount(std::string_view input) {
    const auto feeds = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n'));
    return feeds + (!input.empty() && input.back() != '\n' ? 1 : 0);
}

bool mentions(std::string_view input, std::string_view key) {
    std::string folded(input);
    std::transform(folded.begin(), folded.end(), folded.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return folded.find(key) != std::string::npos;
}

void checkError(std::string_view message, const std::string& path, std::string_view input) {
    if (message.substr(0, path.size() + 1) != path + ":") {
        violated("message without the path", message);
    }
    message.remove_prefix(path.size() + 1);
    std::size_t digits = 0;
    while (digits < message.size() && message[digits] >= '0' && message[digits] <= '9') {
        ++digits;
    }
    if (digits == 0 || digits > 19 || message.substr(digits, 2) != ": ") {
        violated("message without a line number", message);
    }
    const auto line = std::stoull(std::string(message.substr(0, digits)));
    if (line > lineCount(input) || (line == 0 && !input.empty())) {
        violated("line number outside the file", message);
    }
    if (!isKnownMessage(message.substr(digits + 2))) {
        violated("unknown message", message);
    }
}

void checkSettings(std::string_view input) {
    const Settings& s = CurrentSettings;
    if (s.interval == 0) {
        violated("interval 0 accepted", input);
    }
    if (s.upbind > 254 || s.downbind > 254) {
        violated("bind above 254 accepted", input);
    }
    if (s.upbind == s.downbind) {
        violated("equal or missing binds accepted", input);
    }
    if ((!mentions(input, "interval") && s.interval != 5) ||
        (!mentions(input, "upbind") && s.upbind != 0) ||
        (!mentions(input, "downbind") && s.downbind != 0)) {
        violated("a key absent from the file lost its default", input);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int file = memfd_create("VeltoMacro.ini", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(file);
    if (ftruncate(file, 0) != 0 || pwrite(file, data, size, 0) != static_cast<ssize_t>(size)) {
        std::abort();
    }
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CurrentSettings = Settings{};
    try {
        loadSettings(ConfigReader(path));
    } catch (const std::exception& error) {
        checkError(error.what(), path, input);
        return 0;
    }
    checkSettings(input);
    return 0;
}
