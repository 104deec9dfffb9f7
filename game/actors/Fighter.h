#ifndef VORLANE_GAME_FIGHTER_H
#define VORLANE_GAME_FIGHTER_H

#include "game/actors/Enemy.h"

// Enemy type: 96-unit ship, radius 32, hull 30 and score 50 times the
// game's difficulty, top speed 160, drop chance 0.4.
class Fighter : public Enemy {
public:
    Group* ship;  // the ship node, owned; the actor's drawable is its drawable part
    Sprite* body; // hull sprite, owned, first child of ship
    Sprite* glow; // additive glow sprite, owned, second child of ship

    Fighter();
    virtual ~Fighter();
    virtual void update();
    virtual void spawn();
};

#endif
