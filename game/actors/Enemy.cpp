#include "game/actors/Enemy.h"

#include "engine/core/GameClock.h"
#include "engine/math/Math.h"
#include "engine/math/vec3.h"
#include "engine/math/vec4.h"
#include "engine/util/Random.h"
#include "game/actors/Friend.h"
#include "game/actors/Powerup.h"
#include "game/actors/TextIndicator.h"
#include "game/base/Arena.h"
#include "game/base/Globals.h"
#include "game/base/Sounds.h"
#include "game/base/StackRemove.h"
#include "game/base/WrappedOffset.h"
#include "game/weapons/EnemyPlasma.h"
#include "particles/ParticleSystem.h"
#include "scene/Scene2D.h"
#include "scene/Text.h"

using quenth::vec2;

Enemy::Enemy()
    : weapon(new EnemyPlasma()), waypoint(0, 0), velocity(0, 0), maxSpeed(50), hull(0), scoreValue(100),
      spawnStart(0), spawnEnd(0), sightRange(800), attackRange(800), dropChance(0) {
    radius = 100;
}

Enemy::~Enemy() {
    delete weapon;
    if (g_arena) stackRemove(g_arena->enemies, this);
}

// A random point in the arena, drawn from g_rand as x then y.
static vec2 randomWorldPoint() {
    float x = g_rand.randf(0, g_world->worldSize.x);
    float y = g_rand.randf(0, g_world->worldSize.y);
    return vec2(x, y);
}

void Enemy::spawn() {
    g_world->add(weapon);
    hull = 25;
    scoreValue = 100;
    velocity = vec2(0, 0);

    // Keep away from the player's side: up to five tries for a spot at least
    // 1024 units from the nearest friend, measured the short way across the
    // seams; the fifth stands regardless.
    for (int tries = 0; tries < 5; ++tries) {
        position = randomWorldPoint();
        float nearest = 9000;
        for (unsigned i = 0; i < g_arena->friends.count; ++i) {
            float d = wrappedOffset(position, g_arena->friends[i]->position, g_world->worldSize).length();
            if (d < nearest) nearest = d;
        }
        if (nearest >= 1024) break;
    }
    waypoint = randomWorldPoint();

    float now = (float)quenth::GameClock::currentTime;
    spawnStart = now;
    spawnEnd = now + 750;
    if (drawable) {
        drawable->blendColor.a = 0;
        drawable->setScale(0);
        drawable->setVisible(true);
    }
    scale = 0;
}

void Enemy::update() {
    float now = (float)quenth::GameClock::currentTime;
    float sync = quenth::GameClock::sync;

    if (spawnEnd > now) {
        float f = (now - spawnStart) / (spawnEnd - spawnStart);
        if (drawable) drawable->blendColor.a = (unsigned char)(int)(f * 255);
        scale = f;
    } else if (spawnEnd != 0) {
        if (drawable) drawable->blendColor.a = 255;
        scale = 1.0f;
        spawnEnd = 0;
    }

    // Targeting through the nine wrapped images of every friend; the nearest
    // image in sight wins, the first in attack range fires and ends the search.
    // The sight range is wider than half the arena, so several images of one
    // ship are often in sight at once: steering at any but the nearest would
    // hold the enemy off at the distance where two images balance, never
    // reaching the ship.
    bool attacked = false;
    float nearest = sightRange;
    float W = g_world->worldSize.x, H = g_world->worldSize.y;
    for (unsigned i = 0; i < g_arena->friends.count && !attacked; ++i) {
        vec2 f = g_arena->friends[i]->position;
        vec2 images[9] = {vec2(f.x, f.y),         vec2(f.x + W, f.y),     vec2(f.x - W, f.y),
                          vec2(f.x, f.y + H),     vec2(f.x, f.y - H),     vec2(f.x + W, f.y + H),
                          vec2(f.x + W, f.y - H), vec2(f.x - W, f.y + H), vec2(f.x - W, f.y - H)};
        for (int k = 0; k < 9; ++k) {
            float d = (images[k] - position).length();
            if (d < nearest) {
                nearest = d;
                waypoint = images[k];
                if (d < attackRange) {
                    attack();
                    attacked = true;
                    break;
                }
            }
        }
    }

    if (!attacked && (waypoint - position).length() < radius) waypoint = randomWorldPoint();

    vec2 toWaypoint = waypoint - position;
    vec2 a = toWaypoint;
    a.normalize();
    a *= 3 * maxSpeed;
    double d = toWaypoint.length();
    if (d < 0.5 * attackRange) {
        // Too close: back off sideways, which makes the enemy orbit its target.
        a *= -0.5f;
        a = vec2(-a.y, a.x);
    }
    if (d < 0.25 * attackRange) a = vec2(0, 0);

    velocity += a * sync;
    velocity.clamp(-maxSpeed, maxSpeed);
    position += velocity * sync;

    weapon->position = quenth::vec3(position.x, position.y, 0);
    weapon->update();

    wrapAndSync();
}

void Enemy::attack() {
    weapon->shoot(waypoint - position);
}

bool Enemy::damage(float amount) {
    hull -= amount;
    if (hull > 0) return true;

    int value = scoreValue;
    vec2 where = position;
    destroy();
    // The enemy is gone; only the kept values are used from here on.
    TextIndicator* ti = new TextIndicator();
    ti->text->setText(quenth::strInt(value).getCString());
    ti->position = where;
    ti->text->position = quenth::vec3(where.x, where.y, 0);
    g_world->add(ti->text);
    g_arena->actors.push(ti);
    return false;
}

void Enemy::destroy() {
    static const quenth::vec4 minFireColor(0.6f, 0.2f, 0.05f, 1.0f);
    static const quenth::vec4 maxFireColor(0.9f, 0.3f, 0.1f, 1.0f);

    hull = 0;
    // A radial burst: in a 360-degree cone any direction stands for all of
    // them, and each particle flies out up to speed over its life.
    float speed = g_rand.randf(9 * radius, 12 * radius);
    unsigned lifeMin = g_rand.randi(500, 600);
    unsigned lifeMax = g_rand.randi(1000, 1200);
    g_arena->explosionParticles->emit(g_arena->explosionSlice, 192, lifeMin, lifeMax, position, radius, 26,
                                      40, 0, 8, vec2(1, 0), 0, speed, 360, minFireColor, maxFireColor);
    g_world->add(g_arena->explosionSlice);
    // The bigger the wreck, the deeper and longer its blast.
    Sounds::playAt(radius < 45 ? EXPLODE_SMALL : (radius < 70 ? EXPLODE_MEDIUM : EXPLODE_LARGE), position);

    g_arena->addScore(scoreValue);
    g_arena->countKill();

    if (g_rand.randf() - dropChance < 0) {
        Powerup* pu = new Powerup();
        pu->position = position;
        if (pu->drawable && drawable) pu->drawable->insertBefore(drawable);
        g_arena->powerups.push(pu);
        g_arena->actors.push(pu);
    }

    if (drawable) drawable->setVisible(false);
    delete this;
}
