#include "tests/support/HeapCounter.h"

#include <atomic>
#include <cstddef>
#include <pthread.h>

#if !defined(__SANITIZE_ADDRESS__)
// glibc's own entry points, under the names the library exports for them.
extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t n, size_t size);
extern "C" void* __libc_realloc(void* p, size_t size);
#endif

namespace {

std::atomic<bool> g_armed{false};
pthread_t g_owner;                // thread whose calls are counted, once armed
std::atomic<uint64_t> g_calls{0}; // calls of that thread

inline void note() {
    if (g_armed.load(std::memory_order_acquire) && pthread_equal(pthread_self(), g_owner))
        g_calls.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)

// AddressSanitizer owns malloc and its kin: replacing them here would hand it
// glibc's blocks to free. It reports every allocation (operator new's too,
// which go through malloc: the tests expect zero of either) to a hook instead.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));

namespace {

void onMalloc(const volatile void*, size_t) {
    note();
}
void onFree(const volatile void*) {}

const int hooksInstalled = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);

} // namespace

#else

extern "C" void* malloc(size_t size) {
    note();
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t n, size_t size) {
    note();
    return __libc_calloc(n, size);
}

extern "C" void* realloc(void* p, size_t size) {
    note();
    return __libc_realloc(p, size);
}

#endif

uint64_t cAllocCount() {
    return g_calls.load(std::memory_order_relaxed);
}

void armCAllocCounter() {
    g_armed.store(false, std::memory_order_release);
    g_owner = pthread_self();
    g_armed.store(true, std::memory_order_release);
}
