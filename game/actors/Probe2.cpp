#include "game/actors/Probe2.h"

#include "engine/math/Math.h"
#include "game/base/Resources.h"
#include "scene/Group.h"
#include "scene/Sprite.h"

Probe2::Probe2() {
    buildShip(ship, body, glow, Resources::enemy_probe2_tex, Resources::enemy_probe2_glow_tex, 96);
}

Probe2::~Probe2() {
    delete body;
    delete glow;
    delete ship;
    drawable = nullptr;
}

void Probe2::update() {
    Enemy::update();
    // The art points up; angle() gives 90 for straight up.
    ship->setRotation(quenth::Math::angle(position, position + velocity) + 90);
}

void Probe2::spawn() {
    Enemy::spawn();
    setStats(42, 25, 175, 235, 0.15f);
}
