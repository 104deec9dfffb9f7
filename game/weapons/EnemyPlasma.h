#ifndef VORLANE_GAME_ENEMYPLASMA_H
#define VORLANE_GAME_ENEMYPLASMA_H

#include "game/weapons/EnemyWeapon.h"
#include "game/weapons/PlasmaGun.h"

// The gun of every enemy: plasma bolts at the player's side.
class EnemyPlasma : public PlasmaGun<EnemyWeapon> {
public:
    EnemyPlasma();
};

#endif
