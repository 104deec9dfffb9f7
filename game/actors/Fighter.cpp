#include "game/actors/Fighter.h"

#include "engine/math/Math.h"
#include "game/base/Resources.h"
#include "scene/Group.h"
#include "scene/Sprite.h"

Fighter::Fighter() {
    buildShip(ship, body, glow, Resources::enemy_fighter_tex, Resources::enemy_fighter_glow_tex, 96);
}

Fighter::~Fighter() {
    delete body;
    delete glow;
    delete ship;
    drawable = nullptr;
}

void Fighter::update() {
    Enemy::update();
    // The art points up; angle() gives 90 for straight up.
    ship->setRotation(quenth::Math::angle(position, position + velocity) + 90);
}

void Fighter::spawn() {
    Enemy::spawn();
    setStats(32, 30, 50, 160, 0.4f);
}
