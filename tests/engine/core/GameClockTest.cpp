#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"

#include <gtest/gtest.h>

using quenth::GameClock;
using quenth::Quenth;

namespace {

// One frame of the frame clock ending at ms, as Quenth::update() leaves it.
void frameEndsAt(uint32_t ms) {
    Quenth::lastTime = Quenth::currentTime;
    Quenth::currentTime = ms;
    Quenth::sync = 0.001f * (ms - Quenth::lastTime);
    GameClock::update();
}

} // namespace

TEST(GameClockTest, FollowsTheFrameClockAndOwesNothingForAPause) {
    Quenth::currentTime = 5000;
    GameClock::reset(1000);
    frameEndsAt(5016);
    EXPECT_EQ(GameClock::currentTime, 1016u);
    EXPECT_FLOAT_EQ(GameClock::sync, 0.016f);

    GameClock::paused = true;
    for (uint32_t t = 5032; t <= 9000; t += 16) frameEndsAt(t);
    EXPECT_EQ(GameClock::currentTime, 1016u);
    EXPECT_EQ(GameClock::sync, 0.0f);

    // The first frame after the pause counts only its own length.
    GameClock::paused = false;
    frameEndsAt(9004);
    EXPECT_EQ(GameClock::currentTime, 1020u);
    EXPECT_FLOAT_EQ(GameClock::sync, 0.004f);
}

TEST(GameClockTest, CountsAcrossTheWrapOfTheFrameClock) {
    Quenth::currentTime = 0xfffffff0u;
    GameClock::reset(0xfffffff8u);
    frameEndsAt(0x10u);
    EXPECT_EQ(GameClock::currentTime, 0x18u);
}
