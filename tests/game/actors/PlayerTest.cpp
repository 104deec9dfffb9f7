#include <cstring>

#include "engine/core/GameClock.h"
#include "game/actors/Enemy.h"
#include "game/actors/Player.h"
#include "game/actors/TextIndicator.h"
#include "game/base/StackRemove.h"
#include "game/weapons/Laser.h"
#include "game/weapons/Plasma.h"
#include "particles/ParticleSystem.h"
#include "scene/Sprite.h"
#include "scene/Text.h"
#include "tests/game/GameTestSupport.h"

using PlayerTest = GameTest;

TEST_F(PlayerTest, StartsAtTheCentreWithFullEnergyAndThreeSpareLives) {
    Player* p = g_game->player;
    EXPECT_FLOAT_EQ(p->position.x, 2048);
    EXPECT_FLOAT_EQ(p->position.y, 2048);
    EXPECT_FLOAT_EQ(p->hull, 125);
    EXPECT_FLOAT_EQ(p->maxHull, 100);
    EXPECT_FLOAT_EQ(p->energy, 350);
    EXPECT_NEAR(p->cameraLeadMax, 707.1068f, 1e-3);
    EXPECT_EQ(g_game->lives, 3);
    EXPECT_TRUE(stackContains(g_game->friends, p));
    EXPECT_EQ(p->laser->color.r, 76);
    EXPECT_EQ(p->laser->color.a, 224);
}

TEST_F(PlayerTest, ThrustCostsEnergyAndOppositeKeysBrake) {
    Player* p = g_game->player;
    quenth::GameClock::sync = 0.1f;
    holdKey(SDLK_d);
    p->update();
    EXPECT_NEAR(p->velocity.x, 50, 1e-3);
    EXPECT_NEAR(p->energy, 350 - 2.5f, 1e-3); // full pool: regeneration is capped first

    // W and S together: no thrust on y, and y brakes by 30 a frame.
    p->velocity = quenth::vec2(0, 100);
    holdKey(SDLK_w);
    holdKey(SDLK_s);
    p->update();
    EXPECT_NEAR(p->velocity.y, 70, 1e-3);
    EXPECT_NEAR(p->velocity.x, 50, 1e-3); // D still held

    releaseAllInput();
    p->velocity = quenth::vec2(-20, 20);
    p->energy = 300;
    float energy = p->energy;
    p->update();
    EXPECT_FLOAT_EQ(p->velocity.x, 0);
    EXPECT_FLOAT_EQ(p->velocity.y, 0);
    EXPECT_NEAR(p->energy, energy + 3.5f, 1e-3); // coasting costs nothing
}

TEST_F(PlayerTest, SpeedIsCappedAt350) {
    Player* p = g_game->player;
    p->velocity = quenth::vec2(600, 800);
    holdKey(SDLK_d);
    p->update();
    EXPECT_NEAR(p->velocity.length(), 350, 1e-2);
}

TEST_F(PlayerTest, FiringNeedsMoreEnergyThanTheShotCosts) {
    Player* p = g_game->player;
    setMouse(1000, 360);
    holdButton(SDL_BUTTON_LEFT);
    quenth::GameClock::sync = 0;
    p->energy = 2; // the plasma costs 2: not above it
    p->update();
    EXPECT_FLOAT_EQ(p->energy, 2);
    EXPECT_FLOAT_EQ(p->plasma->lastShot, 0);
    p->energy = 2.5f;
    p->update();
    EXPECT_FLOAT_EQ(p->energy, 0.5f);

    releaseAllInput();
    holdButton(SDL_BUTTON_RIGHT);
    p->energy = 8;
    p->update();
    EXPECT_FLOAT_EQ(p->energy, 8);
    p->energy = 100;
    p->update();
    EXPECT_FLOAT_EQ(p->energy, 92);
}

TEST_F(PlayerTest, AimsThroughTheSeamWhenTheCameraLeadsAcrossIt) {
    // The ship sits just left of the right edge and the camera, leading it,
    // has crossed the seam; the mouse is right of the screen centre.
    Player* p = g_game->player;
    p->position = quenth::vec2(4090, 2048);
    Camera2D* cam = g_world->getCamera();
    cam->x = 4150;
    cam->y = 2048;
    cam->zoom = 1;
    setMouse(640 + 300, 360);
    holdButton(SDL_BUTTON_LEFT);
    holdButton(SDL_BUTTON_RIGHT);
    advance(16);
    p->update();
    Plasma* plasma = p->plasma;
    unsigned live = 0;
    for (unsigned i = 0; i < plasma->capacity; ++i) {
        if (plasma->bullets[i].expiry <= quenth::GameClock::currentTime) continue;
        ++live;
        EXPECT_GT(plasma->bullets[i].velocity.x, 700); // to the right, along the seam's far side
    }
    EXPECT_EQ(live, 1u);
    // The beam runs the same way: 1280 units to the right of the ship.
    EXPECT_NEAR(p->laser->beams[0].end.x, 4090 + 1280, 1.0f);
}

TEST_F(PlayerTest, AHitLeavingExactlyZeroKillsAndLivesBringItBack) {
    Player* p = g_game->player;
    p->hull = 30;
    EXPECT_TRUE(p->damage(10));
    EXPECT_FALSE(p->damage(20));
    EXPECT_FLOAT_EQ(p->hull, 0);
    EXPECT_FLOAT_EQ(p->scale, 0);
    // Dead with lives left: out of friends, still updated.
    EXPECT_FALSE(stackContains(g_game->friends, p));
    EXPECT_TRUE(stackContains(g_game->actors, p));
    EXPECT_NEAR(p->respawnPoint.length(), 1920, 0.1f);
    uint32_t died = quenth::GameClock::currentTime;
    quenth::vec2 deathPos = p->position;

    setTime(died + 2000);
    g_game->update();
    EXPECT_FLOAT_EQ(p->position.x, deathPos.x); // still where it died
    EXPECT_EQ(g_game->wave, 0);                 // no waves while dead

    setTime(died + 2500 + 1750);
    g_game->update();
    EXPECT_NEAR(p->position.x, quenth::Math::wrapf(0.5f * (deathPos.x + p->respawnPoint.x), 0, 4096), 1.0f);

    setTime(died + 6000);
    g_game->update();
    EXPECT_EQ(g_game->lives, 2);
    EXPECT_FLOAT_EQ(p->hull, 125);
    EXPECT_TRUE(stackContains(g_game->friends, p));
    EXPECT_FLOAT_EQ(p->respawnTime, 0);
    bool shown = false;
    for (unsigned i = 0; i < g_game->actors.count; ++i) {
        TextIndicator* ti = dynamic_cast<TextIndicator*>(g_game->actors[i]);
        if (ti && strcmp(ti->text->text.getCString(), "2 lives left") == 0) shown = true;
    }
    EXPECT_TRUE(shown);

    // Growing in: hits are ignored, scale runs from 0 to 1 over a second.
    EXPECT_TRUE(p->damage(500));
    EXPECT_FLOAT_EQ(p->hull, 125);
    setTime(died + 6500);
    g_game->update();
    EXPECT_NEAR(p->scale, 0.5f, 1e-3);
    setTime(died + 7001);
    g_game->update();
    EXPECT_FLOAT_EQ(p->scale, 1);
    EXPECT_FALSE(p->damage(125));
}

TEST_F(PlayerTest, TheLastDeathEndsTheGame) {
    Player* p = g_game->player;
    g_game->lives = 0;
    p->damage(1000);
    EXPECT_FALSE(stackContains(g_game->actors, p));
    EXPECT_FALSE(stackContains(g_game->friends, p));
    EXPECT_EQ(p->drawable->parent, nullptr);
    uint32_t died = quenth::GameClock::currentTime;
    advance(16);
    g_game->update();
    EXPECT_FALSE(g_game->playing);
    EXPECT_EQ((void*)g_game->gameOverText->parent, (void*)g_hud);
    EXPECT_FLOAT_EQ(g_game->gameOverText->color.a, 0);
    setTime(died + 16 + 750);
    g_game->update();
    EXPECT_NEAR(g_game->gameOverText->color.a, 0.5f, 1e-4);
    setTime(died + 16 + 1600);
    g_game->update();
    EXPECT_FLOAT_EQ(g_game->gameOverText->color.a, 1);
    // The arena keeps running but no wave starts.
    setTime(died + 100000);
    g_game->update();
    EXPECT_EQ(g_game->wave, 0);
}

TEST_F(PlayerTest, ExhaustOwesNothingForTimeSpentNotFlying) {
    Player* p = g_game->player;
    ParticleSlice* puffs = p->exhaust->defaultSlice;
    auto frames = [&](int n) {
        for (int i = 0; i < n; ++i) {
            advance(16);
            g_game->update();
        }
    };
    // The first frame of a game, thrust held from the start: one frame's worth.
    holdKey(SDLK_d);
    frames(1);
    EXPECT_LE(puffs->count, 2u);

    // Killed while thrusting; thrust held through death, flight and grow-in.
    p->damage(1000);
    puffs->releaseParticles();
    frames(7000 / 16 + 1);
    ASSERT_EQ(p->respawnTime, 0);
    ASSERT_FALSE(p->invulnerableUntil > quenth::GameClock::currentTime);
    EXPECT_LE(puffs->count, 2u);
}

TEST_F(PlayerTest, GlowsPulseWithEnergyAndLayersSpin) {
    Player* p = g_game->player;
    quenth::GameClock::sync = 0.1f;
    setTime(0);
    p->energy = 350;
    p->update();
    EXPECT_EQ(p->topGlow->blendColor.a, 229); // 0.9 x 255
    EXPECT_EQ(p->bottomGlow->blendColor.a, 129);
    EXPECT_FLOAT_EQ(p->bottomSprite->rotation.z, 360 - 16.5f);
    EXPECT_FLOAT_EQ(p->bottomGlow->rotation.z, p->bottomSprite->rotation.z);
    EXPECT_FLOAT_EQ(p->middleSprite->rotation.z, 2);
    EXPECT_FLOAT_EQ(p->topSprite->rotation.z, 0);
    p->energy = 35 - 3.5f; // a tenth after regeneration
    p->update();
    EXPECT_EQ(p->bottomGlow->blendColor.a, 0);
}
