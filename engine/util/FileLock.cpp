#include "engine/util/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace quenth {

FileLock::FileLock() : fd(-1) {}

FileLock::~FileLock() {
    unlock();
}

bool FileLock::lock(std::string const& path) {
    unlock();
    int f = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
    if (f < 0) return false;
    while (flock(f, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        int e = errno;
        close(f);
        errno = e;
        return false;
    }
    fd = f;
    return true;
}

void FileLock::unlock() {
    if (fd < 0) return;
    // Closing the only descriptor of the open file releases the lock.
    close(fd);
    fd = -1;
}

} // namespace quenth
