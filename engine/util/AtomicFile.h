#ifndef QUENTH_UTIL_ATOMICFILE_H
#define QUENTH_UTIL_ATOMICFILE_H

#include <string>

namespace quenth {

// Replaces a file's contents so that a crash or power cut at any moment
// leaves either the old file or the new one, whole: the bytes go to a
// temporary file in the same directory, which is flushed to the disk and then
// renamed over the old file; the directory is flushed last.
class AtomicFile {
public:
    // Writes bytes as the new contents of path (created with mode 0644 less
    // the umask, its missing directories with 0700). When path is a symbolic
    // link, the file it points to is replaced and the link kept. False on any
    // failure, with errno telling why; the temporary file is then removed and
    // path is untouched.
    static bool write(std::string const& path, std::string const& bytes);

    // The rename that puts the temporary file in place (rename(2) unless a
    // test sets another, e.g. one that fails, to see the old file survive).
    static int (*renameFile)(char const* from, char const* to);
};

} // namespace quenth

#endif
