#include "game/weapons/Plasma.h"

Plasma::Plasma() : PlasmaGun(64) {
    damageMin = 5;
    damageMax = 15;
    fireRate = 5;
    energyCost = 2;
    color.r = 128;
    color.g = 113;
    color.b = 255;
    color.a = 255;
    bulletSize = 16;
    cmin = quenth::vec4(0.5f, 0.42f, 1.0f, 0.0f);
    cmax = quenth::vec4(0.9f, 0.3f, 0.1f, 0.0f);
    shotSound = PLASMA_SHOT;
    hitSound = PLASMA_HIT;
}
