#ifndef TESTSUPPORT_ALLOCCOUNTER_H
#define TESTSUPPORT_ALLOCCOUNTER_H

#include <cstdint>

namespace testsupport {

// Every test program links a replacement of the global operator new and
// delete (all forms) that counts allocations and releases. The counts only
// grow.

// Heap allocations made through operator new by any thread since start.
uint64_t allocCount();

// Heap allocations made through operator new by the calling thread since
// start. Prefer this one: GL drivers may allocate on threads of their own.
uint64_t threadAllocCount();

// Blocks released through operator delete (null pointers aside) by any thread
// since start; allocCount() - deleteCount() is the number of blocks alive.
uint64_t deleteCount();

// Counts the calling thread's allocations from construction on:
//     AllocScope scope;
//     ... the code under test ...
//     EXPECT_EQ(scope.count(), 0u);
// The compiler may drop a new/delete pair whose pointer is never used; a probe
// that must be counted should keep its pointer in a volatile variable.
class AllocScope {
public:
    AllocScope() : start(threadAllocCount()) {}
    uint64_t count() const { return threadAllocCount() - start; }

private:
    uint64_t start; // the thread's count at construction
};

} // namespace testsupport

#endif
