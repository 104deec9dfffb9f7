// The shell around a game: the main menu, pause, the pause menu's Restart and
// Quit game, on the real program under a private X server.

#include "tests/support/E2ETest.h"
#include "tests/support/GameScreen.h"
#include "tests/support/Image.h"

#include <string>

using namespace testsupport;

namespace {

// The row of the highlighted menu item, pixels from the top; -1 when none.
double highlightedRow(Image const& img) {
    double x, y;
    return centroid(img, MENU_ITEMS, selectedPixel, x, y) ? y : -1;
}

bool enemiesOnRadar(Image const& img) {
    return count(img, RADAR_BOX, enemyPixel) > 10;
}

// The light grey of the score's digits: more of it the more digits.
long scoreInk(Image const& img) {
    return count(img, SCORE_DIGITS, lightPixel);
}

class MenuFlowTest : public E2ETest {
protected:
    // Screenshots until the first wave shows on the radar (at most timeoutMs);
    // the time it was seen, 0 when it was not.
    long waitForWave(int timeoutMs) {
        bool seen = waitUntil([&] { return enemiesOnRadar(shot()); }, timeoutMs, 1);
        return seen ? nowMs() : 0;
    }
};

TEST_F(MenuFlowTest, TitleThenMenuWhereKeysAndPointerMoveTheHighlightThenPlay) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    ASSERT_TRUE(game.mouseMove(100, 650)); // the pointer off the items
    ASSERT_TRUE(game.key("Return"));
    Image menu;
    ASSERT_TRUE(waitUntil(
        [&] {
            menu = grab();
            return highlightedRow(menu) > 0;
        },
        10000, 100))
        << "no menu after the title page";
    EXPECT_FALSE(showsGame(menu));
    double play = highlightedRow(menu);

    // Down and S move the highlight a row down each, Up back; the pointer
    // moved onto an item takes it there.
    ASSERT_TRUE(game.key("Down"));
    double options = highlightedRow(grab());
    EXPECT_GT(options, play + 30) << "Down did not move the highlight";
    ASSERT_TRUE(game.key("s"));
    double scores = highlightedRow(grab());
    EXPECT_NEAR(scores - options, options - play, 4) << "S did not move it one more row";
    ASSERT_TRUE(game.key("Up"));
    EXPECT_NEAR(highlightedRow(grab()), options, 4) << "Up did not move it back";
    ASSERT_TRUE(game.mouseMove(640, (int)play));
    sleepMs(300); // a frame or more
    EXPECT_NEAR(highlightedRow(grab()), play, 6) << "the pointer did not take the highlight";

    // Return on Play: the game.
    ASSERT_TRUE(game.mouseMove(100, 650));
    ASSERT_TRUE(enterGame());
    ASSERT_TRUE(quitFromPlay());
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);
}

// P stops the world: two pictures a second apart are the same, and the first
// wave, due five seconds into the game, does not come while paused. P goes
// on where the game stood. Escape pauses as well and does not quit; Quit game
// fades out and ends the program with status 0.
TEST_F(MenuFlowTest, PauseStopsTheWorldAndResumeGoesOn) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    ASSERT_TRUE(game.mouseMove(640, 150));
    ASSERT_TRUE(enterGame());
    long inGame = nowMs();
    ASSERT_TRUE(game.key("p"));
    long pausedAt = nowMs();

    Image first = shot();
    sleepMs(1000);
    Image second = shot();
    ASSERT_TRUE(first.ok() && second.ok());
    EXPECT_EQ(first.meanDifference(second), 0) << "the paused world moved";
    EXPECT_FALSE(enemiesOnRadar(second));
    // Well past the wave's time, counted from the start of the game.
    sleepMs((int)(inGame + 7000 - nowMs()));
    Image later = shot();
    EXPECT_EQ(first.meanDifference(later), 0) << "the paused world moved";

    ASSERT_TRUE(game.key("p"));
    long resumed = nowMs();
    Image playing = shot();
    EXPECT_GT(playing.meanDifference(first), 2.0) << "still paused";
    long wave = waitForWave(15000);
    ASSERT_NE(wave, 0) << "the first wave never came";
    // At most the time between the game's start and the pause was played
    // before it; the rest of the five seconds comes after resuming.
    EXPECT_GE(wave - resumed, 5000 - (pausedAt - inGame) - 2000) << "the paused time counted";

    ASSERT_TRUE(game.key("Escape"));
    sleepMs(1500);
    ASSERT_TRUE(game.running()) << "Escape in play quit";
    Image a = shot();
    sleepMs(500);
    EXPECT_EQ(a.meanDifference(shot()), 0) << "Escape did not pause";

    // Quit game is the pause menu's last item.
    ASSERT_TRUE(game.key("End"));
    long quitAt = nowMs();
    ASSERT_TRUE(game.key("Return"));
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_GE(game.exitedAtMs() - quitAt, 1000) << "quit before the fade was over";
}

// Restart in the pause menu: a new game at once, with an empty arena, a zero
// score and its first wave five seconds away.
TEST_F(MenuFlowTest, RestartGivesANewGame) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    ASSERT_TRUE(game.mouseMove(640, 150));
    ASSERT_TRUE(enterGame());
    Image fresh = shot();
    ASSERT_NE(waitForWave(15000), 0) << "the first wave never came";

    // Score some points: fly right until enemies show, then aim both guns
    // at the nearest red hull until the score panel changes.
    bool scored = waitUntil(
        [&] {
            Image s = shot();
            if (scoreInk(s) > scoreInk(fresh) + 10) return true;
            double x, y;
            if (centroid(s, Rect{0, 80, 1020, 620}, enemyPixel, x, y, 30)) {
                game.keyUp("d");
                game.mouseMove((int)x, (int)y);
                game.xdotool({"mousedown", "1"});
                game.xdotool({"mousedown", "3"});
            } else {
                game.keyDown("d");
            }
            return false;
        },
        40000, 1);
    game.keyUp("d");
    game.xdotool({"mouseup", "1"});
    game.xdotool({"mouseup", "3"});
    ASSERT_TRUE(scored) << "no points scored";

    ASSERT_TRUE(game.key("p"));
    ASSERT_TRUE(game.key("Down"));
    ASSERT_TRUE(game.key("Return"));
    long restarted = nowMs();
    sleepMs(700); // the half-second fade in from black
    Image again = shot();
    EXPECT_FALSE(enemiesOnRadar(again)) << "enemies in the new game";
    EXPECT_NEAR(scoreInk(again), scoreInk(fresh), 5) << "the new game's score is not 0";
    long wave = waitForWave(15000);
    ASSERT_NE(wave, 0) << "the new game's first wave never came";
    EXPECT_GE(wave - restarted, 4000) << "the new game's wave came early";
    ASSERT_TRUE(quitFromPlay());
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);
}

} // namespace
