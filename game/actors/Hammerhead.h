#ifndef VORLANE_GAME_HAMMERHEAD_H
#define VORLANE_GAME_HAMMERHEAD_H

#include "game/actors/Enemy.h"

// Enemy type: 136-unit ship, radius 50, hull 95 and score 350 times the
// game's difficulty, top speed 95, drop chance 0.7.
class Hammerhead : public Enemy {
public:
    Group* ship;  // the ship node, owned; the actor's drawable is its drawable part
    Sprite* body; // hull sprite, owned, first child of ship
    Sprite* glow; // additive glow sprite, owned, second child of ship

    Hammerhead();
    virtual ~Hammerhead();
    virtual void update();
    virtual void spawn();
};

#endif
