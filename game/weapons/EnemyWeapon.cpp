#include "game/weapons/EnemyWeapon.h"

#include "game/base/Arena.h"
#include "game/weapons/RateLimiter.h"

EnemyWeapon::EnemyWeapon() : damageMin(0), damageMax(1.0f), fireRate(1.0f), energyCost(1.0f), lastShot(0) {}

EnemyWeapon::~EnemyWeapon() {}

float EnemyWeapon::shoot(quenth::vec2 const&) {
    return limitFireRate(fireRate, energyCost, lastShot);
}

hit_struct EnemyWeapon::findHit(quenth::vec2 const& from, quenth::vec2 const& to, float) {
    return g_arena->hitFriend(from, to);
}

void EnemyWeapon::update() {}
