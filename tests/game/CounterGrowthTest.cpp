#include "game/ScoreCounter.h"
#include "tests/game/GameTestSupport.h"
#include "tests/support/AllocCounter.h"

#include "scene/Text.h"

namespace {

class CounterGrowthTest : public GameTest {};

// The play-test bot caught a frame that allocated in the middle of play: the
// score text regrew when the score gained its third digit.
TEST_F(CounterGrowthTest, ScoreGainingDigitsAllocatesNothing) {
    ScoreCounter* c = g_game->scoreCounter;
    c->update();
    testsupport::AllocScope scope;
    int values[] = {9, 99, 101, 4567, 98765, 1234567, 2000000000};
    for (int v : values) {
        c->value = v;
        advance(16);
        c->update();
    }
    EXPECT_EQ(scope.count(), 0u);
    EXPECT_STREQ(c->text->text.getCString(), "2000000000");
}

} // namespace
