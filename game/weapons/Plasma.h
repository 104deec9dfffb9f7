#ifndef VORLANE_GAME_PLASMA_H
#define VORLANE_GAME_PLASMA_H

#include "game/weapons/PlasmaGun.h"
#include "game/weapons/Weapon.h"

// The player's rapid-fire gun (left mouse button): plasma bolts at the enemies.
class Plasma : public PlasmaGun<Weapon> {
public:
    Plasma();
};

#endif
