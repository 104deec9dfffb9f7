#include "game/actors/Hammerhead2.h"

#include "engine/math/Math.h"
#include "game/base/Resources.h"
#include "scene/Group.h"
#include "scene/Sprite.h"

Hammerhead2::Hammerhead2() {
    buildShip(ship, body, glow, Resources::enemy_hammerhead2_tex, Resources::enemy_hammerhead2_glow_tex, 172);
}

Hammerhead2::~Hammerhead2() {
    delete body;
    delete glow;
    delete ship;
    drawable = nullptr;
}

void Hammerhead2::update() {
    Enemy::update();
    // The art points up; angle() gives 90 for straight up.
    ship->setRotation(quenth::Math::angle(position, position + velocity) + 90);
}

void Hammerhead2::spawn() {
    Enemy::spawn();
    setStats(80, 165, 750, 65, 0.9f);
}
