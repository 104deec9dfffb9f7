#include "game/actors/EnemyShip.h"

#include "engine/math/Math.h"
#include "game/base/Arena.h"
#include "game/base/Resources.h"
#include "scene/GlowSprite.h"
#include "scene/Group.h"
#include "scene/Scene2D.h"

EnemyShip::EnemyShip(EnemyType const& type) : type(type) {
    ship = new Group();
    body = new GlowSprite(*type.bodyTex, *type.glowTex, type.side, type.side);
    // Without the silhouette of either image the whole square is drawn.
    quenth::Silhouette const* hull = Resources::silhouette(*type.bodyTex);
    quenth::Silhouette const* glow = Resources::silhouette(*type.glowTex);
    if (hull && glow) {
        outline = *hull;
        outline.add(*glow);
        body->outline = &outline;
    }
    ship->add(body);
    drawable = ship;
}

EnemyShip::~EnemyShip() {
    delete body;
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

void EnemyShip::prepareDrawing(Scene2D* world) {
    for (EnemyType const& t : enemyTypes) GlowSprite::prepare(*t.bodyTex, *t.glowTex, world->framebuffer);
}
