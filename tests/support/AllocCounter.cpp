#include "tests/support/AllocCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<uint64_t> g_allocs{0};
std::atomic<uint64_t> g_deletes{0};
thread_local uint64_t t_allocs = 0;

void* counted(std::size_t size) {
    g_allocs.fetch_add(1, std::memory_order_relaxed);
    t_allocs++;
    return std::malloc(size ? size : 1);
}

void* countedAligned(std::size_t size, std::align_val_t align) {
    g_allocs.fetch_add(1, std::memory_order_relaxed);
    t_allocs++;
    std::size_t a = static_cast<std::size_t>(align);
    if (a < sizeof(void*)) a = sizeof(void*);
    void* p = nullptr;
    if (posix_memalign(&p, a, size ? size : 1) != 0) return nullptr;
    return p;
}

void released(void* p) {
    if (p) g_deletes.fetch_add(1, std::memory_order_relaxed);
    std::free(p);
}

} // namespace

namespace testsupport {

uint64_t allocCount() {
    return g_allocs.load(std::memory_order_relaxed);
}
uint64_t threadAllocCount() {
    return t_allocs;
}
uint64_t deleteCount() {
    return g_deletes.load(std::memory_order_relaxed);
}

} // namespace testsupport

void* operator new(std::size_t size) {
    void* p = counted(size);
    if (!p) throw std::bad_alloc();
    return p;
}

void* operator new[](std::size_t size) {
    void* p = counted(size);
    if (!p) throw std::bad_alloc();
    return p;
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return counted(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return counted(size);
}

void* operator new(std::size_t size, std::align_val_t align) {
    void* p = countedAligned(size, align);
    if (!p) throw std::bad_alloc();
    return p;
}

void* operator new[](std::size_t size, std::align_val_t align) {
    void* p = countedAligned(size, align);
    if (!p) throw std::bad_alloc();
    return p;
}

void* operator new(std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
    return countedAligned(size, align);
}

void* operator new[](std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
    return countedAligned(size, align);
}

void operator delete(void* p) noexcept {
    released(p);
}
void operator delete[](void* p) noexcept {
    released(p);
}
void operator delete(void* p, std::size_t) noexcept {
    released(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    released(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    released(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    released(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    released(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    released(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    released(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    released(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept {
    released(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
    released(p);
}
