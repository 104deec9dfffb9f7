#include "engine/util/NumberedFiles.h"
#include "tests/support/RunDir.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using quenth::NumberedFiles;
using testsupport::RunDir;

namespace {

// Writes bytes to the series' temporary file and claims a name for it.
std::string add(NumberedFiles& series, std::string const& bytes, RunDir const& dir) {
    std::string tmp = series.temporaryPath();
    dir.write(tmp.substr(dir.path().size() + 1), bytes);
    return series.claim(tmp);
}

TEST(NumberedFiles, GoesOnAfterTheHighestAndNeverReplacesAFile) {
    RunDir dir(0);
    dir.write("shot_2.bmp", "two");
    dir.write("shot_7.bmp", "seven");
    // Not members: other names, no digits, a sign, a temporary file.
    dir.write("shot_x.bmp", "");
    dir.write("shot_.bmp", "");
    dir.write("shot_-9.bmp", "");
    dir.write("shot_40.bmp.tmp", "");
    dir.write("other_50.bmp", "");
    NumberedFiles series(dir.path(), "shot_", ".bmp");
    EXPECT_EQ(series.highest(), 7u);

    EXPECT_EQ(add(series, "eight", dir), "shot_8.bmp");
    EXPECT_EQ(dir.read("shot_8.bmp"), "eight");
    EXPECT_FALSE(dir.exists(series.temporaryPath().substr(dir.path().size() + 1)));

    // The gap left by a deleted picture is not refilled; a name taken by
    // someone else meanwhile is skipped, its file kept.
    unlink(dir.file("shot_8.bmp").c_str());
    dir.write("shot_9.bmp", "theirs");
    EXPECT_EQ(add(series, "ten", dir), "shot_10.bmp");
    EXPECT_EQ(dir.read("shot_9.bmp"), "theirs");
    EXPECT_EQ(dir.read("shot_2.bmp"), "two");
    EXPECT_EQ(dir.read("shot_7.bmp"), "seven");
    EXPECT_FALSE(dir.exists("shot_8.bmp"));

    // Nothing to claim, or nowhere to put it: no name.
    EXPECT_EQ(series.claim(dir.file("missing")), "");
    NumberedFiles nowhere(dir.file("no/such/dir"), "shot_", ".bmp");
    EXPECT_EQ(nowhere.highest(), 0u);
}

TEST(NumberedFiles, WritersRacingForNamesEachGetTheirOwn) {
    RunDir dir(0);
    const int writers = 3, each = 20;
    pid_t pids[writers];
    for (int w = 0; w < writers; ++w) {
        pids[w] = fork();
        ASSERT_GE(pids[w], 0);
        if (pids[w] == 0) {
            NumberedFiles series(dir.path(), "shot_", ".bmp");
            int claimed = 0;
            for (int i = 0; i < each; ++i)
                if (!add(series, std::to_string(w) + "." + std::to_string(i), dir).empty()) ++claimed;
            _exit(claimed == each ? 0 : 1);
        }
    }
    for (int w = 0; w < writers; ++w) {
        int status = 0;
        waitpid(pids[w], &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer " << w;
    }
    // Every picture is there under a name of its own, numbered 1 to 60.
    std::set<std::string> contents;
    for (int n = 1; n <= writers * each; ++n) contents.insert(dir.read("shot_" + std::to_string(n) + ".bmp"));
    EXPECT_EQ(contents.size(), (size_t)(writers * each));
    EXPECT_EQ(contents.count(""), 0u);
    EXPECT_FALSE(dir.exists("shot_61.bmp"));
}

} // namespace
