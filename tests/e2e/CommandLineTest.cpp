// The program's options, its data directory and the display sizes it runs at.
#include "tests/support/E2ETest.h"
#include "tests/support/Image.h"

#include <regex>
#include <string>

using testsupport::E2ETest;
using testsupport::GameProcess;
using testsupport::Image;
using testsupport::RunDir;

namespace {

bool contains(std::string const& s, std::string const& part) {
    return s.find(part) != std::string::npos;
}

class OptionsTest : public E2ETest {
protected:
    // The program with args and no display at all: what it does must not
    // need one. It has to end by itself.
    GameProcess& run(std::vector<std::string> const& args) {
        GameProcess& g = start({}, false, {}, args);
        EXPECT_TRUE(g.waitExit(10000)) << "still running";
        return g;
    }

    // The screen of a started game as F1 saves it: name, then w x h checked.
    Image screenshot(GameProcess& game, std::string const& name, int w, int h) {
        RunDir& d = runDir();
        long size = 54 + (long)w * h * 3;
        EXPECT_TRUE(game.keyUntil("F1", [&] { return d.size(name) == size; })) << name << " " << d.size(name);
        testsupport::sleepMs(300); // F1 up long enough for the next press to count
        Image shot = Image::loadBmp(d.file(name));
        EXPECT_EQ(shot.width, w);
        EXPECT_EQ(shot.height, h);
        return shot;
    }

    // Share of the HUD's cyan in a square of side 2r around (x, y): the
    // stars are white, the sky is dimmer.
    static double cyanAround(Image const& img, int x, int y, int r) {
        int n = 0, bright = 0;
        for (int py = y - r; py < y + r; py++)
            for (int px = x - r; px < x + r; px++) {
                if (px < 0 || py < 0 || px >= img.width || py >= img.height) continue;
                testsupport::Pixel p = img.at(px, py);
                n++;
                bright += p.b > 140 && p.g > 100 && p.r < 120;
            }
        return n ? (double)bright / n : 0;
    }

    // Goes from the title through the menu into a game, lets it fade in and
    // checks the HUD panels in their corners of a w x h screen.
    void playAndCheckTheHud(GameProcess& game, int w, int h) {
        // Blind: where a window sits on the screen is the window system's choice.
        ASSERT_TRUE(enterGameBlind());
        testsupport::sleepMs(1000);
        Image play = screenshot(game, "screenshot_2.bmp", w, h);
        ASSERT_TRUE(play.ok());
        // Radar at the bottom right, weapon panel at the bottom left, score
        // top left; none in the middle of the right half.
        EXPECT_GT(cyanAround(play, w - 130, h - 130, 100), 0.01) << "no radar at the bottom right";
        EXPECT_GT(cyanAround(play, 100, h - 50, 40), 0.05) << "no weapon panel at the bottom left";
        EXPECT_GT(cyanAround(play, 100, 30, 30), 0.03) << "no score box at the top left";
        EXPECT_LT(cyanAround(play, w - 130, h / 2 - 100, 60), 0.002) << "HUD lines where none belong";
        ASSERT_TRUE(quitFromPlay());
        ASSERT_TRUE(game.waitExit(10000));
        EXPECT_EQ(game.exitCode(), 0);
    }
};

TEST_F(OptionsTest, HelpAndVersionPrintAndEndWithStatusZero) {
    GameProcess& help = run({"--help"});
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_EQ(help.out().rfind("Usage: vorlane [OPTION]...\n", 0), 0u) << help.out();
    for (char const* option : {"--window[=WxH]", "--fullscreen", "--desktop", "--difficulty=LEVEL",
                               "--data-dir=DIR", "--scores", "--version"})
        EXPECT_TRUE(contains(help.out(), option)) << option;
    EXPECT_EQ(help.err(), "");

    GameProcess& version = run({"--version"});
    EXPECT_EQ(version.exitCode(), 0);
    EXPECT_TRUE(std::regex_match(version.out(), std::regex("vorlane [0-9]+\\.[0-9]+(\\.[0-9]+)?\n")))
        << version.out();
}

TEST_F(OptionsTest, AnUnknownOptionOrBadValueGivesTheUsageOnStandardErrorAndStatusTwo) {
    GameProcess& unknown = run({"--frobnicate"});
    EXPECT_EQ(unknown.exitCode(), 2);
    EXPECT_EQ(unknown.err().rfind("vorlane: unknown option '--frobnicate'\nUsage: vorlane", 0), 0u)
        << unknown.err();
    EXPECT_EQ(unknown.out(), "");

    GameProcess& bad = run({"--window=huge"});
    EXPECT_EQ(bad.exitCode(), 2);
    EXPECT_TRUE(contains(bad.err(), "bad window size 'huge'")) << bad.err();
    EXPECT_TRUE(contains(bad.err(), "Usage: vorlane")) << bad.err();
}

TEST_F(OptionsTest, ScoresPrintsThePlayersTable) {
    runDir().write("data/vorlane/scores.txt", "vorlane-scores 1\n"
                                              "# score wave kills difficulty date name\n"
                                              "900 3 20 easy 2024-01-02T03:04:05Z Second Best\n"
                                              "12345 7 88 normal 2024-05-01T12:34:56Z Jo Pilot\n");
    GameProcess& scores = run({"--scores"});
    EXPECT_EQ(scores.exitCode(), 0);
    std::string out = scores.out();
    size_t first = out.find(" 1  Jo Pilot     12345     7     88  normal      2024-05-01 12:34:56\n");
    size_t second = out.find(" 2  Second Best    900     3     20  easy        2024-01-02 03:04:05\n");
    EXPECT_NE(first, std::string::npos) << out;
    EXPECT_NE(second, std::string::npos) << out;
    EXPECT_LT(first, second);
    EXPECT_EQ(out.rfind(" #  Name", 0), 0u) << out;
}

TEST_F(OptionsTest, WithoutDataItSaysSoAndEndsWithStatusOneAndDataDirFindsIt) {
    runDir(0); // no gfx/, sfx/ or shaders/ here
    GameProcess& none = start();
    ASSERT_TRUE(none.waitExit(10000));
    EXPECT_EQ(none.exitCode(), 1);
    EXPECT_TRUE(contains(none.err(), "vorlane: no game data (gfx/, sfx/, shaders/) in the working directory"))
        << none.err();
    EXPECT_TRUE(contains(none.err(), "--data-dir=DIR")) << none.err();
    EXPECT_EQ(none.out(), "") << "it went on to load";

    GameProcess& missing = start({}, true, {}, {"--data-dir=" + runDir().file("nothing")});
    ASSERT_TRUE(missing.waitExit(10000));
    EXPECT_EQ(missing.exitCode(), 1);
    EXPECT_TRUE(contains(missing.err(), "no game data (gfx/, sfx/, shaders/) in " + runDir().file("nothing")))
        << missing.err();

    // The build's run directory named from elsewhere: everything loads.
    GameProcess& named = start({}, true, {}, {"--data-dir=" + RunDir::buildRunDir()});
    ASSERT_TRUE(named.waitForStart()) << named.err();
    EXPECT_FALSE(contains(named.out(), "ERROR")) << named.out();
    EXPECT_TRUE(contains(named.out(), "Loading texture gfx/title.png... OK")) << named.out();
    named.key("Escape");
    ASSERT_TRUE(named.waitExit(10000));
    EXPECT_EQ(named.exitCode(), 0);
}

TEST_F(OptionsTest, AWindowOf800By600PlaysAtThatSize) {
    GameProcess& game = start({}, true, {}, {"--window=800x600"});
    ASSERT_TRUE(game.waitForStart()) << game.err();
    Image title = screenshot(game, "screenshot_1.bmp", 800, 600);
    EXPECT_GT(title.brighterThan(64), 0.002) << "the title page is dark";
    playAndCheckTheHud(game, 800, 600);
}

TEST_F(OptionsTest, TheDesktopModeFillsAFullHdScreen) {
    xvfb.reset(new testsupport::Xvfb(10000, "1920x1080x24"));
    ASSERT_TRUE(xvfb->ok());
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart()) << game.err();
    screenshot(game, "screenshot_1.bmp", 1920, 1080);
    playAndCheckTheHud(game, 1920, 1080);
}

} // namespace
