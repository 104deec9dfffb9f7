#ifndef VORLANE_GAME_FRIEND_H
#define VORLANE_GAME_FRIEND_H

#include "game/base/Actor.h"

class Powerup;

// Base of the ships on the player's side: what enemies hunt, what enemy
// bullets hit and what power-ups fly to. All operations are empty here.
class Friend : public Actor {
public:
    float pickupRadius; // a power-up closer than this flies to this ship, world units
    float hull;         // hit points
    float maxHull;      // value restored by the "Hull restored" power-up
    float shield;       // absorbs damage before the hull; set by the "Shield restored" power-up
    float maxShield;    // value restored by that power-up

    Friend();
    virtual ~Friend();
    virtual void update();
    virtual void powerup(Powerup* p);
    // True while the ship survives (or the hit is ignored).
    virtual bool damage(float amount);
    virtual void spawn();
    virtual void attack();
    virtual void destroy();
};

#endif
