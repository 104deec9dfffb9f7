// game/actors: what lives in the arena: the enemies and their type table, the player, the
// power-ups and the floating texts.
// Folders build one way, base <- settings <- scores <- weapons <- actors <- hud <- world: a file includes only its
// own folder and those before it (tests/game/LayoutTest checks this).
#ifndef VORLANE_GAME_ENEMY_H
#define VORLANE_GAME_ENEMY_H

#include "engine/math/vec2.h"
#include "game/base/Actor.h"

class EnemyWeapon;

// Base of the enemy ships (EnemyShip and its seven types): wanders the
// wrapping world, hunts and orbits any friend in sight, fires its gun within
// attack range, and explodes when its hull is shot away. Lives in the game's
// `actors` and `enemies`.
class Enemy : public Actor {
public:
    EnemyWeapon* weapon;   // the gun, owned (an EnemyPlasma)
    quenth::vec2 waypoint; // point steered towards; also the aim point of attack()
    quenth::vec2 velocity; // world units per second
    float maxSpeed;        // speed cap per axis, units per second; thrust is 3 x maxSpeed
    float hull;            // hit points; dead at 0 or below
    int scoreValue;        // points paid on death
    float spawnStart;      // start of the fade-in, ms
    float spawnEnd;        // end of the fade-in, ms; 0 once it has finished
    float sightRange;      // a friend closer than this becomes the waypoint, world units
    float attackRange;     // a friend closer than this is fired at, world units
    float dropChance;      // probability 0..1 of leaving a power-up on death

    Enemy();
    // Deletes the gun and leaves the game's lists.
    virtual ~Enemy();
    virtual void update();
    // True while the enemy survives; false when this hit destroyed (and deleted) it.
    virtual bool damage(float amount);
    virtual void spawn();
    virtual void attack();
    // Explosion, score, possible power-up; deletes the enemy.
    virtual void destroy();
};

#endif
