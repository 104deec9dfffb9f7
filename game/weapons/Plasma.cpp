#include "game/weapons/Plasma.h"

#include "engine/math/Math.h"

Plasma::Plasma() : PlasmaGun(64), bolts(1), fanAngle(0) {
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

float Plasma::shoot(quenth::vec2 const& direction) {
    float cost = Weapon::shoot(direction);
    if (cost == 0) return 0;
    // The bolts are spread evenly about the aim: one on it when their number is odd.
    for (int b = 0; b < bolts; ++b) {
        float degrees = (b - (bolts - 1) * 0.5f) * fanAngle;
        launch(degrees == 0 ? direction : quenth::Math::rotate(direction, quenth::Math::toRadian(degrees)));
    }
    // One shot sound however many bolts leave together.
    Sounds::playAt(shotSound, quenth::vec2(position.x, position.y));
    return cost;
}
