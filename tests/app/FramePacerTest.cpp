#include "app/FramePacer.h"
#include "app/TitlePage.h"

#include <gtest/gtest.h>

TEST(FramePacer, AFastFrameSleepsTheRestOfItsSixtiethASlowOneOwesNothing) {
    FramePacer p;
    const double T = 1000.0 / 60.0;
    EXPECT_EQ(p.delay(100), 0) << "the first frame has nothing to wait for";
    // Frames of 5 ms: each waits for its slot, 60 a second.
    double now = 105;
    for (int i = 1; i <= 60; ++i) {
        double wait = p.delay(now);
        EXPECT_NEAR(wait, 100 + i * T - now, 1e-9);
        now += wait + 5;
    }
    EXPECT_NEAR(now - 105, 60 * T, 1e-6);
    // A frame that waited for the display ends on its slot: nothing to add.
    EXPECT_NEAR(p.delay(p.due), 0, 1e-9);
    // A frame two periods late: no wait, and the schedule starts from it, so
    // the next fast frame waits its full sixtieth instead of running at once.
    double late = p.due + 2 * T;
    EXPECT_EQ(p.delay(late), 0);
    EXPECT_NEAR(p.delay(late + 5), T - 5, 1e-9);
}

// The title page changes only when its prompt takes a brightness step: a few
// times a second, not every frame.
TEST(TitlePage, ThePromptPulsesInFewSteps) {
    EXPECT_EQ(TitlePage::levelAt(0), TitlePage::LEVELS);
    EXPECT_EQ(TitlePage::levelAt(TitlePage::PULSE), TitlePage::LEVELS);
    int dim = TitlePage::levelAt(TitlePage::PULSE / 2);
    EXPECT_NEAR(dim, TitlePage::LEVELS / 3.0, 0.5);
    int steps = 0, last = TitlePage::levelAt(0);
    for (uint32_t t = 1; t <= TitlePage::PULSE; ++t) {
        int l = TitlePage::levelAt(t);
        EXPECT_LE(abs(l - last), 1);
        steps += l != last;
        last = l;
    }
    EXPECT_EQ(steps, 2 * (TitlePage::LEVELS - dim));
    EXPECT_LT(steps * 1000.0 / TitlePage::PULSE, 12) << "redraws per second";
}
