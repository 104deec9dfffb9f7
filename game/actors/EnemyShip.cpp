#include "game/actors/EnemyShip.h"

#include "engine/math/Math.h"
#include "game/base/Arena.h"
#include "scene/Group.h"
#include "scene/Sprite.h"

EnemyShip::EnemyShip(EnemyType const& type) : type(type) {
    ship = new Group();
    body = new Sprite(*type.bodyTex, type.side, type.side);
    glow = new Sprite(*type.glowTex, type.side, type.side);
    glow->setDrawMode(DRAW_MODE_ADD);
    ship->add(body);
    ship->add(glow);
    drawable = ship;
}

EnemyShip::~EnemyShip() {
    delete body;
    delete glow;
    delete ship;
    drawable = nullptr;
}

void EnemyShip::update() {
    Enemy::update();
    // The art points up; angle() gives 90 for straight up.
    ship->setRotation(quenth::Math::angle(position, position + velocity) + 90);
}

void EnemyShip::spawn() {
    Enemy::spawn();
    radius = type.radius;
    sightRange = 3000;
    maxSpeed = type.maxSpeed;
    dropChance = type.dropChance;
    hull = g_arena->difficulty * type.hullBase;
    scoreValue = (int)(g_arena->difficulty * type.scoreBase);
}
