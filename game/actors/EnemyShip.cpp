#include "game/actors/EnemyShip.h"

#include "engine/gfx/Framebuffer.h"
#include "engine/gfx/Texture.h"
#include "engine/math/Math.h"
#include "game/base/Arena.h"
#include "game/base/Resources.h"
#include "scene/GlowSprite.h"
#include "scene/Group.h"
#include "scene/Scene2D.h"

EnemyShip::EnemyShip(EnemyType const& type) : type(type) {
    ship = new Group();
    body = new GlowSprite(*type.bodyTex, *type.glowTex, type.side, type.side);
    if (outlineOf(type, outline)) body->outline = &outline;
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

bool EnemyShip::outlineOf(EnemyType const& type, quenth::Silhouette& out) {
    // Without the silhouette of either image the whole square is drawn.
    quenth::Silhouette const* hull = Resources::silhouette(*type.bodyTex);
    quenth::Silhouette const* glow = Resources::silhouette(*type.glowTex);
    if (!hull || !glow) return false;
    out = *hull;
    out.add(*glow);
    return true;
}

void EnemyShip::prepareDrawing(Scene2D* world) {
    // A ship of each type in the middle of the view, turned as in flight,
    // drawn by the world pass alone: the same nodes, states and outline as in
    // play, so the driver builds here every pipeline a ship will need. The
    // world's image is cleared at the start of every frame.
    static const float turns[2] = {0, 30}; // degrees; an upright square and a turned one rasterise apart
    Camera2D const* view = world->getCamera();
    for (EnemyType const& t : enemyTypes) {
        if (!quenth::Texture::usable(*t.bodyTex)) continue;
        Group sample;
        GlowSprite art(*t.bodyTex, *t.glowTex, t.side, t.side);
        quenth::Silhouette shape;
        if (outlineOf(t, shape)) art.outline = &shape;
        sample.add(&art);
        sample.position = quenth::vec3(view->x, view->y, 0);
        world->add(&sample);
        for (float turn : turns) {
            sample.setRotation(turn);
            world->drawWorld();
        }
        world->remove(&sample);
        sample.remove(&art);
    }
    // The world pass leaves its framebuffer bound (its composite unbinds it).
    world->framebuffer->unbind();
}
