#include "game/base/Arena.h"

#include "engine/core/GameClock.h"
#include "engine/gfx/Framebuffer.h"
#include "game/base/Resources.h"
#include "game/base/StackRemove.h"
#include "particles/ParticleLayer.h"
#include "particles/ParticleSystem.h"
#include "scene/Scene2D.h"

#include <initializer_list>

Arena* g_arena = nullptr;
ParticleLayer* Arena::particleLayer = nullptr;
ParticleLayer* Arena::explosionLayer = nullptr;

Arena::Arena()
    : actors(128), enemies(128), friends(128), powerups(128), player(nullptr), difficulty(1.0f), lives(3),
      enemyDamageFactor(1), enemyFireFactor(1), waveGrowth(1), hullGrowth(1.1), actorRemovals(0) {
    weaponParticles = new ParticleSystem(1024);
    weaponParticles->texture = Resources::proc_particle0_tex;
    weaponParticles->layer = particleLayer;
    explosionParticles = new ParticleSystem(4096);
    explosionParticles->texture = Resources::proc_particle0_tex;
    explosionParticles->layer = explosionLayer;
    explosionSlice = explosionParticles->createSlice(true, false);
    g_arena = this;
}

Arena::~Arena() {
    delete explosionSlice;
    delete weaponParticles;
    delete explosionParticles;
    if (g_arena == this) g_arena = nullptr;
}

void Arena::prepareDrawing(Scene2D* world) {
    if (!particleLayer) particleLayer = new ParticleLayer(2);
    if (!explosionLayer) explosionLayer = new ParticleLayer(4);
    // Placed by hand rather than emitted: the particles' random sequence
    // stays the one every run starts with.
    ParticleSystem sample(4);
    sample.texture = Resources::proc_particle0_tex;
    unsigned now = quenth::GameClock::currentTime;
    Camera2D const* view = world->getCamera();
    for (unsigned i = 0; i < sample.size; i++) {
        Particle& p = sample.particles[i];
        p.color = quenth::vec4(0.9f, 0.3f, 0.1f, 1);
        p.start = p.end = quenth::vec2(view->x + 20.0f * i, view->y);
        p.sizeStart = p.sizeEnd = 30;
        p.birth = now;
        p.death = now + 1000;
        sample.defaultSlice->append(&p);
    }
    world->add(sample.defaultSlice);
    for (ParticleLayer* layer : {particleLayer, explosionLayer}) {
        layer->prepare(world->width, world->height);
        sample.layer = layer;
        world->drawWorld();
    }
    world->remove(sample.defaultSlice);
    // The world pass leaves its framebuffer bound (its composite unbinds it).
    world->framebuffer->unbind();
}

void Arena::removeActor(Actor* a) {
    if (stackRemove(actors, a)) ++actorRemovals;
}
