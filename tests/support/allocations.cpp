#include "allocations.h"

#include <cstdlib>
#include <new>

// Sanitized builds define VELTO_SANITIZED.
#if defined(VELTO_SANITIZED)
bool allocationsCounted() {
    return false;
}
long allocationCount() {
    return 0;
}
void setHeapBudget(std::size_t) {}
#else

#include <malloc.h>
#if defined(_WIN32)
#define usableSize _msize
#else
#define usableSize malloc_usable_size
#endif

namespace {
long count = 0;
long long inUse = 0, base = 0, budget = 0;
bool exhausted = false;
} // namespace

bool allocationsCounted() {
    return true;
}
long allocationCount() {
    return count;
}
void setHeapBudget(std::size_t bytes) {
    base = inUse;
    budget = static_cast<long long>(bytes);
    exhausted = false;
}

void* operator new(std::size_t size) {
    ++count;
    const long long used = inUse - base;
    exhausted = budget != 0 &&
                (exhausted ? used > budget / 4 : used + static_cast<long long>(size) > budget);
    void* memory = exhausted ? nullptr : std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    inUse += static_cast<long long>(usableSize(memory));
    return memory;
}

void operator delete(void* memory) noexcept {
    inUse -= memory == nullptr ? 0 : static_cast<long long>(usableSize(memory));
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    operator delete(memory);
}
#endif
