#ifndef VORLANE_GAME_PROBE2_H
#define VORLANE_GAME_PROBE2_H

#include "game/actors/Enemy.h"

// Enemy type: 96-unit ship, radius 42, hull 25 and score 175 times the
// game's difficulty, top speed 235, drop chance 0.15.
class Probe2 : public Enemy {
public:
    Group* ship;  // the ship node, owned; the actor's drawable is its drawable part
    Sprite* body; // hull sprite, owned, first child of ship
    Sprite* glow; // additive glow sprite, owned, second child of ship

    Probe2();
    virtual ~Probe2();
    virtual void update();
    virtual void spawn();
};

#endif
