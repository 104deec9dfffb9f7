#include "engine/util/DataDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

using quenth::DataDir;

namespace {

// A scratch tree: base/inst/share/gfx, base/prog/bin, base/other/shaders,
// base/empty; the working directory is base/empty during the test.
class DataDirTest : public ::testing::Test {
protected:
    std::string base, oldCwd;

    void SetUp() override {
        char tmpl[] = "/tmp/datadir-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        base = tmpl;
        for (char const* d : {"/inst", "/inst/share", "/inst/share/gfx", "/prog", "/prog/bin", "/other",
                              "/other/shaders", "/other/sfx", "/empty", "/empty/sfx"})
            ASSERT_EQ(mkdir((base + d).c_str(), 0755), 0) << d;
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        oldCwd = cwd;
        ASSERT_EQ(chdir((base + "/empty").c_str()), 0);
        DataDir::root.clear();
    }
    void TearDown() override {
        EXPECT_EQ(chdir(oldCwd.c_str()), 0);
        std::string cmd = "rm -rf '" + base + "'";
        EXPECT_EQ(system(cmd.c_str()), 0);
        DataDir::root.clear();
    }
};

TEST_F(DataDirTest, PathsLieUnderTheRoot) {
    EXPECT_EQ(DataDir::path("gfx/star.png"), "gfx/star.png");
    DataDir::root = "/usr/share/games/vorlane";
    EXPECT_EQ(DataDir::path("gfx/star.png"), "/usr/share/games/vorlane/gfx/star.png");
}

TEST_F(DataDirTest, TheWorkingDirectoryComesFirstThenTheInstalledPlaces) {
    std::string found = "unset", looked;
    // Only sfx/ here: not a data directory. The installed one relative to
    // the program wins over the absolute one.
    ASSERT_TRUE(DataDir::find("gfx shaders", "", base + "/prog/bin", "../../inst/share", base + "/other",
                              found, looked));
    EXPECT_EQ(found, base + "/prog/bin/../../inst/share");
    ASSERT_TRUE(
        DataDir::find("gfx shaders", "", base + "/prog/bin", "../nowhere", base + "/other", found, looked));
    EXPECT_EQ(found, base + "/other");

    ASSERT_EQ(mkdir((base + "/empty/gfx").c_str(), 0755), 0);
    ASSERT_TRUE(DataDir::find("gfx shaders", "", base + "/prog/bin", "../../inst/share", "", found, looked));
    EXPECT_EQ(found, "");
}

TEST_F(DataDirTest, AnAskedDirectoryIsTheOnlyPlaceLookedAt) {
    std::string found = "unset", looked;
    ASSERT_TRUE(DataDir::find("gfx shaders", base + "/other", "", "", "", found, looked));
    EXPECT_EQ(found, base + "/other");
    EXPECT_FALSE(DataDir::find("gfx shaders", base + "/prog", "", "", base + "/other", found, looked));
    EXPECT_EQ(looked, base + "/prog");
    EXPECT_FALSE(DataDir::find("gfx shaders", base + "/missing", "", "", "", found, looked));

    // Nowhere at all: every place tried is named.
    found = "unset";
    EXPECT_FALSE(DataDir::find("gfx shaders", "", base + "/prog/bin", "../x", base + "/y", found, looked));
    EXPECT_EQ(looked, "the working directory, " + base + "/prog/bin/../x, " + base + "/y");
    EXPECT_EQ(found, "unset");
}

TEST_F(DataDirTest, TheProgramsDirectoryHoldsThisTestProgram) {
    std::string dir = DataDir::programDir();
    ASSERT_FALSE(dir.empty());
    struct stat st;
    EXPECT_EQ(stat((dir + "/test_engine_util").c_str(), &st), 0) << dir;
}

} // namespace
