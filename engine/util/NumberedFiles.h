#ifndef QUENTH_UTIL_NUMBEREDFILES_H
#define QUENTH_UTIL_NUMBEREDFILES_H

#include <string>

namespace quenth {

// A series of numbered files in one directory, named prefix + N + suffix for
// N = 1, 2, ... (the screenshots). A file of the series is never replaced:
// each new one takes the number after the highest in the directory (a gap is
// not refilled), and the name is claimed atomically, so that two writers, in
// this process or in others, never take the same one.
class NumberedFiles {
public:
    std::string dir;    // directory of the series; "." is the working directory
    std::string prefix; // file name before the number
    std::string suffix; // file name after it
    unsigned next;      // number the next claim tries first; at least 1

    NumberedFiles(std::string const& dir, std::string const& prefix, std::string const& suffix);

    // Highest N of the series now in dir; 0 when there is none (or dir cannot
    // be read). N is written in decimal digits only.
    unsigned highest() const;

    // Path of a temporary file in dir, outside the series, for this process
    // to write a new member to before claim gives it its name.
    std::string temporaryPath() const;

    // Gives the finished file tmp the first free name of the series from
    // max(next, highest() + 1) on and removes tmp. A hard link makes the
    // claim: it fails rather than replace a file. The file is flushed to the
    // disk first. Returns the new name without dir, or an empty string when no
    // name could be taken (tmp is removed then as well, errno tells why).
    std::string claim(std::string const& tmp);

    // The name of member n, without dir.
    std::string name(unsigned n) const;
};

} // namespace quenth

#endif
