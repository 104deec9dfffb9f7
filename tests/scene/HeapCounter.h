#ifndef TESTS_SCENE_HEAPCOUNTER_H
#define TESTS_SCENE_HEAPCOUNTER_H

#include <cstdint>

// Counts the C allocator calls (malloc, calloc, realloc) of one thread, which
// operator new counting misses. armCAllocCounter() chooses the calling
// thread; counts only grow.
void armCAllocCounter();
uint64_t cAllocCount();

#endif
