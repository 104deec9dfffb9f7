#include "game/weapons/Weapon.h"

#include "game/base/Arena.h"
#include "game/weapons/RateLimiter.h"

Weapon::Weapon()
    : damageMin(0), damageMax(1.0f), fireRate(1.0f), energyCost(1.0f), lastShot(0), retired(false) {}

Weapon::~Weapon() {}

float Weapon::shoot(quenth::vec2 const&) {
    if (retired) return 0;
    return limitFireRate(fireRate, energyCost, lastShot);
}

hit_struct Weapon::findHit(quenth::vec2 const& from, quenth::vec2 const& to, float) {
    if (retired) return hit_struct{nullptr, quenth::vec2(0, 0)};
    return g_arena->hitEnemy(from, to);
}

void Weapon::update() {}

void Weapon::retire() {
    retired = true;
}
