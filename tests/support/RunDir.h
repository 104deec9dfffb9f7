#ifndef TESTSUPPORT_RUNDIR_H
#define TESTSUPPORT_RUNDIR_H

#include <string>

namespace testsupport {

// A scratch working directory for one run of the game, removed again by the
// destructor. The assets come from the build's run directory (the directory
// named by VORLANE_RUN_DIR, which CTest sets, else the working directory):
// gfx/, sfx/ and shaders/ are linked in unless the test leaves them out or
// makes its own.
class RunDir {
public:
    enum { GFX = 1, SFX = 2, SHADERS = 4, ALL_ASSETS = 7 };

    // Links the asset directories named by assets.
    explicit RunDir(unsigned assets = ALL_ASSETS);
    ~RunDir();

    RunDir(RunDir const&) = delete;
    RunDir& operator=(RunDir const&) = delete;

    // The build's run directory and the game program in it.
    static std::string buildRunDir();
    static std::string program();

    std::string const& path() const { return dir; }
    // path() + "/" + name.
    std::string file(std::string const& name) const;
    bool exists(std::string const& name) const;
    // Size in bytes, -1 when missing.
    long size(std::string const& name) const;
    // Writes bytes to name, creating the directories on the way.
    void write(std::string const& name, std::string const& bytes) const;
    // Copies a file of the build's run directory (e.g. "sfx/music1.ogg") into
    // this one; false when there is no such file.
    bool copyFromBuild(std::string const& name) const;
    // The whole file, empty when missing.
    std::string read(std::string const& name) const;

private:
    std::string dir; // absolute path of the scratch directory
};

} // namespace testsupport

#endif
