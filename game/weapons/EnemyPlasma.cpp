#include "game/weapons/EnemyPlasma.h"

#include "game/base/Arena.h"

EnemyPlasma::EnemyPlasma() : PlasmaGun(16) {
    // The chosen difficulty scales what the player feels; Normal keeps 2 to 7 at 0.7 a second.
    damageMin = 2 * g_arena->enemyDamageFactor;
    damageMax = 7 * g_arena->enemyDamageFactor;
    fireRate = 0.7f * g_arena->enemyFireFactor;
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
