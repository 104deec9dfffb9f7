#include "game/actors/Player.h"
#include "game/hud/ScoreCounter.h"
#include "game/weapons/Laser.h"
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

// The bot also caught the first shot of a game allocating the hit search's
// work buffers. Run alone, this is the process's first search.
TEST_F(CounterGrowthTest, FirstHitSearchAllocatesNothing) {
    Weapon* w = g_game->player->laser;
    testsupport::AllocScope scope;
    hit_struct h = w->findHit(quenth::vec2(0, 0), quenth::vec2(100, 0), 0);
    EXPECT_EQ(scope.count(), 0u);
    EXPECT_EQ(h.target, nullptr);
}

} // namespace
