#include <typeinfo>

#include "engine/core/GameClock.h"
#include "game/actors/Enemy.h"
#include "game/actors/EnemyShip.h"
#include "game/actors/Player.h"
#include "game/actors/TextIndicator.h"
#include "game/weapons/EnemyWeapon.h"
#include "game/weapons/Laser.h"
#include "game/weapons/Plasma.h"
#include "particles/ParticleSystem.h"
#include "scene/Text.h"
#include "tests/game/GameTestSupport.h"

namespace {

// Enemies of each type (in table order) among enemies[from ..].
std::vector<int> countTypes(unsigned from) {
    std::vector<int> counts(7, 0);
    for (unsigned i = from; i < g_game->enemies.count; ++i) {
        Enemy* e = g_game->enemies[i];
        if (dynamic_cast<Fighter*>(e))
            counts[0]++;
        else if (dynamic_cast<Fighter2*>(e))
            counts[1]++;
        else if (dynamic_cast<Hammerhead*>(e))
            counts[2]++;
        else if (dynamic_cast<Probe*>(e))
            counts[3]++;
        else if (dynamic_cast<Probe2*>(e))
            counts[4]++;
        else if (dynamic_cast<Hammerhead2*>(e))
            counts[5]++;
        else if (dynamic_cast<Probe3*>(e))
            counts[6]++;
    }
    return counts;
}

} // namespace

using WaveTest = GameTest;

TEST_F(WaveTest, FirstWaveIsThirteenFightersAtDifficultyOnePointOne) {
    g_game->nextWave();
    EXPECT_EQ(g_game->wave, 1);
    EXPECT_FLOAT_EQ(g_game->difficulty, 1.1f);
    ASSERT_EQ(g_game->enemies.count, 13u);
    for (unsigned i = 0; i < g_game->enemies.count; ++i) {
        Enemy* e = g_game->enemies[i];
        EXPECT_TRUE(dynamic_cast<Fighter*>(e) != nullptr);
        EXPECT_FLOAT_EQ(e->hull, 33.0f);
        EXPECT_EQ(e->scoreValue, 55);
        EXPECT_FLOAT_EQ(e->radius, 32);
        EXPECT_FLOAT_EQ(e->sightRange, 3000);
        EXPECT_FLOAT_EQ(e->attackRange, 800);
    }
    // The announcement is an indicator on the HUD.
    bool announced = false;
    for (unsigned i = 0; i < g_game->actors.count; ++i) {
        TextIndicator* ti = dynamic_cast<TextIndicator*>(g_game->actors[i]);
        if (ti && strcmp(ti->text->text.getCString(), "Wave 1 incoming") == 0) {
            announced = true;
            EXPECT_FLOAT_EQ(ti->scale, 1.5f);
            EXPECT_EQ((void*)ti->text->parent, (void*)g_hud);
        }
    }
    EXPECT_TRUE(announced);
}

TEST_F(WaveTest, CompositionFollowsTheTable) {
    struct Row {
        int wave;
        float difficulty;
        std::vector<int> counts;
    };
    const Row rows[] = {
        {1, 1.1f, {13, 0, 0, 0, 0, 0, 0}},
        {2, 1.21f, {15, 0, 0, 0, 0, 0, 0}},
        {3, 1.331f, {18, 4, 0, 0, 0, 0, 0}},
        {5, 1.6105101f, {23, 8, 0, 0, 0, 0, 0}},
        {6, 1.7715611f, {25, 10, 5, 0, 0, 0, 0}},
        {9, 2.3579478f, {32, 17, 13, 23, 0, 0, 0}},
        {13, 3.4522715f, {42, 26, 23, 35, 23, 0, 0}},
        {15, 4.1772485f, {47, 30, 28, 41, 29, 3, 0}},
        {17, 5.054471f, {51, 34, 33, 47, 35, 8, 23}},
        {20, 6.7275004f, {59, 41, 40, 55, 44, 15, 32}},
    };
    int wave = 0;
    for (Row const& row : rows) {
        // Waves in between are started too, so the multiplier is reached the
        // way the game reaches it; only the wave of the row is counted.
        while (wave < row.wave - 1) {
            g_game->nextWave();
            ++wave;
        }
        unsigned before = g_game->enemies.count;
        g_game->nextWave();
        ++wave;
        EXPECT_EQ(g_game->wave, row.wave);
        EXPECT_FLOAT_EQ(g_game->difficulty, row.difficulty) << "wave " << row.wave;
        EXPECT_EQ(countTypes(before), row.counts) << "wave " << row.wave;
    }
}

TEST_F(WaveTest, HullAndScoreGrowWithDifficulty) {
    g_game->difficulty = 1.1f; // the next wave raises it to 1.21
    g_game->nextWave();
    Enemy* e = g_game->enemies[0];
    EXPECT_NEAR(e->hull, 36.3f, 1e-4);
    EXPECT_EQ(e->scoreValue, 60);
}

TEST_F(WaveTest, NextWaveTimeLiesNinetySecondsAndTenMsPerEarlierWaveAhead) {
    setTime(200000);
    g_game->wave = 7;
    g_game->nextWave();
    EXPECT_FLOAT_EQ(g_game->nextWaveTime, 200000.0f + 90000 + 70);
}

TEST_F(WaveTest, FirstWaveComesFiveSecondsIntoTheGame) {
    uint32_t start = quenth::GameClock::currentTime;
    EXPECT_FLOAT_EQ(g_game->nextWaveTime, start + 5000.0f);
    advance(2500);
    g_game->update();
    advance(2500);
    g_game->update(); // now == nextWaveTime: not yet
    EXPECT_EQ(g_game->wave, 0);
    advance(1);
    g_game->update();
    EXPECT_EQ(g_game->wave, 1);
    EXPECT_EQ(g_game->enemies.count, 13u);
}

TEST_F(WaveTest, ClearingTheArenaStartsTheNextWaveInTheSameFrame) {
    // With wave 0 an empty arena waits for the timer.
    advance(16);
    g_game->update();
    EXPECT_EQ(g_game->wave, 0);

    g_game->nextWave();
    while (g_game->enemies.count > 0) g_game->enemies[0]->destroy();
    advance(16);
    g_game->update();
    EXPECT_EQ(g_game->wave, 2);
    EXPECT_EQ(g_game->enemies.count, 15u);
}

TEST_F(WaveTest, SurvivorsAreReAddedToTheWorldOnce) {
    g_game->nextWave();
    g_game->nextWave();
    ASSERT_EQ(g_game->enemies.count, 28u);
    for (unsigned i = 0; i < g_game->enemies.count; ++i)
        EXPECT_EQ(countInWorld(g_game->enemies[i]->drawable), 1);
    // Back to front: ..., the enemies, the two weapons, the exhaust, the ship.
    Player* p = g_game->player;
    EXPECT_EQ(g_world->tail, p->drawable);
    EXPECT_EQ(p->drawable->prev, p->exhaust->defaultSlice);
    EXPECT_EQ(p->exhaust->defaultSlice->prev, (Drawable*)p->laser);
    EXPECT_EQ(p->laser->prev, (Drawable*)p->plasma);
}

// Normal is the game as it always was; Easy and Hard scale the enemies' guns
// and how fast the waves grow, by the factors the README gives.
TEST_F(WaveTest, DifficultyScalesEnemyGunsAndWaveGrowthAndNormalIsUnchanged) {
    struct Case {
        Difficulty d;
        float damageMin, damageMax, fireRate;
        int wave1, wave3Fighters, wave3Fighter2;
        float multiplier;
    };
    const Case cases[] = {
        {DIFFICULTY_EASY, 1.0f, 3.5f, 0.42f, 12, 16, 4, 1.07f},
        {DIFFICULTY_NORMAL, 2.0f, 7.0f, 0.7f, 13, 18, 4, 1.1f},
        {DIFFICULTY_HARD, 2.8f, 9.8f, 0.91f, 14, 20, 4, 1.13f},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(difficultyName(c.d));
        delete g_game;
        g_game = new Game();
        g_game->setDifficulty(c.d);
        g_game->init();
        EXPECT_EQ(g_game->chosenDifficulty, c.d);
        g_game->nextWave();
        EXPECT_EQ((int)g_game->enemies.count, c.wave1);
        EXPECT_FLOAT_EQ(g_game->difficulty, c.multiplier);
        Enemy* e = g_game->enemies[0];
        EXPECT_FLOAT_EQ(e->weapon->damageMin, c.damageMin);
        EXPECT_FLOAT_EQ(e->weapon->damageMax, c.damageMax);
        EXPECT_FLOAT_EQ(e->weapon->fireRate, c.fireRate);
        g_game->nextWave();
        unsigned before = g_game->enemies.count;
        g_game->nextWave();
        std::vector<int> counts = countTypes(before);
        EXPECT_EQ(counts[0], c.wave3Fighters);
        EXPECT_EQ(counts[1], c.wave3Fighter2);
    }
}
