#include "engine/util/NumberedFiles.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace quenth {

namespace {

// Names tried past the first free number before giving up: only other
// writers racing for the same names can make a claim go on that long.
const unsigned maxTries = 1000;

// Larger numbers (ten digits and more) are not taken for members: they could
// not be counted on from there.
const unsigned maxDigits = 9;

} // namespace

NumberedFiles::NumberedFiles(std::string const& dir, std::string const& prefix, std::string const& suffix)
    : dir(dir), prefix(prefix), suffix(suffix), next(1) {}

std::string NumberedFiles::name(unsigned n) const {
    return prefix + std::to_string(n) + suffix;
}

unsigned NumberedFiles::highest() const {
    DIR* d = opendir(dir.c_str());
    if (!d) return 0;
    unsigned best = 0;
    while (dirent* e = readdir(d)) {
        std::string f = e->d_name;
        if (f.size() <= prefix.size() + suffix.size()) continue;
        if (f.compare(0, prefix.size(), prefix) != 0) continue;
        if (f.compare(f.size() - suffix.size(), suffix.size(), suffix) != 0) continue;
        std::string digits = f.substr(prefix.size(), f.size() - prefix.size() - suffix.size());
        if (digits.size() > maxDigits || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        unsigned n = (unsigned)std::stoul(digits);
        if (n > best) best = n;
    }
    closedir(d);
    return best;
}

std::string NumberedFiles::temporaryPath() const {
    return dir + "/." + prefix + std::to_string(getpid()) + ".tmp";
}

std::string NumberedFiles::claim(std::string const& tmp) {
    int fd = open(tmp.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "";
    bool flushed = fsync(fd) == 0;
    close(fd);
    int err = flushed ? 0 : errno;
    std::string taken;
    if (flushed) {
        unsigned n = highest() + 1;
        if (n < next) n = next;
        for (unsigned i = 0; i < maxTries; ++i, ++n) {
            std::string candidate = name(n);
            if (link(tmp.c_str(), (dir + "/" + candidate).c_str()) == 0) {
                taken = candidate;
                next = n + 1;
                break;
            }
            err = errno;
            if (err != EEXIST) break;
        }
    }
    unlink(tmp.c_str());
    errno = err;
    return taken;
}

} // namespace quenth
