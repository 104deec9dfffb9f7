#include "engine/core/GameClock.h"
#include "engine/math/vec4.h"
#include "game/actors/EnemyShip.h"
#include "game/actors/Player.h"
#include "game/base/StackRemove.h"
#include "game/weapons/EnemyPlasma.h"
#include "game/weapons/Laser.h"
#include "game/weapons/Plasma.h"
#include "particles/ParticleSystem.h"
#include "tests/game/GameTestSupport.h"

using WeaponTest = GameTest;

namespace {

// An enemy that stands still and never fires: a target for the guns.
Fighter* addTarget(float x, float y, float radius = 32, float hull = 1000) {
    Fighter* f = new Fighter();
    f->spawn();
    f->position = quenth::vec2(x, y);
    f->radius = radius;
    f->hull = hull;
    g_game->enemies.push(f);
    return f;
}

} // namespace

TEST_F(WeaponTest, RateLimiterAllowsAShotWhenTheIntervalHasPassed) {
    Plasma* gun = g_game->player->plasma; // 5 shots per second
    setTime(10000);
    EXPECT_FLOAT_EQ(gun->Weapon::shoot(quenth::vec2(1, 0)), 2);
    setTime(10199);
    EXPECT_FLOAT_EQ(gun->Weapon::shoot(quenth::vec2(1, 0)), 0);
    setTime(10200);
    EXPECT_FLOAT_EQ(gun->Weapon::shoot(quenth::vec2(1, 0)), 2);
    EXPECT_FLOAT_EQ(gun->lastShot, 10200);

    gun->fireRate = 0;
    setTime(20000);
    EXPECT_FLOAT_EQ(gun->Weapon::shoot(quenth::vec2(1, 0)), 0);
    gun->fireRate = -1;
    EXPECT_FLOAT_EQ(gun->Weapon::shoot(quenth::vec2(1, 0)), 2);
    EXPECT_FLOAT_EQ(gun->Weapon::shoot(quenth::vec2(1, 0)), 2);
}

TEST_F(WeaponTest, ZeroLengthSegmentHitsNothing) {
    addTarget(1000, 1000);
    hit_struct h = g_game->player->plasma->findHit(quenth::vec2(1000, 1000), quenth::vec2(1000, 1000), 16);
    EXPECT_EQ(h.target, nullptr);
    EXPECT_FLOAT_EQ(h.point.x, 0);
    EXPECT_FLOAT_EQ(h.point.y, 0);
}

TEST_F(WeaponTest, HitsABodyAcrossTheSeamInImageCoordinates) {
    Fighter* t = addTarget(20, 1000);
    hit_struct h = g_game->player->plasma->findHit(quenth::vec2(4000, 1000), quenth::vec2(4150, 1000), 16);
    ASSERT_EQ(h.target, (Actor*)t);
    EXPECT_FLOAT_EQ(h.point.x, 4096 + 20 - 32);
    EXPECT_NEAR(h.point.y, 1000, 1e-3);
}

TEST_F(WeaponTest, NearestCentreWinsEvenIfTheOtherCircleIsEnteredFirst) {
    Fighter* big = addTarget(1300, 1000, 200);  // entered at x = 1100
    Fighter* small = addTarget(1250, 1000, 10); // centre nearer to from, entered at 1240
    (void)big;
    hit_struct h = g_game->player->plasma->findHit(quenth::vec2(1000, 1000), quenth::vec2(1500, 1000), 16);
    EXPECT_EQ(h.target, (Actor*)small);
    EXPECT_NEAR(h.point.x, 1240, 1e-3);
}

TEST_F(WeaponTest, ABodyTouchingOnlyTheBoxIsSkipped) {
    // The segment runs diagonally; the first body touches the corner of its
    // bounding box but lies 60 units from the line.
    addTarget(1000 + 10, 1100 - 10, 25);
    Fighter* onLine = addTarget(1080, 1080, 25);
    hit_struct h = g_game->player->plasma->findHit(quenth::vec2(1000, 1000), quenth::vec2(1100, 1100), 16);
    EXPECT_EQ(h.target, (Actor*)onLine);

    hit_struct miss = g_game->player->plasma->findHit(quenth::vec2(0, 3000), quenth::vec2(50, 3000), 16);
    EXPECT_EQ(miss.target, nullptr);
}

TEST_F(WeaponTest, EnemyGunsShootAtFriends) {
    Fighter* enemy = addTarget(1000, 1000);
    g_game->player->position = quenth::vec2(1100, 1000);
    hit_struct h = enemy->weapon->findHit(quenth::vec2(1000, 1000), quenth::vec2(1200, 1000), 12);
    EXPECT_EQ(h.target, (Actor*)g_game->player);
    EXPECT_NEAR(h.point.x, 1100 - 32, 1e-3);
}

TEST_F(WeaponTest, PlasmaPoolsNeverGrowAtTheirFireRates) {
    Plasma* gun = g_game->player->plasma;
    EnemyPlasma* enemyGun = new EnemyPlasma();
    stackRemove(g_game->friends, g_game->player); // nothing to hit
    for (int frame = 0; frame < 1000; ++frame) {
        advance(16);
        gun->shoot(quenth::vec2(1, 0));
        enemyGun->shoot(quenth::vec2(0, 1));
        gun->update();
        enemyGun->update();
    }
    EXPECT_EQ(gun->capacity, 64u);
    EXPECT_EQ(gun->sparkSlices.count, 64u);
    EXPECT_EQ(enemyGun->capacity, 16u);
    unsigned live = 0;
    for (unsigned i = 0; i < gun->capacity; ++i)
        if (quenth::GameClock::currentTime < gun->bullets[i].expiry) ++live;
    EXPECT_LE(live, 8u);
    delete enemyGun;
}

TEST_F(WeaponTest, AFullPoolDoublesAndKeepsItsBullets) {
    Plasma* gun = g_game->player->plasma;
    gun->fireRate = -1;
    for (int i = 0; i < 65; ++i) gun->shoot(quenth::vec2(1, 0));
    EXPECT_EQ(gun->capacity, 128u);
    EXPECT_EQ(gun->sparkSlices.count, 128u);
    unsigned live = 0;
    for (unsigned i = 0; i < gun->capacity; ++i)
        if (quenth::GameClock::currentTime < gun->bullets[i].expiry) ++live;
    EXPECT_EQ(live, 65u);
}

TEST_F(WeaponTest, BulletsHitAcrossTheSeamAndSparkOnlyOnSurvivors) {
    Plasma* gun = g_game->player->plasma;
    Fighter* tough = addTarget(30, 1000, 32, 1000);
    g_world->add(tough->drawable);
    gun->position = quenth::vec3(3950, 1000, 0);
    gun->shoot(quenth::vec2(1, 0));
    quenth::GameClock::sync = 0.1f; // 75 units a frame
    gun->update();
    EXPECT_FLOAT_EQ(tough->hull, 1000); // not there yet
    gun->update();
    EXPECT_LT(tough->hull, 1000 - 4.99f);
    EXPECT_GT(tough->hull, 1000 - 15.01f);
    unsigned sparks = 0;
    for (unsigned i = 0; i < gun->sparkSlices.count; ++i) sparks += gun->sparkSlices[i]->count;
    EXPECT_EQ(sparks, 52u);

    Fighter* weak = addTarget(2000, 2000, 32, 1);
    gun->position = quenth::vec3(1900, 2000, 0);
    setTime(quenth::GameClock::currentTime + 1000);
    gun->shoot(quenth::vec2(1, 0));
    gun->update();
    gun->update();
    EXPECT_FALSE(stackContains(g_game->enemies, weak));
    unsigned after = 0;
    for (unsigned i = 0; i < gun->sparkSlices.count; ++i) after += gun->sparkSlices[i]->count;
    EXPECT_EQ(after, sparks);
}

TEST_F(WeaponTest, LaserBurnsAboutFortyNineOverOneBeam) {
    Laser* laser = g_game->player->laser;
    Fighter* t = addTarget(1400, 1000, 32, 1000);
    laser->position = quenth::vec3(1000, 1000, 0);
    // The beam follows the mouse through the world camera: aim at the target.
    Camera2D* cam = g_world->getCamera();
    cam->x = 1000;
    cam->y = 1000;
    cam->zoom = 1;
    setMouse(640 + 400, 360);
    EXPECT_FLOAT_EQ(laser->shoot(quenth::vec2(0, 0)), 8);
    uint32_t start = quenth::GameClock::currentTime;
    for (int i = 0; i < 65; ++i) {
        advance(10);
        laser->update();
        if (quenth::GameClock::currentTime == start + 330) {
            // About half-way: the beam is about half as wide and faint.
            EXPECT_NEAR(laser->beams[0].width, 3.5f, 0.1f);
            EXPECT_NEAR(laser->beams[0].color.a, 112, 2);
            EXPECT_NEAR(laser->beams[0].end.x, 1400 - 32, 1e-2); // stops at the body
        }
    }
    float dealt = 1000 - t->hull;
    EXPECT_GT(dealt, 0.64f * 65);
    EXPECT_LT(dealt, 0.65f * 85);
    EXPECT_NEAR(dealt, 49, 4);
}

TEST_F(WeaponTest, LaserFadesLinearly) {
    Laser* laser = g_game->player->laser;
    laser->position = quenth::vec3(1000, 1000, 0);
    setTime(50000);
    laser->shoot(quenth::vec2(0, 0));
    setTime(50325);
    laser->update();
    EXPECT_FLOAT_EQ(laser->beams[0].width, 3.5f);
    EXPECT_EQ(laser->beams[0].color.a, 112);
}

TEST_F(WeaponTest, LaserWithTheMouseOnTheShipHitsNothing) {
    Laser* laser = g_game->player->laser;
    Fighter* t = addTarget(1000, 1000, 32, 1000);
    laser->position = quenth::vec3(1000, 1000, 0);
    Camera2D* cam = g_world->getCamera();
    cam->x = 1000;
    cam->y = 1000;
    cam->zoom = 1;
    setMouse(640, 360); // exactly on the ship
    laser->shoot(quenth::vec2(0, 0));
    advance(16);
    laser->update();
    EXPECT_FLOAT_EQ(t->hull, 1000);
}

TEST_F(WeaponTest, ThreeOverlappingBeamsBurnThreeTimesAsFast) {
    Laser* laser = g_game->player->laser;
    Fighter* one = addTarget(1400, 1000, 32, 1000);
    laser->position = quenth::vec3(1000, 1000, 0);
    Camera2D* cam = g_world->getCamera();
    cam->x = 1000;
    cam->y = 1000;
    setMouse(640 + 400, 360);
    laser->fireRate = -1;
    for (int i = 0; i < 3; ++i) laser->shoot(quenth::vec2(0, 0));
    advance(10);
    laser->update();
    float dealt = 1000 - one->hull;
    EXPECT_GT(dealt, 3 * 65 * 0.01f - 1e-3);
    EXPECT_LT(dealt, 3 * 85 * 0.01f + 1e-3);
}

TEST_F(WeaponTest, AtGameOverTheSparksStopAndShotsInFlightFadeHarmlessly) {
    Player* p = g_game->player;
    Laser* laser = p->laser;
    Fighter* t = addTarget(p->position.x + 400, p->position.y);
    Camera2D* cam = g_world->getCamera();
    cam->x = p->position.x;
    cam->y = p->position.y;
    cam->zoom = 1;
    setMouse(640 + 400, 360);
    laser->position = p->plasma->position = quenth::vec3(p->position.x, p->position.y, 0);
    laser->shoot(quenth::vec2(0, 0));
    p->plasma->shoot(quenth::vec2(0, 1)); // a bolt flying away from the target
    advance(16);
    laser->update();
    ASSERT_EQ(laser->hitEmitters[0]->rate, 300u);

    g_game->lives = 0;
    p->damage(1000);
    unsigned sparks = g_game->weaponParticles->nextParticle;
    float hull = t->hull;
    float boltY = p->plasma->bullets[0].position.y;
    for (int i = 0; i < 20; ++i) {
        advance(16);
        g_game->update();
    }
    ASSERT_FALSE(g_game->playing);
    EXPECT_EQ(laser->hitEmitters[0]->rate, 0u);
    EXPECT_EQ(g_game->weaponParticles->nextParticle, sparks);
    EXPECT_FLOAT_EQ(t->hull, hull);
    // The game runs the guns from the frame that found the game over on:
    // the beam, 336 ms into its 650, has narrowed to about half, and the
    // bolt has flown on for 19 frames.
    EXPECT_NEAR(laser->beams[0].width, 7 * (1 - 336.0f / 650), 0.01f);
    EXPECT_NEAR(p->plasma->bullets[0].position.y, boltY + 750 * 0.016f * 19, 0.5f);
}
