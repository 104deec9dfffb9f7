#include "game/weapons/Weapon.h"

#include "engine/core/Quenth.h"
#include "game/actors/Enemy.h"
#include "game/actors/Friend.h"
#include "game/base/Globals.h"
#include "game/weapons/HitTest.h"
#include "game/weapons/RateLimiter.h"
#include "game/world/Game.h"

Weapon::Weapon() : damageMin(0), damageMax(1.0f), fireRate(1.0f), energyCost(1.0f), lastShot(0) {}

Weapon::~Weapon() {}

float Weapon::shoot(quenth::vec2 const&) {
    return limitFireRate(fireRate, energyCost, lastShot);
}

namespace {

// Work buffers of findHit, made at start-up rather than at the first shot,
// so that the first hit in the middle of play allocates nothing.
quenth::Stack<hit_struct> hits(64, false);
quenth::Stack<float> distances(64, false);
quenth::Stack<quenth::vec2> points(128, false);

} // namespace

hit_struct Weapon::findHit(quenth::vec2 const& from, quenth::vec2 const& to, float) {
    return findHitIn(g_game->enemies, from, to, hits, distances, points);
}

void Weapon::update() {}
