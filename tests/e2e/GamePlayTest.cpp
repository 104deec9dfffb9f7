// Plays the real game under a private X server: title page, Return, the game
// fading in, the four steering keys, the plasma gun, the first wave and Escape.
// What the screen shows is read from the game's own screenshots (F1).

#include "tests/support/E2ETest.h"
#include "tests/support/Image.h"

#include <algorithm>
#include <functional>
#include <string>

using testsupport::E2ETest;
using testsupport::GameProcess;
using testsupport::Image;
using testsupport::Pixel;

namespace {

// 1280 x 720 at 24 bits, rows of 3840 bytes, behind a 54-byte header.
const long BMP_SIZE = 54 + 1280L * 720 * 3;

struct Rect {
    int x0, y0, x1, y1; // pixels, x1 and y1 excluded
};

// Screen regions of the game's layout.
const Rect SCORE_BOX = {0, 0, 200, 45};        // score panel and the number at (15, 12)
const Rect RADAR_BOX = {1030, 470, 1270, 710}; // radar panel centred on (1150, 590)
const Rect WEAPON_BOX = {0, 630, 200, 720};    // energy and hull panel
const Rect CENTRE = {440, 200, 840, 520};      // the ship and its near surroundings
const Rect WAVE_TEXT = {440, 260, 840, 320};   // "Wave 1 incoming" at (640, 288)

// Share of the pixels of r for which pred holds.
double share(Image const& img, Rect r, std::function<bool(Pixel)> const& pred) {
    long n = 0, all = 0;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x, ++all)
            if (pred(img.at(x, y))) ++n;
    return all ? (double)n / all : 0;
}

long count(Image const& img, Rect r, std::function<bool(Pixel)> const& pred) {
    return (long)(share(img, r, pred) * (r.x1 - r.x0) * (r.y1 - r.y0) + 0.5);
}

// Mean of all channels of all pixels, 0-255.
double meanLevel(Image const& img) {
    double sum = 0;
    for (Pixel const& p : img.data) sum += p.r + p.g + p.b;
    return img.data.empty() ? 0 : sum / (3.0 * img.data.size());
}

bool bright(Pixel p) {
    return p.r > 64 || p.g > 64 || p.b > 64;
}

// The ship's core and glow: bright in every channel.
bool shipPixel(Pixel p) {
    return p.r > 150 && p.g > 150 && p.b > 200;
}

// The halo of a plasma bolt: full blue with red above green (violet),
// short of white.
bool boltPixel(Pixel p) {
    return p.b >= 250 && p.r >= 120 && p.r < 250 && p.r > p.g;
}

// Enemy hulls are outlined in red.
bool enemyPixel(Pixel p) {
    return p.r > 180 && p.g < 110 && p.b < 110;
}

// White text at least about two thirds opaque: light and grey.
bool lightPixel(Pixel p) {
    int lo = std::min(std::min(p.r, p.g), p.b), hi = std::max(std::max(p.r, p.g), p.b);
    return lo > 150 && hi - lo < 40;
}

// Centre of the ship's pixels in the middle of the screen; (-1, -1) when none.
void shipCentre(Image const& img, double& cx, double& cy) {
    double sx = 0, sy = 0;
    long n = 0;
    for (int y = CENTRE.y0; y < CENTRE.y1; ++y)
        for (int x = CENTRE.x0; x < CENTRE.x1; ++x)
            if (shipPixel(img.at(x, y))) {
                sx += x;
                sy += y;
                ++n;
            }
    cx = n > 50 ? sx / n : -1;
    cy = n > 50 ? sy / n : -1;
}

class GamePlayTest : public E2ETest {
protected:
    int shots = 0; // screenshots taken so far in this run

    // Asks the game for a screenshot (F1) and reads it.
    Image shot() {
        std::string name = "screenshot_" + std::to_string(shots + 1) + ".bmp";
        testsupport::RunDir& dir = runDir();
        // A release and the next press within one frame are not seen: press
        // again, after a pause longer than a slow frame, until the file is there.
        bool written = testsupport::waitUntil(
            [&] {
                bool done = game->keyUntil(
                    "F1", [&] { return dir.size(name) == BMP_SIZE; }, 1000);
                if (!done) testsupport::sleepMs(250);
                return done;
            },
            15000, 1);
        testsupport::sleepMs(250); // F1 stays up for a frame or more
        EXPECT_TRUE(written) << name << " was not written";
        ++shots;
        return written ? Image::loadBmp(dir.file(name)) : Image();
    }

    // From the start of the program to the game on screen: the title page,
    // Return, the fade to black and the game fading in with its HUD. Returns
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
                // half-second fade-in before.
                startedAfterMs = asked - 500;
                return false;
            },
            10000, 1);
        gameSeenMs = testsupport::nowMs();
        EXPECT_TRUE(inGame) << "the HUD never appeared";
        EXPECT_GE(gameSeenMs - returnMs, 1000) << "the game showed before the one-second fade";
        // Settled: the fade-in is over.
        Image settled = shot();
        EXPECT_LT(darkest, 0.5 * std::min(meanLevel(title), meanLevel(settled)))
            << "no dark frame between the title and the game";
        return settled;
    }

    // Escape fades out and ends the program with status 0.
    void quit() {
        ASSERT_TRUE(game->key("Escape"));
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

TEST_F(GamePlayTest, TitleReturnThenSteerAndFireAndEscape) {
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

TEST_F(GamePlayTest, WaveOneArrivesAfterFiveSecondsAndEscapeQuits) {
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
