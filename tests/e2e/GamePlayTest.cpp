// Plays the real game under a private X server: title page, Return, the main
// menu, Play, the game fading in, the four steering keys, the plasma gun, the
// first wave and Quit game from the pause menu.
// What the screen shows is read from the game's own screenshots (F1).

#include "tests/support/E2ETest.h"
#include "tests/support/GameScreen.h"
#include "tests/support/Image.h"

#include <algorithm>
#include <functional>
#include <string>

using namespace testsupport;

namespace {

class GamePlayTest : public E2ETest {
protected:
    // From the start of the program to the game on screen: the title page,
    // Return, the fade to the main menu, Return on "Play", the fade to black
    // and the game fading in with its HUD. Returns
    // the first screenshot that shows the HUD. The game began after
    // startedAfterMs and before gameSeenMs (nowMs() values).
    Image enterGame(long& startedAfterMs, long& gameSeenMs) {
        GameProcess& g = start();
        EXPECT_TRUE(g.waitForStart());
        EXPECT_TRUE(g.mouseMove(640, 150)); // the reticle above the ship, out of the centre region

        Image title = shot();
        EXPECT_TRUE(title.ok());
        if (!title.ok()) return title;
        EXPECT_GT(title.brighterThan(64), 0.002) << "no title text";
        EXPECT_LT(share(title, SCORE_BOX, bright), 0.01) << "a HUD on the title page";

        EXPECT_TRUE(g.key("Return"));
        long returnMs = testsupport::nowMs();
        double darkest = meanLevel(title);
        startedAfterMs = returnMs;
        Image play;
        bool inGame = testsupport::waitUntil(
            [&] {
                long asked = testsupport::nowMs();
                Image s = shot();
                if (!s.ok()) return false;
                darkest = std::min(darkest, meanLevel(s));
                if (share(s, SCORE_BOX, bright) > 0.15 && share(s, RADAR_BOX, bright) > 0.03) {
                    play = s;
                    return true;
                }
                // Not in the game yet when F1 went down, or less than the
                // half-second fade-in before. On the menu, Return chooses
                // "Play" (while it fades in, it does nothing).
                startedAfterMs = asked - 500;
                if (showsMenu(s)) g.key("Return");
                return false;
            },
            20000, 1);
        gameSeenMs = testsupport::nowMs();
        EXPECT_TRUE(inGame) << "the HUD never appeared";
        EXPECT_GE(gameSeenMs - returnMs, 2500) << "the game showed before the fades through the menu";
        // Settled: the fade-in is over.
        Image settled = shot();
        EXPECT_LT(darkest, 0.5 * std::min(meanLevel(title), meanLevel(settled)))
            << "no dark frame between the title and the game";
        return settled;
    }

    // Quit game from the pause menu fades out and ends the program with status 0.
    void quit() {
        ASSERT_TRUE(quitFromPlay());
        ASSERT_TRUE(game->waitExit(10000));
        EXPECT_EQ(game->exitCode(), 0);
    }

    // Holds key until a screenshot shows the ship's centre where reached
    // says (at most 6 s); last is that screenshot.
    bool steer(std::string const& key, std::function<bool(double, double)> const& reached, Image& last) {
        if (!game->keyDown(key)) return false;
        bool ok = testsupport::waitUntil(
            [&] {
                last = shot();
                double cx, cy;
                shipCentre(last, cx, cy);
                return cx >= 0 && reached(cx, cy);
            },
            6000, 1);
        return game->keyUp(key) && ok;
    }
};

TEST_F(GamePlayTest, TitleMenuPlayThenSteerAndFireAndQuit) {
    long startedAfterMs, gameSeenMs;
    Image play = enterGame(startedAfterMs, gameSeenMs);
    ASSERT_TRUE(play.ok());

    // The settled game screen: HUD panels, the ship at the centre, stars, no
    // enemies yet.
    EXPECT_GT(share(play, SCORE_BOX, bright), 0.15);
    EXPECT_GT(share(play, WEAPON_BOX, bright), 0.15);
    EXPECT_GT(share(play, RADAR_BOX, bright), 0.03);
    double cx, cy;
    shipCentre(play, cx, cy);
    EXPECT_NEAR(cx, 640, 20) << "the ship is not at the centre";
    EXPECT_NEAR(cy, 360, 20) << "the ship is not at the centre";
    Rect sky = {250, 60, 1000, 200};
    EXPECT_GT(count(play, sky, [](Pixel p) { return p.r > 120 && p.g > 120 && p.b > 120; }), 20)
        << "no stars";
    EXPECT_EQ(count(play, Rect{0, 0, 1280, 720}, enemyPixel), 0) << "enemies before the first wave";

    // Steering: the camera runs ahead of the ship, so the ship shows off the
    // centre against its motion. D puts it left; A, once the lead has turned
    // round, right; W below; S above.
    Image right, left, up, down;
    EXPECT_TRUE(steer(
        "d", [](double x, double) { return x < 640 - 15; }, right))
        << "D did not move the view right";
    EXPECT_GT(right.meanDifference(play), 0.3) << "the stars did not move";
    EXPECT_TRUE(steer(
        "a", [](double x, double) { return x > 640 + 15; }, left))
        << "A did not move the view left";
    EXPECT_TRUE(steer(
        "w", [](double, double y) { return y > 360 + 15; }, up))
        << "W did not move the view up";
    EXPECT_TRUE(steer(
        "s", [](double, double y) { return y < 360 - 15; }, down))
        << "S did not move the view down";

    // Firing to the right: violet bolts appear to the right of the ship only.
    ASSERT_TRUE(game->mouseMove(1100, 360));
    Rect rightOfShip = {720, 250, 1280, 470};
    Rect leftOfShip = {0, 250, 560, 470};
    long boltsBefore = count(down, rightOfShip, boltPixel);
    ASSERT_TRUE(game->xdotool({"mousedown", "1"}));
    testsupport::sleepMs(500); // a few bolts leave, five a second; the shot below shows them
    Image firing = shot();
    ASSERT_TRUE(game->xdotool({"mouseup", "1"}));
    long boltsRight = count(firing, rightOfShip, boltPixel);
    long boltsLeft = count(firing, leftOfShip, boltPixel);
    EXPECT_GT(boltsRight, boltsBefore + 40) << "no bolts to the right of the ship";
    EXPECT_LT(boltsLeft * 4, boltsRight) << "bolts on the wrong side";

    quit();
}

TEST_F(GamePlayTest, WaveOneArrivesAfterFiveSecondsAndQuitGameQuits) {
    long startedAfterMs, gameSeenMs;
    ASSERT_TRUE(enterGame(startedAfterMs, gameSeenMs).ok());

    // Five seconds into the game the first wave shows on the radar and is
    // announced on the HUD for a few seconds.
    Image wave;
    bool arrivedOnRadar = testsupport::waitUntil(
        [&] {
            wave = shot();
            return wave.ok() && count(wave, RADAR_BOX, enemyPixel) > 10;
        },
        12000, 1);
    long waveSeenMs = testsupport::nowMs();
    ASSERT_TRUE(arrivedOnRadar) << "no enemies on the radar";
    EXPECT_GE(waveSeenMs - startedAfterMs, 4500) << "the wave came early";
    EXPECT_LE(waveSeenMs - gameSeenMs, 8000) << "the wave came late";
    bool announced = count(wave, WAVE_TEXT, lightPixel) > 100;
    if (!announced) announced = count(shot(), WAVE_TEXT, lightPixel) > 100;
    EXPECT_TRUE(announced) << "no \"Wave 1 incoming\"";

    // Enemies on screen. Most of a wave hangs back about half the arena
    // away (an enemy steers at the last wrapped image of the ship in its
    // sight), so the ship flies to the right, across the arena, until red
    // hulls show in the screenshots.
    ASSERT_TRUE(game->keyDown("d"));
    Image enemies;
    bool arrived = testsupport::waitUntil(
        [&] {
            enemies = shot();
            return enemies.ok() && count(enemies, Rect{0, 50, 1020, 620}, enemyPixel) > 150;
        },
        15000, 1);
    ASSERT_TRUE(game->keyUp("d"));
    EXPECT_TRUE(arrived) << "no enemy reached the screen";
    EXPECT_GT(share(enemies, SCORE_BOX, bright), 0.15) << "the HUD went away";
    EXPECT_GT(share(enemies, RADAR_BOX, bright), 0.03) << "the radar went away";

    quit();
}

} // namespace
