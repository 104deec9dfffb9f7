#ifndef VORLANE_GAME_HAMMERHEAD2_H
#define VORLANE_GAME_HAMMERHEAD2_H

#include "game/actors/Enemy.h"

// Enemy type: 172-unit ship, radius 80, hull 165 and score 750 times the
// game's difficulty, top speed 65, drop chance 0.9.
class Hammerhead2 : public Enemy {
public:
    Group* ship;  // the ship node, owned; the actor's drawable is its drawable part
    Sprite* body; // hull sprite, owned, first child of ship
    Sprite* glow; // additive glow sprite, owned, second child of ship

    Hammerhead2();
    virtual ~Hammerhead2();
    virtual void update();
    virtual void spawn();
};

#endif
