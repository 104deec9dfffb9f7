#include "tests/support/E2ETest.h"

#include <csignal>

using testsupport::E2ETest;
using testsupport::GameProcess;
using testsupport::nowMs;

namespace {

TEST_F(E2ETest, StartUpPrintsTheLoadingLogAndTextureMemory) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    game.key("Escape");
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);
    std::string out = game.out();
    // The texture-memory line ends start-up: printed once, a number of megabytes.
    size_t at = out.find("Used texture memory: ");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(out.find("Used texture memory: ", at + 1), std::string::npos);
    double mb = -1;
    ASSERT_EQ(sscanf(out.c_str() + at, "Used texture memory: %lf megabytes\n", &mb), 1);
    EXPECT_GE(mb, 0.0);
    EXPECT_NE(out.find(" megabytes\n", at), std::string::npos);
}

TEST_F(E2ETest, EscapeOnTheTitleQuitsAfterTheOneSecondFade) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    long pressed = nowMs();
    ASSERT_TRUE(game.key("Escape"));
    ASSERT_TRUE(game.waitExit(10000)) << "still running after Escape";
    long took = game.exitedAtMs() - pressed;
    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_GE(took, 1000) << "quit before the fade was over";
    EXPECT_LE(took, 3500) << "quit long after the fade was over";
}

TEST_F(E2ETest, EscapeDuringTheTitleFadeIsIgnoredALaterOneQuits) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    long pressed = nowMs();
    ASSERT_TRUE(game.key("Return"));
    ASSERT_TRUE(game.key("Escape"));
    ASSERT_LT(nowMs() - pressed, 900) << "too slow to press Escape within the fade";
    // Had that Escape counted, the program would end about a second after it.
    EXPECT_FALSE(game.waitExit(2200 - (int)(nowMs() - pressed))) << "the Escape during the fade quit";
    ASSERT_TRUE(game.running());

    // The game has faded in (1000 ms out, 500 ms in): now Escape quits.
    long second = nowMs();
    ASSERT_TRUE(game.key("Escape"));
    ASSERT_TRUE(game.waitExit(10000)) << "the later Escape did not quit";
    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_GE(game.exitedAtMs() - second, 1000);
}

TEST_F(E2ETest, TerminationSignalEndsTheProgramWithStatusZero) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    long sent = nowMs();
    game.signal(SIGTERM);
    ASSERT_TRUE(game.waitExit(5000));
    EXPECT_EQ(game.exitSignal(), 0);
    EXPECT_EQ(game.exitCode(), 0);
    // The window-close path skips the fade.
    EXPECT_LT(game.exitedAtMs() - sent, 900);
}

} // namespace
