#ifndef VORLANE_GAME_ENEMYWEAPON_H
#define VORLANE_GAME_ENEMYWEAPON_H

#include "engine/math/vec2.h"
#include "game/base/hit_struct.h"
#include "scene/Effect.h"

struct SceneState;

// Base of the guns that shoot at the game's friends (the player's side). A gun is an effect in the world
// scene that owns and draws its projectiles; its owner writes the drawable
// position every frame.
class EnemyWeapon : public Effect {
public:
    float damageMin;  // damage of one hit (or per second for the laser), lower bound
    float damageMax;  // upper bound
    float fireRate;   // shots per second; 0 never fires, -1 fires on every call
    float energyCost; // energy one shot costs the shooter
    float lastShot;   // currentTime of the last shot, ms

    EnemyWeapon();
    virtual ~EnemyWeapon();
    virtual void draw(SceneState& state) = 0;
    // The rate limiter: returns the energy spent, 0 when no shot may leave now.
    virtual float shoot(quenth::vec2 const& direction);
    // Segment test against the game's friends (the player's side); radius is not used (each body's own radius
    // is).
    virtual hit_struct findHit(quenth::vec2 const& from, quenth::vec2 const& to, float radius);
    virtual void update();
};

#endif
