#ifndef VORLANE_GAME_PROBE3_H
#define VORLANE_GAME_PROBE3_H

#include "game/actors/Enemy.h"

// Enemy type: 116-unit ship, radius 42, hull 35 and score 225 times the
// game's difficulty, top speed 265, drop chance 0.2.
class Probe3 : public Enemy {
public:
    Group* ship;  // the ship node, owned; the actor's drawable is its drawable part
    Sprite* body; // hull sprite, owned, first child of ship
    Sprite* glow; // additive glow sprite, owned, second child of ship

    Probe3();
    virtual ~Probe3();
    virtual void update();
    virtual void spawn();
};

#endif
