#include "engine/util/Files.h"
#include "engine/util/AtomicFile.h"
#include "engine/util/BaseDirs.h"
#include "tests/support/RunDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace quenth;
using testsupport::RunDir;

// Names in a directory, "." and ".." left out.
static std::vector<std::string> listDir(std::string const& dir) {
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (!d) return names;
    while (dirent* e = readdir(d))
        if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
    closedir(d);
    return names;
}

TEST(BaseDirs, VariablesCountOnlyWhenAbsoluteAndHomeFallsBackToPasswd) {
    setenv("HOME", "/home/jo/", 1);
    setenv("XDG_CONFIG_HOME", "/cfg//", 1);
    setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(BaseDirs::configHome(), "/cfg");
    EXPECT_EQ(BaseDirs::dataHome(), "/home/jo/.local/share");
    setenv("XDG_CONFIG_HOME", "", 1);
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(BaseDirs::configHome(), "/home/jo/.config");
    EXPECT_EQ(BaseDirs::dataHome(), "/home/jo/.local/share");
    unsetenv("HOME");
    struct passwd* pw = getpwuid(getuid());
    ASSERT_NE(pw, nullptr);
    EXPECT_EQ(BaseDirs::home(), pw->pw_dir);
    EXPECT_EQ(BaseDirs::configHome(),
              std::string(pw->pw_dir) == "/" ? "/.config" : std::string(pw->pw_dir) + "/.config");
}

TEST(Files, DirNameAndMakeDirs) {
    EXPECT_EQ(Files::dirName("a/b/c"), "a/b");
    EXPECT_EQ(Files::dirName("a/b/"), "a");
    EXPECT_EQ(Files::dirName("c"), ".");
    EXPECT_EQ(Files::dirName("/c"), "/");
    EXPECT_EQ(Files::dirName("//c"), "/");
    RunDir dir(0);
    std::string deep = dir.file("x/y/z");
    ASSERT_TRUE(Files::makeDirs(deep));
    struct stat st;
    ASSERT_EQ(stat(deep.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(Files::makeDirs(deep));
    // A file in the way: not even root can make a directory below it.
    dir.write("plain", "x");
    errno = 0;
    EXPECT_FALSE(Files::makeDirs(dir.file("plain/sub/more")));
    EXPECT_EQ(errno, ENOTDIR);
}

TEST(Files, ReadStopsAtTheCapAndTellsTextFromBinary) {
    RunDir dir(0);
    dir.write("f", std::string(100, 'a'));
    std::string out;
    bool cut = false;
    ASSERT_TRUE(Files::read(dir.file("f"), 64, out, cut));
    EXPECT_TRUE(cut);
    EXPECT_EQ(out, std::string(64, 'a'));
    ASSERT_TRUE(Files::read(dir.file("f"), 100, out, cut));
    EXPECT_FALSE(cut);
    EXPECT_EQ(out.size(), 100u);
    EXPECT_FALSE(Files::read(dir.file("missing"), 64, out, cut));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(Files::read(dir.path(), 64, out, cut));
    EXPECT_EQ(errno, EISDIR);

    EXPECT_TRUE(Files::isText("key = value\r\n\tcaf\xc3\xa9\n"));
    EXPECT_FALSE(Files::isText(std::string("a\0b", 3)));
    EXPECT_FALSE(Files::isText("a\x1b[0m"));
    EXPECT_FALSE(Files::isText("a\x7f"));
}

TEST(Files, BackupNeverOverwritesAnEarlierOne) {
    RunDir dir(0);
    dir.write("scores", "first");
    EXPECT_EQ(Files::backup(dir.file("scores")), dir.file("scores.bad"));
    dir.write("scores", "second");
    EXPECT_EQ(Files::backup(dir.file("scores")), dir.file("scores.bad.1"));
    dir.write("scores", "third");
    EXPECT_EQ(Files::backup(dir.file("scores")), dir.file("scores.bad.2"));
    EXPECT_EQ(dir.read("scores.bad"), "first");
    EXPECT_EQ(dir.read("scores.bad.1"), "second");
    EXPECT_EQ(dir.read("scores.bad.2"), "third");
    EXPECT_EQ(Files::backup(dir.file("missing")), "");
}

static int failingRename(char const*, char const*) {
    errno = EIO;
    return -1;
}

TEST(AtomicFile, ReplacesWholeOrLeavesTheOldFileAndNoTemporary) {
    RunDir dir(0);
    std::string path = dir.file("data.txt");
    ASSERT_TRUE(AtomicFile::write(path, "old contents\n"));
    EXPECT_EQ(dir.read("data.txt"), "old contents\n");

    AtomicFile::renameFile = failingRename;
    errno = 0;
    EXPECT_FALSE(AtomicFile::write(path, "new contents\n"));
    AtomicFile::renameFile = ::rename;
    EXPECT_EQ(errno, EIO);
    EXPECT_EQ(dir.read("data.txt"), "old contents\n");
    EXPECT_EQ(listDir(dir.path()), std::vector<std::string>{"data.txt"});

    // A link the player keeps stays a link; the file it names is replaced.
    ASSERT_EQ(symlink("data.txt", dir.file("link").c_str()), 0);
    ASSERT_TRUE(AtomicFile::write(dir.file("link"), "through the link\n"));
    struct stat st;
    ASSERT_EQ(lstat(dir.file("link").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(dir.read("data.txt"), "through the link\n");

    dir.write("plain", "x");
    EXPECT_FALSE(AtomicFile::write(dir.file("plain/data.txt"), "x"));
}
