#include "allocations.h"

#include <cstdlib>
#include <new>

namespace {
long count = 0;
long long inUse = 0, base = 0, budget = 0;
bool exhausted = false;
} // namespace

// Sanitized builds define VELTO_SANITIZED: their allocator is the sanitizer's, and nothing here is
// called.
bool allocationsCounted() {
#if defined(VELTO_SANITIZED)
    return false;
#else
    return true;
#endif
}
long allocationCount() {
    return count;
}
void setHeapBudget(std::size_t bytes) {
    base = inUse;
    budget = static_cast<long long>(bytes);
    exhausted = false;
}

#if !defined(VELTO_SANITIZED)
constexpr std::size_t Header = 16; // where each block keeps its size, aligned as malloc's

void* operator new(std::size_t size) {
    ++count;
    const long long used = inUse - base, asked = static_cast<long long>(size);
    exhausted = budget != 0 && (exhausted ? used > budget / 4 : used + asked > budget);
    auto* block = static_cast<char*>(exhausted ? nullptr : std::malloc(Header + size));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<long long*>(block) = asked;
    inUse += asked;
    return block + Header;
}

void operator delete(void* memory) noexcept {
    if (memory != nullptr) {
        char* block = static_cast<char*>(memory) - Header;
        inUse -= *reinterpret_cast<long long*>(block);
        std::free(block);
    }
}

void operator delete(void* memory, std::size_t) noexcept {
    operator delete(memory);
}
#endif
