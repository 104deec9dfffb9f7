#ifndef QUENTH_UTIL_FILES_H
#define QUENTH_UTIL_FILES_H

#include <cstddef>
#include <string>

namespace quenth {

// File-system helpers for the files a player keeps. Every operation that can
// fail returns false (or an empty name) and leaves errno telling why.
class Files {
public:
    // The directory part of path: "a/b/c" -> "a/b", "c" -> ".", "/c" -> "/".
    static std::string dirName(std::string const& path);

    // Creates dir and whichever of its parents are missing, each with mode
    // 0700 (the XDG rules ask for private directories). True when dir is a
    // directory afterwards.
    static bool makeDirs(std::string const& dir);

    // Reads at most cap bytes of the regular file path into out. truncated
    // tells whether the file holds more than that. False when the file cannot
    // be opened or read: errno ENOENT when it does not exist, EISDIR for a
    // directory, EINVAL for anything else that is not a regular file.
    static bool read(std::string const& path, size_t cap, std::string& out, bool& truncated);

    // Writes all n bytes to fd, going on after short writes and signals.
    static bool writeAll(int fd, char const* p, size_t n);

    // Text is bytes without NUL or any other control code but tab, line feed
    // and carriage return (DEL counts as a control code). Bytes 128-255 are
    // text: they are UTF-8 or Latin-1 letters.
    static bool isTextByte(unsigned char c);
    static bool isText(std::string const& bytes);

    // Copies path to path + ".bad", or to ".bad.1", ".bad.2", ... the first
    // name not taken: an existing file is never overwritten. The copy is
    // flushed to the disk. Returns the name of the copy, empty when none could
    // be made (no partial copy is left behind).
    static std::string backup(std::string const& path);
};

} // namespace quenth

#endif
