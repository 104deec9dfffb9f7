#include "engine/util/Files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quenth {

namespace {

// Names tried for a backup before giving up: path.bad, path.bad.1 ... path.bad.999.
const int maxBackups = 1000;

// Copies everything readable from in to out.
bool copyAll(int in, int out) {
    char buf[16384];
    for (;;) {
        ssize_t r = ::read(in, buf, sizeof buf);
        if (r < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (r == 0) return true;
        if (!Files::writeAll(out, buf, (size_t)r)) return false;
    }
}

// Closes fd keeping errno as it was.
void closeQuietly(int fd) {
    int e = errno;
    close(fd);
    errno = e;
}

} // namespace

std::string Files::dirName(std::string const& path) {
    size_t end = path.size();
    while (end > 1 && path[end - 1] == '/') --end;
    size_t slash = path.rfind('/', end - 1);
    if (slash == std::string::npos) return ".";
    while (slash > 0 && path[slash - 1] == '/') --slash;
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool Files::makeDirs(std::string const& dir) {
    if (dir.empty()) {
        errno = ENOENT;
        return false;
    }
    struct stat st;
    if (stat(dir.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return true;
        errno = ENOTDIR;
        return false;
    }
    if (errno != ENOENT) return false;
    std::string parent = dirName(dir);
    if (parent != dir && !makeDirs(parent)) return false;
    if (mkdir(dir.c_str(), 0700) == 0) return true;
    // Someone else may have made it meanwhile.
    if (errno == EEXIST && stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
    return false;
}

bool Files::read(std::string const& path, size_t cap, std::string& out, bool& truncated) {
    out.clear();
    truncated = false;
    // Non-blocking, so that a FIFO put in the file's place cannot hang the game.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st;
    if (fstat(fd, &st) != 0) {
        closeQuietly(fd);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    // One byte beyond the cap tells whether there is more.
    out.resize(cap + 1);
    size_t got = 0;
    while (got < cap + 1) {
        ssize_t r = ::read(fd, &out[got], cap + 1 - got);
        if (r < 0) {
            if (errno == EINTR) continue;
            closeQuietly(fd);
            out.clear();
            return false;
        }
        if (r == 0) break;
        got += (size_t)r;
    }
    close(fd);
    truncated = got > cap;
    out.resize(truncated ? cap : got);
    return true;
}

bool Files::writeAll(int fd, char const* p, size_t n) {
    while (n > 0) {
        ssize_t w = write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= (size_t)w;
    }
    return true;
}

bool Files::isTextByte(unsigned char c) {
    return c == '\t' || c == '\n' || c == '\r' || (c >= 32 && c != 127);
}

bool Files::isText(std::string const& bytes) {
    for (char c : bytes)
        if (!isTextByte((unsigned char)c)) return false;
    return true;
}

std::string Files::backup(std::string const& path) {
    int in = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (in < 0) return "";
    for (int n = 0; n < maxBackups; ++n) {
        std::string name = path + ".bad";
        if (n > 0) name += "." + std::to_string(n);
        // O_EXCL claims the name: a backup made before is never touched.
        int out = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (out < 0) {
            if (errno == EEXIST) continue;
            closeQuietly(in);
            return "";
        }
        bool ok = copyAll(in, out) && fsync(out) == 0;
        if (ok)
            ok = close(out) == 0;
        else
            closeQuietly(out);
        closeQuietly(in);
        if (!ok) {
            int e = errno;
            unlink(name.c_str());
            errno = e;
            return "";
        }
        return name;
    }
    close(in);
    errno = EEXIST;
    return "";
}

} // namespace quenth
