#include "game/weapons/EnemyPlasma.h"

EnemyPlasma::EnemyPlasma() : PlasmaGun(16) {
    damageMin = 2;
    damageMax = 7;
    fireRate = 0.7f;
    energyCost = 1;
    color.r = 25;
    color.g = 255;
    color.b = 50;
    color.a = 255;
    bulletSize = 12;
    cmin = quenth::vec4(0.6f, 0.2f, 0.05f, 1.0f);
    cmax = quenth::vec4(0.9f, 0.3f, 0.1f, 1.0f);
    shotSound = ENEMY_SHOT;
    // A bolt on the player's ship is heard as the ship's own hit.
}
