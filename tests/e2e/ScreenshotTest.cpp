#include "tests/support/E2ETest.h"
#include "tests/support/Image.h"

using testsupport::E2ETest;
using testsupport::GameProcess;
using testsupport::Image;

namespace {

// 1280 x 720 at 24 bits, rows of 3840 bytes, behind a 54-byte header.
const long BMP_SIZE = 54 + 1280L * 720 * 3;

TEST_F(E2ETest, ThreeF1PressesWriteThreeScreenshotsOfTheScreen) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    testsupport::RunDir& dir = runDir();
    const char* names[3] = {"screenshot_1.bmp", "screenshot_2.bmp", "screenshot_3.bmp"};
    for (const char* name : names) {
        ASSERT_TRUE(game.keyUntil("F1", [&] { return dir.exists(name); }))
            << name << " missing; " << dir.size("screenshot_1.bmp") << " " << dir.size("screenshot_2.bmp");
        ASSERT_TRUE(testsupport::waitUntil([&] { return dir.size(name) == BMP_SIZE; }, 10000))
            << name << " of the wrong size: " << dir.size(name);
        // A release and the next press within one frame are not seen: F1
        // stays up for longer than a slow frame.
        testsupport::sleepMs(300);
    }
    EXPECT_FALSE(dir.exists("screenshot_4.bmp"));
    EXPECT_FALSE(dir.exists("screenshot_0.bmp"));

    // The title page stands still, so the screen now is what the files show
    // once the notice of the last one has gone (the pictures leave it out).
    testsupport::sleepMs(3000);
    std::string grabPath = dir.file("grab.bmp");
    ASSERT_TRUE(testsupport::grabScreen(xvfb->display(), grabPath));
    Image grab = Image::loadBmp(grabPath);
    ASSERT_EQ(grab.width, 1280);
    ASSERT_EQ(grab.height, 720);
    // The title text covers part of the screen; a black file would not match.
    EXPECT_GT(grab.brighterThan(64), 0.002) << "nothing bright on screen to compare with";
    for (const char* name : names) {
        Image shot = Image::loadBmp(dir.file(name));
        ASSERT_EQ(shot.width, 1280) << name;
        ASSERT_EQ(shot.height, 720) << name;
        EXPECT_LT(shot.meanDifference(grab), 0.5) << name << " differs from the screen";
        EXPECT_NEAR(shot.brighterThan(64), grab.brighterThan(64), 0.001) << name;
    }

    game.key("Escape");
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);
}

TEST_F(E2ETest, ScreenshotsAreWrittenDuringFadesAfterTheOldOnes) {
    // Numbering goes on after the highest number found; earlier pictures stay.
    runDir().write("screenshot_1.bmp", "left over from an earlier run");
    runDir().write("screenshot_4.bmp", "and another");
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    ASSERT_TRUE(game.key("Escape"));
    ASSERT_TRUE(game.key("F1"));
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_EQ(runDir().size("screenshot_5.bmp"), BMP_SIZE);
    EXPECT_TRUE(runDir().read("screenshot_1.bmp") == "left over from an earlier run") << "replaced";
    EXPECT_TRUE(runDir().read("screenshot_4.bmp") == "and another") << "replaced";
    EXPECT_FALSE(runDir().exists("screenshot_2.bmp"));
}

TEST_F(E2ETest, AMouseButtonLeavesTheTitleForTheMenu) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    testsupport::RunDir& dir = runDir();
    ASSERT_TRUE(game.keyUntil("F1", [&] { return dir.size("screenshot_1.bmp") == BMP_SIZE; }));
    ASSERT_TRUE(game.mouseMove(640, 360));
    ASSERT_TRUE(game.click(1));
    // One second to black, half a second back in: the menu is on screen.
    testsupport::sleepMs(1800);
    ASSERT_TRUE(game.keyUntil("F1", [&] { return dir.size("screenshot_2.bmp") == BMP_SIZE; }));
    Image title = Image::loadBmp(dir.file("screenshot_1.bmp"));
    Image menu = Image::loadBmp(dir.file("screenshot_2.bmp"));
    ASSERT_TRUE(title.ok());
    ASSERT_TRUE(menu.ok());
    EXPECT_GT(menu.meanDifference(title), 5.0) << "the title page is still on screen";
    EXPECT_GT(menu.brighterThan(64), 0.002) << "the menu is dark";
    game.key("Escape");
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);
}

} // namespace
