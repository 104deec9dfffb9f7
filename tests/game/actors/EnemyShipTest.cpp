#include "game/actors/EnemyShip.h"
#include "game/base/Resources.h"
#include "scene/Group.h"
#include "scene/GlowSprite.h"
#include "tests/game/GameTestSupport.h"

using EnemyShipTest = GameTest;

// Each type, built and spawned as the waves do, carries the looks and numbers
// of its own row: a mistyped or shifted table entry shows here by name.
TEST_F(EnemyShipTest, EveryTypeSpawnsWithTheLooksAndNumbersOfItsType) {
    g_game->difficulty = 1.5f; // hull x 1.5; score x 1.5, truncated (187.5 -> 187)
    struct Expected {
        const char* name;
        EnemyShip* ship;
        quenth::Texture** body;
        quenth::Texture** glow;
        float side, radius, hull;
        int score;
        float maxSpeed, dropChance;
    };
    const Expected types[] = {
        {"Fighter", new Fighter(), &Resources::enemy_fighter_tex, &Resources::enemy_fighter_glow_tex, 96, 32,
         45, 75, 160, 0.4f},
        {"Fighter2", new Fighter2(), &Resources::enemy_fighter2_tex, &Resources::enemy_fighter2_glow_tex, 136,
         50, 97.5f, 187, 120, 0.55f},
        {"Hammerhead", new Hammerhead(), &Resources::enemy_hammerhead_tex,
         &Resources::enemy_hammerhead_glow_tex, 136, 50, 142.5f, 525, 95, 0.7f},
        {"Probe", new Probe(), &Resources::enemy_probe_tex, &Resources::enemy_probe_glow_tex, 82, 32, 22.5f,
         150, 195, 0.1f},
        {"Probe2", new Probe2(), &Resources::enemy_probe2_tex, &Resources::enemy_probe2_glow_tex, 96, 42,
         37.5f, 262, 235, 0.15f},
        {"Hammerhead2", new Hammerhead2(), &Resources::enemy_hammerhead2_tex,
         &Resources::enemy_hammerhead2_glow_tex, 172, 80, 247.5f, 1125, 65, 0.9f},
        {"Probe3", new Probe3(), &Resources::enemy_probe3_tex, &Resources::enemy_probe3_glow_tex, 116, 42,
         52.5f, 337, 265, 0.2f},
    };
    for (Expected const& t : types) {
        SCOPED_TRACE(t.name);
        EnemyShip* e = t.ship;
        e->spawn();
        EXPECT_EQ(e->type.bodyTex, t.body);
        EXPECT_EQ(e->type.glowTex, t.glow);
        EXPECT_FLOAT_EQ(e->body->size.x, t.side);
        EXPECT_FLOAT_EQ(e->body->size.y, t.side);
        // The hull sprite carries its glow, added over it in the same pass.
        EXPECT_EQ(e->body->texture, *t.body);
        EXPECT_EQ(e->body->glowTexture, *t.glow);
        EXPECT_EQ(e->ship->head, (Drawable*)e->body);
        EXPECT_EQ(e->body->next, nullptr);
        EXPECT_EQ(e->drawable, (Drawable*)e->ship);
        EXPECT_FLOAT_EQ(e->radius, t.radius);
        EXPECT_FLOAT_EQ(e->hull, t.hull);
        EXPECT_EQ(e->scoreValue, t.score);
        EXPECT_FLOAT_EQ(e->maxSpeed, t.maxSpeed);
        EXPECT_FLOAT_EQ(e->dropChance, t.dropChance);
        EXPECT_FLOAT_EQ(e->sightRange, 3000);
        EXPECT_FLOAT_EQ(e->attackRange, 800);
        delete e;
    }
}
