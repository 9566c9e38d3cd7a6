#include "allocations.h"

#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VELTO_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define VELTO_SANITIZED 1
#endif
#endif

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
std::size_t inUse = 0;
std::size_t base = 0;
std::size_t budget = 0;
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
    budget = bytes;
    exhausted = false;
}

void* operator new(std::size_t size) {
    ++count;
    if (budget != 0) {
        const std::size_t used = inUse - base;
        exhausted = exhausted ? used > budget / 4 : used + size > budget;
        if (exhausted) {
            throw std::bad_alloc();
        }
    }
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    inUse += usableSize(memory);
    return memory;
}

void operator delete(void* memory) noexcept {
    if (memory != nullptr) {
        inUse -= usableSize(memory);
        std::free(memory);
    }
}

void operator delete(void* memory, std::size_t) noexcept {
    operator delete(memory);
}

#endif
