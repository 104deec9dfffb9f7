// The player's settings file, $XDG_CONFIG_HOME/vorlane/vorlane.conf, through
// the real program: damage is told once and kept aside, a change in the
// options is saved at once and holds in the next run, and a place where
// nothing can be saved leaves the game playing.

#include "tests/support/E2ETest.h"
#include "tests/support/GameScreen.h"
#include "tests/support/Image.h"

#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;

namespace {

// Without a sound device the audio libraries have much to say on standard
// error; the dummy device keeps it to what the game says.
const std::string QUIET = "SDL_AUDIODRIVER=dummy";

int occurrences(std::string const& text, std::string const& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) n++;
    return n;
}

class SettingsFileTest : public E2ETest {
protected:
    // From the title page to the options page (Options is the main menu's
    // second item).
    void openOptions() {
        ASSERT_TRUE(game->key("Return"));
        sleepMs(1800); // the title's fade out and the menu's fade in
        ASSERT_TRUE(game->key("Down"));
        ASSERT_TRUE(game->key("Return"));
    }
    // Back to the main menu and Escape there: the quit fade, status 0.
    void leaveOptionsAndQuit() {
        ASSERT_TRUE(game->key("Escape"));
        sleepMs(300); // a release and a press within one frame are not seen
        ASSERT_TRUE(game->key("Escape"));
        ASSERT_TRUE(game->waitExit(10000));
        EXPECT_EQ(game->exitCode(), 0);
    }
};

// A binary file gives the defaults and one warning, and is copied aside when
// an option changes. The music volume (third row) goes up a step and thrust
// up (sixth row) is bound to I; the next run reads both without a word, and
// I flies the ship up.
TEST_F(SettingsFileTest, AGarbageFileIsKeptAsideAndChangesHoldInTheNextRun) {
    RunDir& dir = runDir();
    std::string garbage("\x7f"
                        "ELF\x02\x01\x01\x00\x00\x00\xff\xfe",
                        12);
    dir.write("config/vorlane/vorlane.conf", garbage);
    start({QUIET});
    ASSERT_TRUE(game->waitForStart());
    std::string err = game->err();
    EXPECT_EQ(occurrences(err, "vorlane.conf is not a text file; using the default settings"), 1) << err;
    EXPECT_EQ(occurrences(err, "\n"), 1) << err;

    openOptions();
    ASSERT_TRUE(game->key("Down"));
    ASSERT_TRUE(game->key("Down"));
    ASSERT_TRUE(game->key("Right"));
    ASSERT_TRUE(game->key("Down"));
    ASSERT_TRUE(game->key("Down"));
    ASSERT_TRUE(game->key("Down"));
    ASSERT_TRUE(game->key("Return")); // waits for a key
    ASSERT_TRUE(game->key("i"));
    leaveOptionsAndQuit();

    EXPECT_EQ(dir.read("config/vorlane/vorlane.conf.bad"), garbage);
    std::string conf = dir.read("config/vorlane/vorlane.conf");
    EXPECT_NE(conf.find("music_volume = 80\n"), std::string::npos) << conf;
    EXPECT_NE(conf.find("key_up = i\n"), std::string::npos) << conf;
    EXPECT_EQ(occurrences("\n" + conf, "\n#"), occurrences(conf, "\n") - 2)
        << "options saved that did not change:\n"
        << conf;

    start({QUIET});
    ASSERT_TRUE(game->waitForStart());
    ASSERT_TRUE(game->mouseMove(640, 150));
    ASSERT_TRUE(enterGame());
    ASSERT_TRUE(game->keyDown("i"));
    bool up = waitUntil(
        [&] {
            double x, y;
            shipCentre(shot(), x, y);
            return y > 360 + 15; // the view runs ahead: the ship shows below the centre
        },
        6000, 1);
    ASSERT_TRUE(game->keyUp("i"));
    EXPECT_TRUE(up) << "I did not fly the ship up";
    EXPECT_EQ(game->err(), "");
    ASSERT_TRUE(quitFromPlay());
    ASSERT_TRUE(game->waitExit(10000));
    EXPECT_EQ(game->exitCode(), 0);
    EXPECT_EQ(dir.read("config/vorlane/vorlane.conf"), conf) << "rewritten without a change";
}

// Where the settings cannot be saved (a read-only directory; for root, who may
// write anywhere, a directory that cannot be made: one under /proc), the
// first change says so once and the game goes on.
TEST_F(SettingsFileTest, NowhereToSaveWarnsOnceAndPlaysOn) {
    RunDir& dir = runDir();
    std::string home;
    if (geteuid() != 0) {
        dir.write("config/vorlane/keep", "");
        ASSERT_EQ(chmod(dir.file("config/vorlane").c_str(), 0555), 0);
        home = dir.file("config");
    } else {
        home = "/proc/vorlane-test-" + std::to_string(getpid());
    }
    start({QUIET, "XDG_CONFIG_HOME=" + home});
    ASSERT_TRUE(game->waitForStart());
    EXPECT_EQ(game->err(), "");
    openOptions();
    ASSERT_TRUE(game->key("Down"));
    ASSERT_TRUE(game->key("Down"));
    ASSERT_TRUE(game->key("Right"));
    ASSERT_TRUE(game->key("Right"));
    ASSERT_TRUE(game->waitForError("the options hold for this run only", 5000));
    sleepMs(500);
    ASSERT_TRUE(game->running());
    std::string err = game->err();
    EXPECT_EQ(occurrences(err, "could not save the settings to"), 1) << err;
    EXPECT_EQ(occurrences(err, "\n"), 1) << err;
    leaveOptionsAndQuit();
    if (geteuid() != 0) chmod(dir.file("config/vorlane").c_str(), 0755);
}

// A window size chosen on the options page applies at once: the next picture
// has it, and the file keeps it with the display; the difficulty the command
// line chose for this run stays out of the file.
TEST_F(SettingsFileTest, AWindowSizeChosenInTheOptionsAppliesAtOnceAndIsSaved) {
    RunDir& dir = runDir();
    start({QUIET}, true, {}, {"--window=640x480", "--difficulty=hard"});
    ASSERT_TRUE(game->waitForStart());
    // Keys go to the window under the pointer: a point inside the window
    // both where SDL puts it (the top left) and where sdl12-compat does (the
    // middle of the screen), at either size.
    ASSERT_TRUE(game->mouseMove(400, 300));
    openOptions();
    ASSERT_TRUE(game->key("Down"));
    ASSERT_TRUE(game->key("Right")); // the next size up: 800x600
    const long size = 54 + 800L * 600 * 3;
    ASSERT_TRUE(game->keyUntil("F1", [&] { return dir.size("screenshot_1.bmp") == size; }))
        << dir.size("screenshot_1.bmp") << "\n"
        << game->err();
    Image page = Image::loadBmp(dir.file("screenshot_1.bmp"));
    EXPECT_GT(page.brighterThan(64), 0.002) << "the options page is not drawn at the new size";
    sleepMs(300);
    leaveOptionsAndQuit();
    std::string conf = dir.read("config/vorlane/vorlane.conf");
    EXPECT_NE(conf.find("display = window\n"), std::string::npos) << conf;
    EXPECT_NE(conf.find("window_size = 800x600\n"), std::string::npos) << conf;
    EXPECT_EQ(conf.find("difficulty"), std::string::npos) << conf;
    EXPECT_EQ(game->err(), "");
}

} // namespace
