#include "game/actors/Powerup.h"
#include "engine/core/GameClock.h"
#include "game/actors/Enemy.h"
#include "game/actors/EnemyShip.h"
#include "game/actors/Player.h"
#include "game/actors/TextIndicator.h"
#include "game/base/Fader.h"
#include "game/base/StackRemove.h"
#include "game/hud/ScoreCounter.h"
#include "scene/Sprite.h"
#include "scene/Text.h"
#include "tests/game/GameTestSupport.h"

using PowerupTest = GameTest;

namespace {

Powerup* dropAt(float x, float y, uint32_t kind) {
    Powerup* p = new Powerup();
    p->kind = kind;
    p->position = quenth::vec2(x, y);
    g_world->add(p->drawable);
    g_game->powerups.push(p);
    g_game->actors.push(p);
    return p;
}

TextIndicator* lastIndicator() {
    for (unsigned i = g_game->actors.count; i-- > 0;) {
        TextIndicator* ti = dynamic_cast<TextIndicator*>(g_game->actors[i]);
        if (ti) return ti;
    }
    return nullptr;
}

} // namespace

TEST_F(PowerupTest, DriftHalvesInAboutThreeAndAHalfSeconds) {
    Powerup* p = dropAt(500, 500, 0);
    p->velocity = quenth::vec2(60, 0);
    quenth::GameClock::sync = 0.016f;
    int frames = 0;
    while (p->velocity.x > 30) {
        p->update();
        ++frames;
    }
    EXPECT_NEAR(frames * 0.016f, 3.5f, 0.1f);
}

TEST_F(PowerupTest, FliesIntoTheShipAndTakesEffect) {
    Player* ship = g_game->player;
    ship->hull = 125;
    Powerup* p = dropAt(ship->position.x + 140, ship->position.y, 4); // inside the 150 pickup radius
    p->velocity = quenth::vec2(0, 0);
    uint32_t start = quenth::GameClock::currentTime;
    p->update();
    EXPECT_TRUE(p->collecting);
    EXPECT_EQ(p->collector, (Friend*)ship);
    setTime(start + 250);
    p->update();
    EXPECT_NEAR(p->scale, 0.5f, 1e-4);
    EXPECT_NEAR(p->position.x, ship->position.x + 70, 1e-2);
    unsigned before = g_game->powerups.count;
    setTime(start + 500);
    p->update(); // collected and gone
    EXPECT_EQ(g_game->powerups.count, before - 1);
    EXPECT_FLOAT_EQ(ship->hull, 100); // "Hull restored" is 100, below a fresh ship's 125
    TextIndicator* ti = lastIndicator();
    ASSERT_NE(ti, nullptr);
    EXPECT_STREQ(ti->text->text.getCString(), "Hull restored");
    EXPECT_FLOAT_EQ(ti->text->color.g, 1.0f);
    EXPECT_FLOAT_EQ(ti->text->color.r, 0.1f);
}

TEST_F(PowerupTest, IsPickedUpAndFliesTheShortWayAcrossTheSeam) {
    Player* ship = g_game->player;
    ship->position = quenth::vec2(4090, 2000);
    Powerup* across = dropAt(20, 2000, 0); // 26 units from the ship, across the seam
    Powerup* behind = dropAt(4000, 2000, 0);
    across->velocity = behind->velocity = quenth::vec2(0, 0);
    uint32_t start = quenth::GameClock::currentTime;
    across->update();
    behind->update();
    EXPECT_TRUE(across->collecting);
    ASSERT_TRUE(behind->collecting);
    // The ship crosses the seam while the token flies to it: the token
    // follows it over the seam rather than back across the arena.
    ship->position = quenth::vec2(10, 2000);
    setTime(start + 250);
    behind->update();
    EXPECT_NEAR(behind->position.x, 4053, 1e-2); // halfway from 4000 to 4106
}

TEST_F(PowerupTest, StaysPutOutsideThePickupRadius) {
    Player* ship = g_game->player;
    Powerup* p = dropAt(ship->position.x + 151, ship->position.y, 0);
    p->velocity = quenth::vec2(0, 0);
    p->update();
    EXPECT_FALSE(p->collecting);
}

TEST_F(PowerupTest, UpgradeAddsToTheWeaponCounter) {
    Player* ship = g_game->player;
    Powerup* p = dropAt(ship->position.x, ship->position.y, 0);
    p->update();
    advance(500);
    p->update();
    EXPECT_GT(g_game->upgrades, 0);
    EXPECT_EQ(g_game->upgrades % 10, 0);
    EXPECT_LE(g_game->upgrades, 40);
    EXPECT_EQ(g_game->weaponCounter->value, g_game->upgrades);
    char expected[32];
    snprintf(expected, sizeof expected, "Upgrade +%i", g_game->upgrades);
    EXPECT_STREQ(lastIndicator()->text->text.getCString(), expected);
}

TEST_F(PowerupTest, MegaNukeClearsTheEnemiesAroundTheShip) {
    Player* ship = g_game->player;
    for (int i = 0; i < 3; ++i) {
        Fighter* f = new Fighter();
        f->spawn();
        f->position = ship->position + quenth::vec2(100.0f * i, 50);
        g_game->enemies.push(f);
        g_game->actors.push(f);
    }
    Fighter* far = new Fighter();
    far->spawn();
    far->position = ship->position + quenth::vec2(1500, 0);
    g_game->enemies.push(far);
    g_game->actors.push(far);

    Powerup* p = dropAt(ship->position.x, ship->position.y, 6);
    p->update();
    advance(500);
    p->update();
    EXPECT_EQ(g_game->enemies.count, 1u);
    EXPECT_EQ(g_game->enemies[0], (Enemy*)far);
    EXPECT_GT(g_game->shakeEnd, (float)quenth::GameClock::currentTime);
    EXPECT_FALSE(g_fader->done());
    EXPECT_FLOAT_EQ(g_fader->r, 1);
}

TEST_F(PowerupTest, ATokenFlyingToAShipThatDiesDropsBack) {
    Player* ship = g_game->player;
    Powerup* p = dropAt(ship->position.x + 100, ship->position.y, 1);
    p->velocity = quenth::vec2(0, 0);
    p->update();
    ASSERT_TRUE(p->collecting);
    ship->damage(1000); // dies with lives left
    advance(100);
    p->update();
    EXPECT_FALSE(p->collecting);
    EXPECT_EQ(p->collector, nullptr);
    EXPECT_FLOAT_EQ(p->scale, 1);
    advance(1000);
    p->update();
    EXPECT_TRUE(stackContains(g_game->powerups, p)); // still lying there
}

TEST_F(PowerupTest, KindsFollowTheDrawnChances) {
    int counts[7] = {0};
    const int n = 4000;
    for (int i = 0; i < n; ++i) {
        Powerup* p = new Powerup();
        ASSERT_LT(p->kind, 7u);
        counts[p->kind]++;
        EXPECT_LE(fabsf(p->velocity.x), 75);
        delete p;
    }
    EXPECT_NEAR(counts[0] / (double)n, 0.9, 0.03);
    EXPECT_GT(counts[1], 0);
    EXPECT_GT(counts[6], 0);
}
