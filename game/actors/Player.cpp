#include "game/actors/Player.h"

#include <SDL/SDL.h>

#include <cmath>
#include <cstdio>

#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/math/Math.h"
#include "engine/math/vec3.h"
#include "engine/math/vec4.h"
#include "engine/util/Random.h"
#include "game/actors/ShieldRing.h"
#include "game/actors/TextIndicator.h"
#include "game/base/Arena.h"
#include "game/base/Controls.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "game/base/Sounds.h"
#include "game/base/StackRemove.h"
#include "game/base/WrappedOffset.h"
#include "game/weapons/Laser.h"
#include "game/weapons/Plasma.h"
#include "game/weapons/WeaponLevel.h"
#include "particles/ParticleSystem.h"
#include "scene/DirectScene2D.h"
#include "scene/Group.h"
#include "scene/Scene2D.h"
#include "scene/Sprite.h"
#include "scene/Text.h"

using quenth::vec2;

Player::Player()
    : velocity(0, 0), cameraLead(0, 0), energy(350), maxEnergy(350), energyRegen(35), thrustCost(25),
      cameraLeadMax(vec2(500, 500).length()), speedBoost(false), speedBoostStart(0), speedBoostEnd(0),
      respawnFlightStart(0), respawnTime(0), spawnStart(0), invulnerableUntil(0), deathPosition(0, 0),
      respawnPoint(0, 0), weaponLevel(0), levelPoints(0), hitTime(0), hitAmount(0) {
    radius = 32;
    pickupRadius = 150;
    hull = 125;
    maxHull = 100;
    maxShield = 100;

    exhaust = new ParticleSystem(256);
    exhaust->texture = Resources::proc_particle0_tex;
    exhaust->layer = Arena::particleLayer;
    exhaustEmitter = exhaust->createEmitter(nullptr);
    exhaustEmitter->colorA = quenth::vec4(0.35f, 0.5f, 0.8f, 0.3f);
    exhaustEmitter->colorB = quenth::vec4(0.35f, 0.6f, 1.0f, 0.5f);
    exhaustEmitter->lifeMin = 200;
    exhaustEmitter->lifeMax = 500;
    exhaustEmitter->speedMin = 0;
    exhaustEmitter->speedMax = 50;
    exhaustEmitter->sizeStartMin = 40;
    exhaustEmitter->sizeStartMax = 48;
    exhaustEmitter->sizeEndMin = 0;
    exhaustEmitter->sizeEndMax = 5;
    exhaustEmitter->spread = 50;
    exhaustEmitter->positionSpread = 0;
    exhaustEmitter->rate = 0;
    // Nothing is owed for the time before the ship existed.
    exhaustEmitter->lastEmit = quenth::GameClock::currentTime;
    if (g_world) g_world->add(exhaust->defaultSlice);

    plasma = new Plasma();
    laser = new Laser();
    laser->color.r = 76;
    laser->color.g = 76;
    laser->color.b = 255;
    laser->color.a = 224;

    ship = new Group();
    bottomSprite = new Sprite(Resources::player_bot_tex, 64, 64);
    middleSprite = new Sprite(Resources::player_mid_tex, 64, 64);
    topSprite = new Sprite(Resources::player_top_tex, 64, 64);
    bottomGlow = new Sprite(Resources::player_bot_glow_tex, 60, 60);
    bottomGlow->setDrawMode(DRAW_MODE_ADD);
    bottomGlow->blendColor.a = 107;
    topGlow = new Sprite(Resources::player_top_glow_tex, 72, 72);
    topGlow->setDrawMode(DRAW_MODE_ADD);
    ship->add(bottomSprite);
    ship->add(bottomGlow);
    ship->add(middleSprite);
    ship->add(topSprite);
    ship->add(topGlow);
    shieldRing = new ShieldRing(44, 12, 90, 190, 255);
    ship->add(shieldRing);
    drawable = ship;

    energyText = new Text(Resources::font_big, "Energy: 350");
    energyText->textScale = 15;
    energyText->setHotSpot(TOP_LEFT);
    energyText->position = quenth::vec3(5, 25, 0);
}

Player::~Player() {
    if (g_arena) stackRemove(g_arena->friends, this);
    delete plasma;
    delete laser;
    delete bottomSprite;
    delete middleSprite;
    delete topSprite;
    delete bottomGlow;
    delete topGlow;
    delete shieldRing;
    delete ship;
    delete energyText;
    delete exhaust;
}

void Player::update() {
    float sync = quenth::GameClock::sync;
    float now = (float)quenth::GameClock::currentTime;
    Sounds::listener = position;

    energy = quenth::Math::clampf(energy + energyRegen * sync, 0, maxEnergy);
    static char buf[64];
    snprintf(buf, sizeof buf, "Energy: %i", (int)energy);
    energyText->setText(buf);
    energyText->setHotSpot(TOP_LEFT);

    // Only a thrusting ship feeds the exhaust (fly() sets the rate). It is
    // run in every phase, so that the time spent dead or growing in is not
    // owed as one burst on the first frame of thrust.
    exhaustEmitter->rate = 0;
    if (invulnerableUntil > now) {
        scale = (now - spawnStart) / (invulnerableUntil - spawnStart);
    } else if (respawnTime == 0) {
        fly(sync);
    } else if (respawnTime > now) {
        if (now >= respawnFlightStart) {
            float t = (now - respawnFlightStart) / (respawnTime - respawnFlightStart);
            position = quenth::Math::sin_lerp(t, deathPosition, respawnPoint);
        }
    } else {
        position = respawnPoint;
        spawn();
    }
    exhaust->update();

    laser->update();
    plasma->update();

    if (speedBoost && now >= speedBoostEnd) speedBoost = false;
    float cap = boosting(now) ? topSpeed * boostFactor : topSpeed;
    float speed = velocity.length();
    if (speed > cap) velocity *= cap / speed;

    cameraLead += velocity * 0.0028571428f * velocity.length() * sync;
    cameraLead *= 1 - (cameraLead.length() / cameraLeadMax) * sync;
    float lead = cameraLead.length();
    if (lead > 350) cameraLead *= 350 / lead;

    wrapAndSync();

    float pulse = (float)(now * 0.005);
    int alpha = (int)((energy / maxEnergy) * ((sin((double)pulse) * 0.1 + 0.9) * 255));
    topGlow->blendColor.a = (unsigned char)quenth::Math::clampi(alpha, 0, 255);
    bottomGlow->blendColor.a = (unsigned char)quenth::Math::clampi(alpha - 100, 0, 255);
    // The ring shimmers a little; a full shield shows at about 200 of 255.
    float strength = maxShield > 0 ? quenth::Math::clampf(shield / maxShield, 0, 1) : 0;
    shieldRing->brightness = (unsigned char)(strength * (185 + 30 * sinf(pulse * 1.7f)));

    position += velocity * sync;
    position.x = quenth::Math::wrapf(position.x, 0, g_world->worldSize.x);
    position.y = quenth::Math::wrapf(position.y, 0, g_world->worldSize.y);

    bottomSprite->rotate(-165 * sync);
    bottomGlow->setRotation(bottomSprite->rotation.z);
    middleSprite->rotate(20 * sync);
    ship->markDirty();
}

// Control, thrust, braking, exhaust and firing of a live, grown ship.
void Player::fly(float sync) {
    scale = 1;
    spawnStart = 0;
    invulnerableUntil = 0;
    bool boost = boosting((float)quenth::GameClock::currentTime);
    float acc = 500 * (boost ? boostFactor : 1) * sync, brake = 300 * sync;

    vec2 thrust = g_controls.thrust();
    float dx = thrust.x * acc, dy = thrust.y * acc;

    if (dx != 0 || dy != 0) {
        // Full thrust (a key, or two on a diagonal) costs thrustCost a
        // second; a stick part way, that part of it.
        float cost = thrustCost * sync * fminf(thrust.length(), 1);
        float rest = energy - cost;
        if (rest < 0) {
            // Only what is left is spent, for that share of the thrust.
            float f = energy / cost;
            energy = 0;
            dx *= f;
            dy *= f;
            velocity += vec2(dx, dy);
        } else if (rest > 0) {
            energy = rest;
            velocity += vec2(dx, dy);
        } else {
            energy = 0;
            dx = dy = 0;
        }
    }

    if (dx == 0) velocity.x = velocity.x > 0 ? fmaxf(velocity.x - brake, 0) : fminf(velocity.x + brake, 0);
    if (dy == 0) velocity.y = velocity.y > 0 ? fmaxf(velocity.y - brake, 0) : fminf(velocity.y + brake, 0);

    exhaustEmitter->position = position;
    if (boost && velocity.length() > 40) {
        // A boosted ship leaves a long hot trail, coasting or not.
        exhaustEmitter->rate = 240;
        exhaustEmitter->direction = -velocity;
        exhaustEmitter->colorA = quenth::vec4(1.0f, 0.75f, 0.35f, 0.55f);
        exhaustEmitter->colorB = quenth::vec4(1.0f, 0.95f, 0.7f, 0.8f);
        exhaustEmitter->lifeMax = 800;
    } else {
        exhaustEmitter->colorA = quenth::vec4(0.35f, 0.5f, 0.8f, 0.3f);
        exhaustEmitter->colorB = quenth::vec4(0.35f, 0.6f, 1.0f, 0.5f);
        exhaustEmitter->lifeMax = 500;
        if (dx == 0 && dy == 0) {
            exhaustEmitter->rate = 0;
        } else {
            exhaustEmitter->rate = 100;
            exhaustEmitter->direction = -velocity;
        }
    }

    // The camera leads the ship and may sit across a seam from it: aim at the
    // nearest image of the point under the mouse (or the pad's reticle).
    vec2 aim =
        wrappedOffset(position, g_world->screenToWorld(g_controls.aimFrom(position)), g_world->worldSize);
    plasma->position = quenth::vec3(position.x, position.y, 0);
    if (g_controls.firePlasma() && energy > plasma->energyCost) energy -= plasma->shoot(aim);
    laser->position = quenth::vec3(position.x, position.y, 0);
    if (g_controls.fireLaser() && energy > laser->energyCost) energy -= laser->shoot(aim);
}

bool Player::damage(float amount) {
    float now = (float)quenth::GameClock::currentTime;
    if (invulnerableUntil > now) return true;
    if (amount > 0) {
        hitTime = now;
        hitAmount = amount;
        // A small shake scaled by the hit; a bigger running one (a nuke) goes on.
        g_arena->nudge(120 + amount * 15, 2 + amount * 1.2f);
    }
    float absorbed = quenth::Math::clampf(amount, 0, shield);
    shield -= absorbed;
    amount -= absorbed;
    hull -= amount;
    if (hull > 0) {
        Sounds::play(PLAYER_HIT);
        return true;
    }
    destroy();
    return false;
}

void Player::destroy() {
    static const quenth::vec4 minFireColor(0.6f, 0.2f, 0.05f, 1.0f);
    static const quenth::vec4 maxFireColor(0.9f, 0.3f, 0.1f, 1.0f);
    static const quenth::vec4 minBlueColor(0.1f, 0.1f, 0.7f, 0.87f);
    static const quenth::vec4 maxBlueColor(0.2f, 0.1f, 0.9f, 1.0f);
    float now = (float)quenth::GameClock::currentTime;

    hull = 0;
    // Two radial bursts, as an enemy's (Enemy::destroy), blue and fire.
    float speed = g_rand.randf(9 * radius, 12 * radius);
    unsigned lifeMin = g_rand.randi(1233, 1655);
    unsigned lifeMax = g_rand.randi(2899, 3125);
    g_arena->explosionParticles->emit(g_arena->explosionSlice, 256, lifeMin, lifeMax, position,
                                      (float)(radius * 1.43), 26, 40, 0, 8, vec2(1, 0), 0, speed, 360,
                                      minBlueColor, maxBlueColor);
    speed = g_rand.randf(9 * radius, 12 * radius);
    lifeMin = g_rand.randi(500, 600);
    lifeMax = g_rand.randi(5622, 6234);
    g_arena->explosionParticles->emit(g_arena->explosionSlice, 512, lifeMin, lifeMax, position,
                                      (float)(radius * 1.22), 26, 40, 0, 8, vec2(1, 0), 0, speed, 360,
                                      minFireColor, maxFireColor);
    g_world->add(g_arena->explosionSlice);
    Sounds::play(PLAYER_DEATH);

    scale = 0;
    deathPosition = position;
    // A ship lost costs one weapon level; the next ship flies with the rest.
    setWeaponLevel(weaponLevel - 1);
    if (g_arena->lives > 0) {
        respawnFlightStart = now + 2500;
        respawnTime = respawnFlightStart + 3500;
        float rx = g_rand.randf(-1, 1);
        float ry = g_rand.randf(-1, 1);
        respawnPoint = vec2(rx, ry).normalize() * 1920;
    } else {
        stackRemove(g_arena->friends, this);
        g_arena->removeActor(this);
        drawable->remove();
        // Out of play for good: nothing of ours updates the guns any more.
        plasma->retire();
        laser->retire();
    }
    velocity = vec2(0, 0);
    stackRemove(g_arena->friends, this);
}

void Player::spawn() {
    float now = (float)quenth::GameClock::currentTime;
    scale = 0;
    hull = 125;
    spawnStart = now;
    invulnerableUntil = now + 1000;
    Sounds::play(RESPAWN);

    g_arena->lives -= 1;
    static char buf[64];
    int lives = g_arena->lives;
    if (lives > 1)
        snprintf(buf, sizeof buf, "%i lives left", lives);
    else if (lives == 1)
        snprintf(buf, sizeof buf, "1 life left");
    else
        snprintf(buf, sizeof buf, "Last ship!");
    TextIndicator::announce(buf, 1.5f);

    if (respawnFlightStart - respawnTime != 0) {
        g_arena->friends.push(this);
        respawnFlightStart = 0;
        respawnTime = 0;
    }
}

void Player::addUpgradePoints(int points) {
    if (points <= 0) return;
    levelPoints += points;
    while (weaponLevel < WeaponLevel::top && levelPoints >= WeaponLevel::at(weaponLevel + 1).points) {
        levelPoints -= WeaponLevel::at(weaponLevel + 1).points;
        ++weaponLevel;
    }
    if (weaponLevel == WeaponLevel::top) levelPoints = 0;
    WeaponLevel::apply(weaponLevel, plasma, laser);
}

void Player::setWeaponLevel(int level) {
    weaponLevel = level < 0 ? 0 : level > WeaponLevel::top ? WeaponLevel::top : level;
    levelPoints = 0;
    WeaponLevel::apply(weaponLevel, plasma, laser);
}

bool Player::boosting(float now) const {
    return speedBoost && now >= speedBoostStart && now < speedBoostEnd;
}
