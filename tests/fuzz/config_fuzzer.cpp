// Whatever the file holds, loading either yields settings that obey every rule, or raises one of
// the known messages, located at a line the file has. The file lives in memory (a memfd).
#include "config/config_reader.h"
#include "config/messages.h"
#include "config/settings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <system_error>
#include <unistd.h>

namespace {

void promise(bool kept, const char* what, const std::string& detail) {
    if (!kept) {
        std::fprintf(stderr, "invariant violated: %s: %s\n", what, detail.c_str());
        std::abort();
    }
}

void checkError(const std::string& message, const std::string& path, std::string_view input) {
    promise(message.rfind(path + ":", 0) == 0, "message without the path", message);
    const std::size_t digits = message.find_first_not_of("0123456789", path.size() + 1);
    promise(digits != std::string::npos && digits > path.size() + 1 && digits < path.size() + 21 &&
                message.compare(digits, 2, ": ") == 0,
            "message without a line number", message);
    // Lines count from 1; 0 only when the file has none.
    const auto line = std::stoull(message.substr(path.size() + 1));
    const auto lines = std::count(input.begin(), input.end(), '\n') +
                       (!input.empty() && input.back() != '\n' ? 1 : 0);
    promise(line <= static_cast<unsigned long long>(lines) && (line > 0 || input.empty()),
            "line number outside the file", message);
    const std::string said = message.substr(digits + 2);
    promise(std::find(Messages.begin(), Messages.end(), said) != Messages.end() ||
                said == std::make_error_code(std::errc::invalid_argument).message() ||
                said == std::make_error_code(std::errc::result_out_of_range).message(),
            "unknown message", message);
}

void checkSettings(std::string input) {
    const Settings& s = CurrentSettings;
    std::transform(input.begin(), input.end(), input.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    });
    promise(s.interval != 0 && s.upbind <= 254 && s.downbind <= 254 && s.upbind != s.downbind,
            "a value out of range, or equal or missing binds, accepted", input);
    promise((input.find("interval") != std::string::npos || s.interval == 5) &&
                (input.find("upbind") != std::string::npos || s.upbind == 0) &&
                (input.find("downbind") != std::string::npos || s.downbind == 0),
            "a key absent from the file lost its default", input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int file = memfd_create("VeltoMacro.ini", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(file);
    promise(ftruncate(file, 0) == 0 && pwrite(file, data, size, 0) == static_cast<ssize_t>(size),
            "cannot write the file", path);
    const std::string input(reinterpret_cast<const char*>(data), size);
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
