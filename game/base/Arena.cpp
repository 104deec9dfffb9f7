#include "game/base/Arena.h"

#include "game/base/Resources.h"
#include "game/base/StackRemove.h"
#include "particles/ParticleSystem.h"

Arena* g_arena = nullptr;

Arena::Arena()
    : actors(128), enemies(128), friends(128), powerups(128), player(nullptr), difficulty(1.0f), lives(3),
      enemyDamageFactor(1), enemyFireFactor(1), waveGrowth(1), hullGrowth(1.1), actorRemovals(0) {
    weaponParticles = new ParticleSystem(1024);
    weaponParticles->texture = Resources::proc_particle0_tex;
    weaponParticles->discRadius = Resources::proc_particle0_disc;
    explosionParticles = new ParticleSystem(4096);
    explosionParticles->texture = Resources::proc_particle0_tex;
    explosionParticles->discRadius = Resources::proc_particle0_disc;
    explosionSlice = explosionParticles->createSlice(true, false);
    g_arena = this;
}

Arena::~Arena() {
    delete explosionSlice;
    delete weaponParticles;
    delete explosionParticles;
    if (g_arena == this) g_arena = nullptr;
}

void Arena::removeActor(Actor* a) {
    if (stackRemove(actors, a)) ++actorRemovals;
}
