#include "game/actors/Enemy.h"
#include "engine/core/GameClock.h"
#include "engine/util/Random.h"
#include "game/actors/EnemyShip.h"
#include "game/actors/Player.h"
#include "game/actors/Powerup.h"
#include "game/actors/TextIndicator.h"
#include "game/base/StackRemove.h"
#include "game/base/WrappedOffset.h"
#include "game/hud/ScoreCounter.h"
#include "game/weapons/EnemyWeapon.h"
#include "particles/ParticleSystem.h"
#include "scene/Group.h"
#include "scene/Text.h"
#include "tests/game/GameTestSupport.h"

#include <cmath>

using EnemyTest = GameTest;

namespace {

template <typename T>
T* addEnemy() {
    T* e = new T();
    e->spawn();
    g_game->enemies.push(e);
    g_game->actors.push(e);
    return e;
}

// Removes the player from the enemies' sight.
void hidePlayer() {
    stackRemove(g_game->friends, g_game->player);
}

} // namespace

TEST_F(EnemyTest, SpawnTakesTheFirstSpotWithNoFriendToAvoid) {
    hidePlayer();
    g_rand.init(77);
    Fighter* f = addEnemy<Fighter>();
    quenth::Random replay(77);
    float x = replay.randf(0, 4096);
    float y = replay.randf(0, 4096);
    EXPECT_FLOAT_EQ(f->position.x, x);
    EXPECT_FLOAT_EQ(f->position.y, y);
    float wx = replay.randf(0, 4096);
    float wy = replay.randf(0, 4096);
    EXPECT_FLOAT_EQ(f->waypoint.x, wx);
    EXPECT_FLOAT_EQ(f->waypoint.y, wy);
    EXPECT_FLOAT_EQ(f->hull, 30);
    EXPECT_EQ(f->scoreValue, 50);
}

TEST_F(EnemyTest, SpawnKeepsTheFifthSpotWhenEverySpotIsNearAFriend) {
    // A small world: every spot lies within 1024 units of the player.
    quenth::vec2 saved = g_world->worldSize;
    g_world->worldSize = quenth::vec2(600, 600);
    g_game->player->position = quenth::vec2(300, 300);
    g_rand.init(5);
    Fighter* f = addEnemy<Fighter>();
    quenth::Random replay(5);
    float x = 0, y = 0;
    for (int i = 0; i < 5; ++i) {
        x = replay.randf(0, 600);
        y = replay.randf(0, 600);
    }
    float wx = replay.randf(0, 600);
    EXPECT_FLOAT_EQ(f->position.x, x);
    EXPECT_FLOAT_EQ(f->position.y, y);
    EXPECT_FLOAT_EQ(f->waypoint.x, wx);
    g_world->worldSize = saved;
}

TEST_F(EnemyTest, SpawnKeepsItsDistanceAcrossTheSeam) {
    quenth::vec2 world = g_world->worldSize;
    quenth::vec2 ship(10, 10);
    g_game->player->position = ship;
    // A seed whose first spot lies near the ship across a seam (far by the
    // plain distance) and whose second spot is far either way.
    int seed = 0;
    for (int s = 1; s < 100000 && !seed; ++s) {
        quenth::Random r(s);
        quenth::vec2 first(r.randf(0, world.x), r.randf(0, world.y));
        quenth::vec2 second(r.randf(0, world.x), r.randf(0, world.y));
        if (wrappedOffset(ship, first, world).length() < 1024 && (first - ship).length() >= 1024 &&
            wrappedOffset(ship, second, world).length() >= 1024)
            seed = s;
    }
    ASSERT_NE(seed, 0);
    g_rand.init(seed);
    Fighter* f = addEnemy<Fighter>();
    EXPECT_GE(wrappedOffset(ship, f->position, world).length(), 1024);
}

TEST_F(EnemyTest, FadesInOverThreeQuartersOfASecond) {
    hidePlayer();
    Fighter* f = addEnemy<Fighter>();
    EXPECT_EQ(f->drawable->blendColor.a, 0);
    advance(375);
    f->update();
    EXPECT_EQ(f->drawable->blendColor.a, 127);
    EXPECT_FLOAT_EQ(f->drawable->scale, 0.5f);
    advance(375);
    f->update();
    EXPECT_EQ(f->drawable->blendColor.a, 255);
    EXPECT_FLOAT_EQ(f->spawnEnd, 0);
    EXPECT_FLOAT_EQ(f->drawable->scale, 1);
}

TEST_F(EnemyTest, OrbitsInsideHalfTheAttackRangeAndCoastsInsideAQuarter) {
    hidePlayer();
    Fighter* f = addEnemy<Fighter>();
    quenth::GameClock::sync = 0.1f;
    f->position = quenth::vec2(1000, 1000);
    f->waypoint = quenth::vec2(1300, 1000); // 300 < 400: sideways
    f->velocity = quenth::vec2(0, 0);
    f->update();
    // (480, 0) halved, reversed and turned by +90 degrees: (0, -240) per s^2.
    EXPECT_NEAR(f->velocity.x, 0, 1e-4);
    EXPECT_NEAR(f->velocity.y, -24, 1e-4);

    f->position = quenth::vec2(1000, 1000);
    f->waypoint = quenth::vec2(1150, 1000); // 150 < 200: no thrust
    f->velocity = quenth::vec2(30, 5);
    f->update();
    EXPECT_FLOAT_EQ(f->velocity.x, 30);
    EXPECT_FLOAT_EQ(f->velocity.y, 5);
    EXPECT_NEAR(f->position.x, 1003, 1e-3);

    f->position = quenth::vec2(1000, 1000);
    f->waypoint = quenth::vec2(2000, 1000); // far: full thrust, capped per axis
    f->velocity = quenth::vec2(150, 0);
    f->update();
    EXPECT_FLOAT_EQ(f->velocity.x, 160);
}

TEST_F(EnemyTest, SeesAFriendAcrossTheSeam) {
    Fighter* f = addEnemy<Fighter>();
    f->position = quenth::vec2(4080, 2000);
    g_game->player->position = quenth::vec2(10, 2000);
    f->update();
    EXPECT_FLOAT_EQ(f->waypoint.x, 4106);
    EXPECT_FLOAT_EQ(f->waypoint.y, 2000);
    // In attack range: it fired (its gun's rate limiter took the shot).
    EXPECT_FLOAT_EQ(f->weapon->lastShot, (float)quenth::GameClock::currentTime);
}

TEST_F(EnemyTest, SteersAtTheNearestImageInSightAndClosesIn) {
    Fighter* f = addEnemy<Fighter>();
    f->position = quenth::vec2(1000, 2048);
    f->velocity = quenth::vec2(0, 0);
    g_game->player->position = quenth::vec2(2600, 2048);
    // Both the ship (1600 away) and its image across the left seam (2496 away)
    // are in sight; the later image in the search order is the farther one.
    f->update();
    EXPECT_FLOAT_EQ(f->waypoint.x, 2600);
    EXPECT_FLOAT_EQ(f->waypoint.y, 2048);

    // Left to itself the enemy reaches attack range of a ship at rest.
    float closest = 1e9f;
    for (int frame = 0; frame < 1500 && closest >= f->attackRange; ++frame) {
        quenth::GameClock::currentTime += 16;
        quenth::GameClock::sync = 0.016f;
        f->update();
        quenth::vec2 d = g_game->player->position - f->position;
        float dx = std::fabs(d.x), dy = std::fabs(d.y);
        dx = std::fmin(dx, 4096 - dx);
        dy = std::fmin(dy, 4096 - dy);
        closest = std::fmin(closest, std::sqrt(dx * dx + dy * dy));
    }
    EXPECT_LT(closest, f->attackRange);
}

TEST_F(EnemyTest, HeadingFollowsTheVelocity) {
    hidePlayer();
    Fighter* f = addEnemy<Fighter>();
    f->waypoint = f->position + quenth::vec2(1000, 0);
    quenth::GameClock::sync = 0; // no motion: the heading of a zero offset
    f->update();
    EXPECT_FLOAT_EQ(f->drawable->rotation.z,
                    quenth::Math::wrapf(quenth::Math::angle(f->position, f->position) + 90, 0, 360));
    quenth::GameClock::sync = 0.1f;
    f->velocity = quenth::vec2(0, 0);
    f->waypoint = f->position + quenth::vec2(0, 1000);
    f->update(); // accelerates down the screen: angle 270, plus 90
    EXPECT_FLOAT_EQ(f->drawable->rotation.z, 0);
}

TEST_F(EnemyTest, AHitLeavingHullAtExactlyZeroKills) {
    Fighter* f = addEnemy<Fighter>();
    f->hull = 10;
    f->scoreValue = 77;
    f->position = quenth::vec2(1234, 567);
    EXPECT_TRUE(f->damage(4));
    EXPECT_FLOAT_EQ(f->hull, 6);
    unsigned actors = g_game->actors.count;
    EXPECT_FALSE(f->damage(6));
    EXPECT_EQ(g_game->enemies.count, 0u);
    EXPECT_EQ(g_game->scoreCounter->value, 77);
    // The floating score text stands where the enemy died.
    TextIndicator* ti = dynamic_cast<TextIndicator*>(g_game->actors[g_game->actors.count - 1]);
    ASSERT_NE(ti, nullptr);
    EXPECT_STREQ(ti->text->text.getCString(), "77");
    EXPECT_FLOAT_EQ(ti->position.x, 1234);
    EXPECT_FLOAT_EQ(ti->position.y, 567);
    EXPECT_EQ((void*)ti->text->parent, (void*)g_world);
    EXPECT_GE(g_game->actors.count, actors); // the enemy left, the text (and maybe a power-up) came
}

// The longest flight among the explosion particles, and the farthest start
// from the centre.
static void explosionReach(quenth::vec2 centre, float& flight, float& start) {
    flight = start = 0;
    for (Particle* p = g_game->explosionSlice->head; p; p = p->next) {
        flight = fmaxf(flight, (p->end - p->start).length());
        start = fmaxf(start, (p->start - centre).length());
    }
}

TEST_F(EnemyTest, ExplosionsBurstOutwardAtTheirSpeed) {
    Hammerhead* h = addEnemy<Hammerhead>(); // radius 50: flights of up to 450 to 600
    h->position = quenth::vec2(2000, 2000);
    h->destroy();
    float flight, start;
    explosionReach(quenth::vec2(2000, 2000), flight, start);
    EXPECT_LE(start, 50.01f);
    EXPECT_GT(flight, 4 * 50);
    EXPECT_LT(flight, 12 * 50 + 50); // the spread is flown once more

    g_game->explosionSlice->releaseParticles();
    Player* p = g_game->player; // radius 32: flights of up to 288 to 384
    p->destroy();
    explosionReach(p->position, flight, start);
    EXPECT_GT(flight, 4 * 32);
    EXPECT_LT(flight, 12 * 32 + 1.43f * 32);
}

TEST_F(EnemyTest, EveryDeathRaisesTheExplosionsToTheTop) {
    Fighter* a = addEnemy<Fighter>();
    Fighter* b = addEnemy<Fighter>();
    g_world->add(a->drawable);
    g_world->add(b->drawable);
    a->destroy();
    EXPECT_EQ(g_world->tail, (Drawable*)g_game->explosionSlice);
    g_world->add(b->drawable);
    b->destroy();
    EXPECT_EQ(g_world->tail, (Drawable*)g_game->explosionSlice);
    EXPECT_EQ(g_game->explosionSlice->count, 2 * 192u);
}

TEST_F(EnemyTest, DropChancesMatchTheTypes) {
    hidePlayer();
    const int n = 300;
    int heavy = 0, light = 0;
    for (int i = 0; i < n; ++i) {
        unsigned before = g_game->powerups.count;
        addEnemy<Hammerhead2>()->destroy();
        heavy += g_game->powerups.count - before;
        before = g_game->powerups.count;
        addEnemy<Probe>()->destroy();
        light += g_game->powerups.count - before;
    }
    EXPECT_NEAR(heavy / (double)n, 0.9, 0.06);
    EXPECT_NEAR(light / (double)n, 0.1, 0.06);
    // A dropped token is drawn beneath the wreck and is in both lists.
    Powerup* p = g_game->powerups[0];
    EXPECT_TRUE(stackContains(g_game->actors, p));
}

TEST_F(EnemyTest, ADeadEnemysGunAndBulletsGoWithIt) {
    Fighter* f = addEnemy<Fighter>();
    f->position = quenth::vec2(2000, 1700);
    g_game->player->position = quenth::vec2(2000, 2000);
    f->update(); // fires at the player
    EnemyWeapon* gun = f->weapon;
    EXPECT_EQ(countInWorld(gun), 1);
    f->destroy();
    // The gun left the scene with its owner; the next frame runs without it.
    for (Drawable* d = g_world->head; d; d = d->next) EXPECT_NE(d, (Drawable*)gun);
    advance(16);
    g_game->update();
    // Particles emitted after the death reuse pool slots that sparks of the
    // dead gun may have held.
    g_game->weaponParticles->emit(nullptr, 2048, 100, 200, quenth::vec2(0, 0), 0, 1, 1, 1, 1,
                                  quenth::vec2(1, 0), 0, 1, 0, quenth::vec4(1, 1, 1, 1),
                                  quenth::vec4(1, 1, 1, 1));
    advance(16);
    g_game->update();
}
