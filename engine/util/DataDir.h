#ifndef QUENTH_UTIL_DATADIR_H
#define QUENTH_UTIL_DATADIR_H

#include <string>

namespace quenth {

// Where the program's read-only data lies (the game's gfx/, sfx/ and
// shaders/). Every loader names its files relative to it, so the program can
// run from any working directory.
class DataDir {
public:
    static std::string root; // the data directory; empty means the working directory

    // rel inside the data directory: rel itself when root is empty, else
    // root + "/" + rel.
    static std::string path(char const* rel);
    // dir holds at least one of the given subdirectories (names separated by
    // spaces, e.g. "gfx shaders").
    static bool holdsAny(std::string const& dir, char const* subdirs);

    // Looks for a directory holding any of subdirs: asked when not empty
    // (and only there), else the working directory (found is then empty),
    // else programDir + "/" + relInstalled, else absInstalled (either
    // skipped when empty). False when none does; looked then lists the
    // places tried, separated by ", ".
    static bool find(char const* subdirs, std::string const& asked, std::string const& programDir,
                     std::string const& relInstalled, std::string const& absInstalled, std::string& found,
                     std::string& looked);
    // The directory of the running program; empty when it cannot be told.
    static std::string programDir();
};

} // namespace quenth

#endif
