#include "game/weapons/EnemyWeapon.h"

#include "engine/core/Quenth.h"
#include "game/actors/Enemy.h"
#include "game/actors/Friend.h"
#include "game/base/Globals.h"
#include "game/weapons/HitTest.h"
#include "game/weapons/RateLimiter.h"
#include "game/world/Game.h"

EnemyWeapon::EnemyWeapon() : damageMin(0), damageMax(1.0f), fireRate(1.0f), energyCost(1.0f), lastShot(0) {}

EnemyWeapon::~EnemyWeapon() {}

float EnemyWeapon::shoot(quenth::vec2 const&) {
    return limitFireRate(fireRate, energyCost, lastShot);
}

hit_struct EnemyWeapon::findHit(quenth::vec2 const& from, quenth::vec2 const& to, float) {
    static quenth::Stack<hit_struct> hits(64, false);
    static quenth::Stack<float> distances(64, false);
    static quenth::Stack<quenth::vec2> p(128, false);
    return findHitIn(g_game->friends, from, to, hits, distances, p);
}

void EnemyWeapon::update() {}
