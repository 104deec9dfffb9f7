#include "game/actors/Hammerhead.h"

#include "engine/math/Math.h"
#include "game/base/Resources.h"
#include "scene/Group.h"
#include "scene/Sprite.h"

Hammerhead::Hammerhead() {
    buildShip(ship, body, glow, Resources::enemy_hammerhead_tex, Resources::enemy_hammerhead_glow_tex, 136);
}

Hammerhead::~Hammerhead() {
    delete body;
    delete glow;
    delete ship;
    drawable = nullptr;
}

void Hammerhead::update() {
    Enemy::update();
    // The art points up; angle() gives 90 for straight up.
    ship->setRotation(quenth::Math::angle(position, position + velocity) + 90);
}

void Hammerhead::spawn() {
    Enemy::spawn();
    setStats(50, 95, 350, 95, 0.7f);
}
