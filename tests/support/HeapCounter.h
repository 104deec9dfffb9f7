#ifndef TESTSUPPORT_HEAPCOUNTER_H
#define TESTSUPPORT_HEAPCOUNTER_H

#include "tests/support/AllocCounter.h"

#include <cstdint>

// Counts the C allocator's calls (malloc, calloc, realloc) made by the thread
// that armed the counter: library code (SDL, the GL driver) allocates that
// way, and operator new counting alone does not see it. A program that uses
// this replaces the C allocator's entry points (under AddressSanitizer it
// installs the sanitizer's allocation hook instead).
uint64_t cAllocCount();
void armCAllocCounter(); // counts the calling thread's calls from now on

// The C heap's balance: bytes in the blocks that the armed thread has taken
// from the C allocator (operator new's blocks included) less those it has
// given back, each block by the allocator's own measure of it. Blocks made
// before the counter was armed count negative when freed, so compare two
// readings: equal readings mean the stretch between them left the heap as it
// found it.
int64_t cHeapBalance();

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
