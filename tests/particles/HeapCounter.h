#ifndef TESTS_PARTICLES_HEAPCOUNTER_H
#define TESTS_PARTICLES_HEAPCOUNTER_H

#include "tests/support/AllocCounter.h"

#include <cstdint>

// quenth::Stack keeps its storage with malloc and calloc, which the shared
// operator new counter does not see. This program therefore also counts the
// C allocator's calls made by the thread that armed the counter.
uint64_t cAllocCount();
void armCAllocCounter(); // counts the calling thread's calls from now on

// Heap allocations of the calling thread from construction on. An operator
// new is seen twice (it allocates through malloc); what matters is zero.
class HeapScope {
public:
    HeapScope() {
        armCAllocCounter();
        start = cAllocCount();
    }
    uint64_t count() const { return news.count() + cAllocCount() - start; }

private:
    testsupport::AllocScope news; // operator new calls
    uint64_t start;               // C allocator calls at construction
};

#endif
