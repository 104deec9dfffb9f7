#include "tests/support/E2ETest.h"
#include "tests/support/Image.h"

#include <string>

using testsupport::E2ETest;
using testsupport::GameProcess;
using testsupport::Image;

namespace {

// 1280 x 720 at 24 bits behind a 54-byte header.
const long BMP_SIZE = 54 + 1280L * 720 * 3;

// Pixels of the reticle's pale cyan in the 40 x 40 box centred on (x, y).
int reticlePixels(Image const& img, int x, int y) {
    int n = 0;
    for (int py = y - 20; py < y + 20; py++)
        for (int px = x - 20; px < x + 20; px++) {
            testsupport::Pixel p = img.at(px, py);
            if (p.g > 150 && p.b > 150 && p.r + 40 < p.g) n++;
        }
    return n;
}

// The reticle sits where the pointer is, wherever it moves to: the game reads
// the pointer's position on the screen. (Under sdl12-compat a hidden cursor in
// its always-grabbed full-screen window used to switch to relative motion,
// and the reticle stayed in the centre.)
TEST_F(E2ETest, TheReticleFollowsThePointer) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    testsupport::RunDir& dir = runDir();
    ASSERT_TRUE(enterGame());

    const int at[2][2] = {{1000, 200}, {300, 560}};
    Image shots[2];
    for (int i = 0; i < 2; i++) {
        ASSERT_TRUE(game.mouseMove(at[i][0], at[i][1]));
        testsupport::sleepMs(300); // also F1 stays up for longer than a slow frame
        std::string name = "screenshot_" + std::to_string(i + 1) + ".bmp";
        ASSERT_TRUE(game.keyUntil("F1", [&] { return dir.size(name) == BMP_SIZE; }));
        shots[i] = Image::loadBmp(dir.file(name));
        ASSERT_TRUE(shots[i].ok()) << name;
    }
    for (int i = 0; i < 2; i++) {
        int here = reticlePixels(shots[i], at[i][0], at[i][1]);
        int there = reticlePixels(shots[i], at[1 - i][0], at[1 - i][1]);
        EXPECT_GT(here, 40) << "no reticle at the pointer in shot " << i + 1;
        EXPECT_LT(there, 10) << "a reticle where the pointer was not in shot " << i + 1;
    }

    ASSERT_TRUE(quitFromPlay());
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);
}

} // namespace
