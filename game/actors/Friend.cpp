#include "game/actors/Friend.h"

Friend::Friend() : pickupRadius(75), hull(100), maxHull(100), shield(0), maxShield(0) {}

Friend::~Friend() {}

void Friend::update() {}

void Friend::powerup(Powerup*) {}

bool Friend::damage(float) {
    return true;
}

void Friend::spawn() {}

void Friend::attack() {}

void Friend::destroy() {}
