#include "tests/scene/HeapCounter.h"

#include <atomic>
#include <cstddef>
#include <pthread.h>

// glibc's own entry points, exported under these names.
extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t n, size_t size);
extern "C" void* __libc_realloc(void* p, size_t size);

namespace {

std::atomic<bool> armed{false};
pthread_t owner;                // the thread whose calls are counted
std::atomic<uint64_t> calls{0}; // its calls since arming

inline void note() {
    if (armed.load(std::memory_order_acquire) && pthread_equal(pthread_self(), owner))
        calls.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

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

void armCAllocCounter() {
    armed.store(false, std::memory_order_release);
    owner = pthread_self();
    armed.store(true, std::memory_order_release);
}

uint64_t cAllocCount() {
    return calls.load(std::memory_order_relaxed);
}
