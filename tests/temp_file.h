#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

// A file of exactly the given bytes in the temporary directory, removed again at scope end.
class TempFile {
public:
    explicit TempFile(std::string_view bytes, std::string_view name = "VeltoMacro") {
        static std::atomic<unsigned> counter{0};
        static const unsigned run = std::random_device{}();
        file = std::filesystem::temp_directory_path() /
               (std::string(name) + "-" + std::to_string(run) + "-" + std::to_string(++counter) +
                ".ini");
        std::ofstream out(file, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
    }

    std::string path() const { return file.string(); }

private:
    std::filesystem::path file;
};
