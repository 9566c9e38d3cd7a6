#pragma once

// Set when a sanitizer watches the build: address-space limits do not mix with its shadow memory.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VELTO_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define VELTO_SANITIZED 1
#endif
#endif
