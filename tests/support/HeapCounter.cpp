#include "tests/support/HeapCounter.h"

#include <atomic>
#include <cstddef>
#include <malloc.h>
#include <pthread.h>

#if !defined(__SANITIZE_ADDRESS__)
// glibc's own entry points, under the names the library exports for them.
extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t n, size_t size);
extern "C" void* __libc_realloc(void* p, size_t size);
extern "C" void __libc_free(void* p);
#endif

namespace {

std::atomic<bool> g_armed{false};
pthread_t g_owner;                // thread whose calls are counted, once armed
std::atomic<uint64_t> g_calls{0}; // calls of that thread
std::atomic<int64_t> g_bytes{0};  // bytes that thread holds, see cHeapBalance()

inline bool counting() {
    return g_armed.load(std::memory_order_acquire) && pthread_equal(pthread_self(), g_owner);
}

// One allocation call of the armed thread that took bytes (negative: gave back).
inline void note(int64_t bytes) {
    g_calls.fetch_add(1, std::memory_order_relaxed);
    g_bytes.fetch_add(bytes, std::memory_order_relaxed);
}

inline void held(int64_t bytes) {
    g_bytes.fetch_add(bytes, std::memory_order_relaxed);
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)

// AddressSanitizer owns malloc and its kin: replacing them here would hand it
// glibc's blocks to free. It reports every allocation (operator new's too,
// which go through malloc: the tests expect zero of either) to a hook instead.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));
extern "C" size_t __sanitizer_get_allocated_size(const volatile void* p);

namespace {

// A reallocation reports the new block and the freed old one.
void onMalloc(const volatile void*, size_t size) {
    if (counting()) note((int64_t)size);
}
void onFree(const volatile void* p) {
    if (counting()) held(-(int64_t)__sanitizer_get_allocated_size(p));
}

const int hooksInstalled = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);

} // namespace

#else

extern "C" void* malloc(size_t size) {
    void* p = __libc_malloc(size);
    if (counting()) note((int64_t)malloc_usable_size(p));
    return p;
}

extern "C" void* calloc(size_t n, size_t size) {
    void* p = __libc_calloc(n, size);
    if (counting()) note((int64_t)malloc_usable_size(p));
    return p;
}

extern "C" void* realloc(void* p, size_t size) {
    if (!counting()) return __libc_realloc(p, size);
    int64_t before = (int64_t)malloc_usable_size(p); // 0 for null
    void* q = __libc_realloc(p, size);
    // A failed reallocation keeps the old block; size 0 frees it.
    note(q || size == 0 ? (int64_t)malloc_usable_size(q) - before : 0);
    return q;
}

extern "C" void free(void* p) {
    if (p && counting()) held(-(int64_t)malloc_usable_size(p));
    __libc_free(p);
}

#endif

uint64_t cAllocCount() {
    return g_calls.load(std::memory_order_relaxed);
}

int64_t cHeapBalance() {
    return g_bytes.load(std::memory_order_relaxed);
}

void armCAllocCounter() {
    g_armed.store(false, std::memory_order_release);
    g_owner = pthread_self();
    g_armed.store(true, std::memory_order_release);
}
