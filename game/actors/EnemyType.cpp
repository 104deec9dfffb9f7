#include "game/actors/EnemyType.h"

#include "game/base/Resources.h"

using R = Resources;

// Per row: body and glow texture; sprite side; radius; hull and score at
// difficulty 1; top speed; drop chance.
// clang-format off
const EnemyType enemyTypes[ENEMY_TYPE_COUNT] = {
    {&R::enemy_fighter_tex,     &R::enemy_fighter_glow_tex,      96, 32,  30,  50, 160, 0.4f},  // FIGHTER
    {&R::enemy_fighter2_tex,    &R::enemy_fighter2_glow_tex,    136, 50,  65, 125, 120, 0.55f}, // FIGHTER2
    {&R::enemy_hammerhead_tex,  &R::enemy_hammerhead_glow_tex,  136, 50,  95, 350,  95, 0.7f},  // HAMMERHEAD
    {&R::enemy_probe_tex,       &R::enemy_probe_glow_tex,        82, 32,  15, 100, 195, 0.1f},  // PROBE
    {&R::enemy_probe2_tex,      &R::enemy_probe2_glow_tex,       96, 42,  25, 175, 235, 0.15f}, // PROBE2
    {&R::enemy_hammerhead2_tex, &R::enemy_hammerhead2_glow_tex, 172, 80, 165, 750,  65, 0.9f},  // HAMMERHEAD2
    {&R::enemy_probe3_tex,      &R::enemy_probe3_glow_tex,      116, 42,  35, 225, 265, 0.2f},  // PROBE3
};
// clang-format on
