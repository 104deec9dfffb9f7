#ifndef QUENTH_UTIL_FILELOCK_H
#define QUENTH_UTIL_FILELOCK_H

#include <string>

namespace quenth {

// An exclusive flock(2) on a lock file, held until unlock() or destruction.
// Processes that take the same lock file before touching a shared file take
// turns at it. The lock file itself is never removed: removing it would let
// two processes hold locks on two different files of the same name.
class FileLock {
public:
    int fd; // the open lock file, -1 when no lock is held

    FileLock();
    ~FileLock();

    FileLock(FileLock const&) = delete;
    FileLock& operator=(FileLock const&) = delete;

    // Opens (creating it when missing) the lock file path and waits until the
    // lock is ours. False, with errno telling why, when the file cannot be
    // opened or locked. Releases any lock held before.
    bool lock(std::string const& path);
    void unlock();
    bool held() const { return fd >= 0; }
};

} // namespace quenth

#endif
