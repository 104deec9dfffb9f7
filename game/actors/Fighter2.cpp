#include "game/actors/Fighter2.h"

#include "engine/math/Math.h"
#include "game/base/Resources.h"
#include "scene/Group.h"
#include "scene/Sprite.h"

Fighter2::Fighter2() {
    buildShip(ship, body, glow, Resources::enemy_fighter2_tex, Resources::enemy_fighter2_glow_tex, 136);
}

Fighter2::~Fighter2() {
    delete body;
    delete glow;
    delete ship;
    drawable = nullptr;
}

void Fighter2::update() {
    Enemy::update();
    // The art points up; angle() gives 90 for straight up.
    ship->setRotation(quenth::Math::angle(position, position + velocity) + 90);
}

void Fighter2::spawn() {
    Enemy::spawn();
    setStats(50, 65, 125, 120, 0.55f);
}
