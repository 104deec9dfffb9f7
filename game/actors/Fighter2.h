#ifndef VORLANE_GAME_FIGHTER2_H
#define VORLANE_GAME_FIGHTER2_H

#include "game/actors/Enemy.h"

// Enemy type: 136-unit ship, radius 50, hull 65 and score 125 times the
// game's difficulty, top speed 120, drop chance 0.55.
class Fighter2 : public Enemy {
public:
    Group* ship;  // the ship node, owned; the actor's drawable is its drawable part
    Sprite* body; // hull sprite, owned, first child of ship
    Sprite* glow; // additive glow sprite, owned, second child of ship

    Fighter2();
    virtual ~Fighter2();
    virtual void update();
    virtual void spawn();
};

#endif
