// Loading time and peak heap against file size: both must grow with the file only as they should,
// time linearly, memory not at all beyond the longest line.
#include "config/config_reader.h"
#include "config/settings.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <new>
#include <string>

namespace {
std::atomic<long long> heapInUse{0};
std::atomic<long long> heapPeak{0};
} // namespace

void* operator new(std::size_t size) {
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    const long long now = heapInUse += static_cast<long long>(malloc_usable_size(memory));
    for (long long peak = heapPeak; now > peak && !heapPeak.compare_exchange_weak(peak, now);) {
    }
    return memory;
}
void operator delete(void* memory) noexcept {
    if (memory != nullptr) {
        heapInUse -= static_cast<long long>(malloc_usable_size(memory));
        std::free(memory);
    }
}
void operator delete(void* memory, std::size_t) noexcept {
    operator delete(memory);
}

namespace {

// A valid file of about `megabytes` MiB of comment lines, and of one line of `longLine` bytes.
std::string makeFile(long megabytes, long longLine) {
    std::string path =
        (std::filesystem::temp_directory_path() /
         ("velto-load-" + std::to_string(megabytes) + "-" + std::to_string(longLine) + ".ini"))
            .string();
    if (std::filesystem::exists(path)) {
        return path;
    }
    std::ofstream out(path, std::ios::binary);
    out << "[general]\ninterval = 5\n; " << std::string(static_cast<std::size_t>(longLine), 'x')
        << "\n";
    std::string block;
    while (block.size() < (1 << 20)) {
        block += "; a comment line of sixty-four bytes, give or take a few ones\n";
    }
    for (long written = 0; written < megabytes; ++written) {
        out << block;
    }
    out << "upbind = 0x26\n";
    return path;
}

void Load(benchmark::State& state) {
    const std::string path = makeFile(state.range(0), state.range(1));
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
    long long peak = 0;
    for (auto _ : state) {
        CurrentSettings = Settings{};
        const long long before = heapInUse;
        heapPeak = before;
        loadSettings(ConfigReader(path));
        peak = heapPeak - before;
    }
    if (CurrentSettings.upbind != 0x26) {
        state.SkipWithError("file not loaded");
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["peak_heap_KiB"] = static_cast<double>(peak) / 1024;
}
// Sizes in MiB with short lines, then a fixed size with ever longer longest lines.
BENCHMARK(Load)
    ->Args({1, 64})
    ->Args({10, 64})
    ->Args({100, 64})
    ->Args({10, 1 << 20})
    ->Args({10, 8 << 20})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
