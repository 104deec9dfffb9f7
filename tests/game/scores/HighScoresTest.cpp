#include "game/scores/HighScores.h"
#include "engine/util/AtomicFile.h"
#include "tests/support/RunDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using testsupport::RunDir;

static int countLines(std::string const& s) {
    return (int)std::count(s.begin(), s.end(), '\n');
}

// 2024-05-01T12:00:00Z plus some seconds.
static long long day(int seconds) {
    return 1714564800LL + seconds;
}

static ScoreEntry entry(char const* name, long score, int seconds) {
    return ScoreEntry(name, score, 3, 40, DIFFICULTY_NORMAL, day(seconds));
}

TEST(ScoreEntry, LinesRoundTripAndBadFieldsAreRejected) {
    ScoreEntry e("Jo  #1 ~Pilot~", 1234567, 12, 340, DIFFICULTY_HARD, day(61));
    EXPECT_EQ(e.toLine(), "1234567 12 340 hard 2024-05-01T12:01:01Z Jo  #1 ~Pilot~");
    ScoreEntry back;
    ASSERT_TRUE(ScoreEntry::parse(e.toLine(), back));
    EXPECT_EQ(back, e);
    for (char const* bad :
         {"", "1234567 12 340 hard 2024-05-01T12:01:01Z", "1234567 12 340 hard 2024-05-01T12:01:01Z ",
          "-5 12 340 hard 2024-05-01T12:01:01Z Jo", "12x 12 340 hard 2024-05-01T12:01:01Z Jo",
          "1 12 340 insane 2024-05-01T12:01:01Z Jo", "1 12 340 hard 2024-02-30T12:01:01Z Jo",
          "1 12 340 hard 2024-05-01 12:01:01 Jo", "1 12  340 hard 2024-05-01T12:01:01Z Jo",
          "1 12 340 hard 2024-05-01T12:01:01Z Seventeen chars!!", "1 12 340 hard 2024-05-01T12:01:01Z Jo\t",
          "1 12 340 hard 2024-05-01T12:01:01Z  Jo", "1 99999999999 340 hard 2024-05-01T12:01:01Z Jo"}) {
        EXPECT_FALSE(ScoreEntry::parse(bad, back)) << bad;
    }
    EXPECT_EQ(back, e);
}

TEST(ScoreEntry, NamesAreCutToWhatTheFontsDraw) {
    EXPECT_EQ(ScoreEntry::cleanName("  Jos\xc3\xa9 Bell\n"), "Jos Bell");
    EXPECT_EQ(ScoreEntry::cleanName("abcdefghijklmnop qrs"), "abcdefghijklmnop");
    EXPECT_EQ(ScoreEntry::cleanName("abcdefghijklmno qrs"), "abcdefghijklmno");
    EXPECT_EQ(ScoreEntry::cleanName("\x01\x02"), "");
    setenv("USER", "\xc3\xa9\xc3\xa9", 1);
    EXPECT_EQ(HighScores::defaultName(), "Pilot");
    unsetenv("USER");
    EXPECT_EQ(HighScores::defaultName(), "Pilot");
    setenv("USER", "margaret.hamilton.nasa", 1);
    EXPECT_EQ(HighScores::defaultName(), "margaret.hamilto");
}

TEST(HighScores, TenBestInOrderTiesGoToTheEarlierGame) {
    HighScores t;
    EXPECT_FALSE(t.qualifies(0));
    EXPECT_TRUE(t.qualifies(1));
    EXPECT_EQ(t.insert(entry("late", 500, 20)), 0);
    EXPECT_EQ(t.insert(entry("early", 500, 10)), 0);
    EXPECT_EQ(t.insert(entry("same time", 500, 20)), 2);
    for (int i = 0; i < 7; ++i) t.insert(entry("filler", 1000 + i, i));
    ASSERT_EQ(t.entries.size(), 10u);
    EXPECT_EQ(t.entries[7].name, "early");
    EXPECT_EQ(t.entries[8].name, "late");
    EXPECT_EQ(t.entries[9].name, "same time");
    EXPECT_FALSE(t.qualifies(500)); // a tie with the tenth would come after it
    EXPECT_TRUE(t.qualifies(501));
    EXPECT_EQ(t.add(entry("low", 500, 30)), -1);
    EXPECT_TRUE(t.unsaved.empty());
    EXPECT_EQ(t.add(entry("new", 999, 30)), 7);
    EXPECT_EQ(t.entries.size(), 10u);
    EXPECT_EQ(t.entries.back().name, "late");
    EXPECT_EQ(t.find(entry("new", 999, 30)), 7);
    EXPECT_EQ(t.find(entry("same time", 500, 20)), -1);
}

TEST(HighScores, SaveAndLoadRoundTripAndPrintAligned) {
    RunDir dir(0);
    setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
    HighScores t;
    t.load();
    EXPECT_EQ(t.path, dir.file("data/vorlane/scores.txt"));
    EXPECT_EQ(t.text(), "No high scores yet.\n");
    t.add(ScoreEntry("Jo", 1234567, 12, 340, DIFFICULTY_HARD, day(0)));
    t.add(ScoreEntry("Ann Lee", 90, 1, 5, DIFFICULTY_EASY, day(3600)));
    CaptureStderr();
    ASSERT_TRUE(t.save());
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_TRUE(t.unsaved.empty());
    EXPECT_EQ(dir.read("data/vorlane/scores.txt"), "vorlane-scores 1\n"
                                                   "# score wave kills difficulty date name\n"
                                                   "1234567 12 340 hard 2024-05-01T12:00:00Z Jo\n"
                                                   "90 1 5 easy 2024-05-01T13:00:00Z Ann Lee\n");
    HighScores back;
    back.load(t.path);
    EXPECT_EQ(back.entries, t.entries);
    EXPECT_EQ(back.text(), " #  Name       Score  Wave  Kills  Difficulty  Date (UTC)\n"
                           " 1  Jo       1234567    12    340  hard        2024-05-01 12:00:00\n"
                           " 2  Ann Lee       90     1      5  easy        2024-05-01 13:00:00\n");
}

// A table of three good entries, in the file's format.
static std::string goodLines() {
    return "300 3 30 normal 2024-05-01T12:00:03Z Three\n"
           "200 2 20 easy 2024-05-01T12:00:02Z Two\n"
           "100 1 10 hard 2024-05-01T12:00:01Z One\n";
}

TEST(HighScores, DamagedFilesKeepTheirGoodEntriesAndAreBackedUp) {
    struct Case {
        char const* what;
        std::string bytes;
        size_t kept;
        char const* said; // part of the warning
    };
    std::string header = "vorlane-scores 1\n";
    Case cases[] = {
        {"binary data", header + goodLines() + std::string("\0\0\x89PNG\x01\n", 8), 3, "1 of its lines"},
        {"truncated line", header + goodLines() + "50 1 5 normal 2024-05-0", 3, "1 of its lines"},
        {"bad numbers", header + "3OO 3 30 normal 2024-05-01T12:00:03Z Three\n" + goodLines(), 3,
         "1 of its lines"},
        {"no format line", goodLines(), 3, "1 of its lines"},
        {"megabytes", header + goodLines() + std::string(3 << 20, 'x'), 3, "larger than 64 KiB"},
        {"later version", "vorlane-scores 2\n" + goodLines(), 0, "version 2"},
    };
    for (Case const& c : cases) {
        RunDir dir(0);
        dir.write("scores.txt", c.bytes);
        dir.write("scores.txt.bad", "an older backup");
        HighScores t;
        CaptureStderr();
        t.load(dir.file("scores.txt"));
        std::string err = GetCapturedStderr();
        EXPECT_EQ(countLines(err), 1) << c.what << ": " << err;
        EXPECT_NE(err.find(dir.file("scores.txt.bad.1")), std::string::npos) << c.what << ": " << err;
        EXPECT_NE(err.find(c.said), std::string::npos) << c.what << ": " << err;
        EXPECT_EQ(t.entries.size(), c.kept) << c.what;
        if (c.kept == 3) {
            EXPECT_EQ(t.entries[2].name, "One") << c.what;
        }
        EXPECT_EQ(dir.read("scores.txt.bad"), "an older backup") << c.what;
        EXPECT_TRUE(dir.read("scores.txt.bad.1") == c.bytes) << c.what;
        // The next save writes a sound file without a second warning or backup.
        t.add(entry("New", 150, 4));
        CaptureStderr();
        EXPECT_TRUE(t.save()) << c.what;
        EXPECT_EQ(GetCapturedStderr(), "") << c.what;
        EXPECT_FALSE(dir.exists("scores.txt.bad.2")) << c.what;
        HighScores back;
        back.load(t.path);
        EXPECT_EQ(back.entries, t.entries) << c.what;
        EXPECT_EQ(back.entries.size(), c.kept + 1) << c.what;
    }
}

static int failingRename(char const*, char const*) {
    errno = EIO;
    return -1;
}

TEST(HighScores, FailedRenameLeavesTheOldTableAndTriesAgainLater) {
    RunDir dir(0);
    std::string old = "vorlane-scores 1\n" + goodLines();
    dir.write("scores.txt", old);
    HighScores t;
    t.load(dir.file("scores.txt"));
    t.add(entry("Crash", 250, 9));
    quenth::AtomicFile::renameFile = failingRename;
    CaptureStderr();
    EXPECT_FALSE(t.save());
    t.add(entry("Again", 260, 10));
    EXPECT_FALSE(t.save());
    std::string err = GetCapturedStderr();
    quenth::AtomicFile::renameFile = ::rename;
    EXPECT_EQ(countLines(err), 1) << err;
    EXPECT_NE(err.find(dir.file("scores.txt")), std::string::npos) << err;
    EXPECT_EQ(dir.read("scores.txt"), old);
    EXPECT_EQ(t.entries.size(), 5u) << "shown for this run";
    t.load(t.path);
    EXPECT_EQ(t.entries.size(), 5u) << "still shown after reading the file again";
    EXPECT_FALSE(dir.exists("scores.txt.bad"));
    ASSERT_TRUE(t.save());
    HighScores back;
    back.load(t.path);
    ASSERT_EQ(back.entries.size(), 5u);
    EXPECT_EQ(back.entries[1].name, "Again");
    EXPECT_EQ(back.entries[2].name, "Crash");
}

TEST(HighScores, UnwritableDirectoryKeepsTheTableForTheRunWithOneWarning) {
    RunDir dir(0);
    dir.write("plain", "x");
    HighScores t;
    CaptureStderr();
    t.load(dir.file("plain/vorlane/scores.txt"));
    t.add(entry("Jo", 10, 0));
    EXPECT_FALSE(t.save());
    t.add(entry("Ann", 20, 1));
    EXPECT_FALSE(t.save());
    std::string err = GetCapturedStderr();
    EXPECT_EQ(countLines(err), 1) << err;
    EXPECT_NE(err.find(dir.file("plain/vorlane/scores.txt")), std::string::npos) << err;
    EXPECT_EQ(t.entries.size(), 2u);
}

// Two games saving at the same moment, 50 times each: the file ends with the
// ten best of all hundred, none lost to the other's write.
TEST(HighScores, ConcurrentSavesLoseNoEntry) {
    RunDir dir(0);
    std::string path = dir.file("vorlane/scores.txt");
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            close(go[1]);
            char x;
            if (read(go[0], &x, 1) != 0) _exit(3); // both start when the pipe closes
            HighScores t;
            t.load(path);
            for (int i = 0; i < 50; ++i) {
                // Scores in a scattered order, so the best come at any time.
                long score = 1 + (i * 37) % 50 * 2 + c;
                t.add(ScoreEntry(c ? "Second" : "First", score, i, i, DIFFICULTY_NORMAL, day(i)));
                if (!t.save()) _exit(2);
            }
            _exit(0);
        }
    }
    close(go[0]);
    close(go[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    HighScores t;
    CaptureStderr();
    t.load(path);
    EXPECT_EQ(GetCapturedStderr(), "");
    ASSERT_EQ(t.entries.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(t.entries[i].score, 100 - i) << i;
        EXPECT_EQ(t.entries[i].name, i % 2 ? "First" : "Second") << i;
    }
}
