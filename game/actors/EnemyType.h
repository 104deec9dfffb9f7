#ifndef VORLANE_GAME_ENEMYTYPE_H
#define VORLANE_GAME_ENEMYTYPE_H

namespace quenth {
class Texture;
}

// One row of the enemy type table: the looks and numbers of one of the seven
// enemy ship types. Every type shares the rest: the sight range, the attack
// range, the gun and the rule that turns the ship to its direction of travel.
struct EnemyType {
    quenth::Texture** bodyTex; // Resources slot of the hull sprite, read when a ship is built
    quenth::Texture** glowTex; // Resources slot of the additive glow sprite
    float side;                // side of both square sprites, world units
    float radius;              // body radius, world units
    float hullBase;            // hull at difficulty 1; times the game's difficulty at spawn
    float scoreBase;           // score at difficulty 1; times the difficulty, truncated
    float maxSpeed;            // speed cap per axis, world units per second
    float dropChance;          // probability 0..1 of leaving a power-up on death
};

// The rows of enemyTypes, in the order in which the waves bring the types in.
enum EnemyTypeId { FIGHTER, FIGHTER2, HAMMERHEAD, PROBE, PROBE2, HAMMERHEAD2, PROBE3, ENEMY_TYPE_COUNT };

// The seven types; the only place their numbers are written.
extern const EnemyType enemyTypes[ENEMY_TYPE_COUNT];

#endif
