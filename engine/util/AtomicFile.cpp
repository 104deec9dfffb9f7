#include "engine/util/AtomicFile.h"

#include "engine/util/Files.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quenth {

int (*AtomicFile::renameFile)(char const* from, char const* to) = ::rename;

namespace {

// The file to replace: path itself, or the file a symbolic link at path
// points to (so that a link kept by the player stays a link).
std::string target(std::string const& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string t = real;
    free(real);
    return t;
}

// Flushes a directory's entries, so that a rename in it lasts. Some file
// systems cannot; the rename has happened either way.
void syncDir(std::string const& dir) {
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

} // namespace

bool AtomicFile::write(std::string const& path, std::string const& bytes) {
    std::string file = target(path);
    if (!Files::makeDirs(Files::dirName(file))) return false;
    std::string tmp;
    int fd = -1;
    for (int n = 0; fd < 0 && n < 100; ++n) {
        tmp = file + "." + std::to_string(getpid()) + "." + std::to_string(n) + ".tmp";
        fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = Files::writeAll(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
    int e = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        e = errno;
    }
    if (ok && renameFile(tmp.c_str(), file.c_str()) != 0) {
        ok = false;
        e = errno;
    }
    if (!ok) {
        unlink(tmp.c_str());
        errno = e;
        return false;
    }
    syncDir(Files::dirName(file));
    return true;
}

} // namespace quenth
