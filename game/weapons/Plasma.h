#ifndef VORLANE_GAME_PLASMA_H
#define VORLANE_GAME_PLASMA_H

#include "game/weapons/PlasmaGun.h"
#include "game/weapons/Weapon.h"

// The player's rapid-fire gun (left mouse button): plasma bolts at the
// enemies. From the second weapon upgrade on one shot fans out into several
// bolts; the rate limit and the energy cost are those of one shot.
class Plasma : public PlasmaGun<Weapon> {
public:
    int bolts;      // bolts per shot, 1 as built
    float fanAngle; // degrees between neighbouring bolts of a shot

    Plasma();
    virtual float shoot(quenth::vec2 const& direction);
};

#endif
