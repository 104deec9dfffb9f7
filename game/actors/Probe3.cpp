#include "game/actors/Probe3.h"

#include "engine/math/Math.h"
#include "game/base/Resources.h"
#include "scene/Group.h"
#include "scene/Sprite.h"

Probe3::Probe3() {
    buildShip(ship, body, glow, Resources::enemy_probe3_tex, Resources::enemy_probe3_glow_tex, 116);
}

Probe3::~Probe3() {
    delete body;
    delete glow;
    delete ship;
    drawable = nullptr;
}

void Probe3::update() {
    Enemy::update();
    // The art points up; angle() gives 90 for straight up.
    ship->setRotation(quenth::Math::angle(position, position + velocity) + 90);
}

void Probe3::spawn() {
    Enemy::spawn();
    setStats(42, 35, 225, 265, 0.2f);
}
