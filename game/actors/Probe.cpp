#include "game/actors/Probe.h"

#include "engine/math/Math.h"
#include "game/base/Resources.h"
#include "scene/Group.h"
#include "scene/Sprite.h"

Probe::Probe() {
    buildShip(ship, body, glow, Resources::enemy_probe_tex, Resources::enemy_probe_glow_tex, 82);
}

Probe::~Probe() {
    delete body;
    delete glow;
    delete ship;
    drawable = nullptr;
}

void Probe::update() {
    Enemy::update();
    // The art points up; angle() gives 90 for straight up.
    ship->setRotation(quenth::Math::angle(position, position + velocity) + 90);
}

void Probe::spawn() {
    Enemy::spawn();
    setStats(32, 15, 100, 195, 0.1f);
}
