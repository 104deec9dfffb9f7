#ifndef VORLANE_GAME_ENEMYPLASMA_H
#define VORLANE_GAME_ENEMYPLASMA_H

#include "game/EnemyWeapon.h"
#include "game/Friend.h"
#include "game/PlasmaGun.h"

// The gun of every enemy: plasma bolts at the player's side.
class EnemyPlasma : public PlasmaGun<EnemyWeapon, Friend> {
public:
    EnemyPlasma();
};

#endif
