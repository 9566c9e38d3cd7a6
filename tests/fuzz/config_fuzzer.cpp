// Whatever the file holds, loading either yields settings that obey every rule and keep the
// defaults of the keys the file does not name, or raises a known message located at a line the
// file has. The file lives in memory (a memfd).
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

bool names(std::string input, const char* key) {
    std::transform(input.begin(), input.end(), input.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    });
    return input.find(key) != std::string::npos;
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
        const std::string message = error.what();
        const std::size_t colon = message.find(": ", path.size() + 1);
        const auto line = std::strtoull(message.c_str() + path.size() + 1, nullptr, 10);
        const auto lines =
            std::count(input.begin(), input.end(), '\n') + (size > 0 && input.back() != '\n');
        promise(message.rfind(path + ":", 0) == 0 &&
                    message.find_first_not_of("0123456789", path.size() + 1) == colon &&
                    line <= static_cast<unsigned long long>(lines) && (line > 0 || size == 0),
                "not located at a line of the file", message);
        const std::string said = message.substr(colon + 2);
        promise(std::find(Messages.begin(), Messages.end(), said) != Messages.end() ||
                    said == std::make_error_code(std::errc::invalid_argument).message() ||
                    said == std::make_error_code(std::errc::result_out_of_range).message(),
                "unknown message", message);
        return 0;
    }
    const Settings& s = CurrentSettings;
    promise(s.interval != 0 && s.upbind <= 254 && s.downbind <= 254 && s.upbind != s.downbind,
            "a value out of range, or equal or missing binds, accepted", input);
    promise((names(input, "interval") || s.interval == 5) &&
                (names(input, "upbind") || s.upbind == 0) &&
                (names(input, "downbind") || s.downbind == 0),
            "a key absent from the file lost its default", input);
    return 0;
}
