#include "game/weapons/PlasmaGun.h"

#include <GL/gl.h>

#include "engine/core/GameClock.h"
#include "engine/gfx/Texture.h"
#include "engine/math/mat4.h"
#include "engine/math/vec4.h"
#include "engine/util/Random.h"
#include "game/base/Actor.h"
#include "game/base/Arena.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "game/weapons/EnemyWeapon.h"
#include "game/weapons/Weapon.h"
#include "particles/ParticleSystem.h"
#include "scene/SceneState.h"
#include "scene/Shaders.h"

template <class Gun>
PlasmaGun<Gun>::PlasmaGun(uint32_t slots) : sparkSlices(slots) {
    capacity = slots;
    bullets = new Bullet[capacity](); // zero: every slot free
    for (uint32_t i = 0; i < capacity; ++i)
        sparkSlices.push(g_arena->weaponParticles->createSlice(true, false));
    texture = Resources::plasmabullet_tex;
    cursor = 0;
    bulletSpeed = 750;
    bulletLifetime = 1500;
    drawPasses = 3;
    shotSound = NO_SOUND;
    hitSound = NO_SOUND;
}

template <class Gun>
PlasmaGun<Gun>::~PlasmaGun() {
    // A deleted slice hands its particles back to the pool.
    for (unsigned i = 0; i < sparkSlices.count; ++i) delete sparkSlices.data[i];
    delete[] bullets;
}

template <class Gun>
float PlasmaGun<Gun>::shoot(quenth::vec2 const& direction) {
    float cost = Gun::shoot(direction);
    if (cost == 0) return 0;
    launch(direction);
    Sounds::playAt(shotSound, quenth::vec2(this->position.x, this->position.y));
    return cost;
}

template <class Gun>
void PlasmaGun<Gun>::launch(quenth::vec2 const& direction) {
    uint32_t now = quenth::GameClock::currentTime;
    uint32_t start = cursor;
    while (!(now >= bullets[cursor].expiry)) {
        cursor = (cursor + 1) % capacity;
        if (cursor == start) growArray();
    }
    Bullet& b = bullets[cursor];
    quenth::vec2 d = direction;
    d.normalize();
    b.velocity = d * bulletSpeed;
    b.position = quenth::vec2(this->position.x, this->position.y);
    b.birth = now;
    b.expiry = now + bulletLifetime;
}

template <class Gun>
void PlasmaGun<Gun>::growArray() {
    for (uint32_t i = 0; i < capacity; ++i)
        sparkSlices.push(g_arena->weaponParticles->createSlice(true, false));
    Bullet* grown = new Bullet[capacity * 2]();
    for (uint32_t i = 0; i < capacity; ++i) grown[i] = bullets[i];
    delete[] bullets;
    bullets = grown;
    capacity *= 2;
}

template <class Gun>
void PlasmaGun<Gun>::update() {
    uint32_t now = quenth::GameClock::currentTime;
    for (uint32_t i = 0; i < capacity; ++i) {
        Bullet& b = bullets[i];
        if (!(now < b.expiry)) continue;
        quenth::vec2 step = b.velocity * quenth::GameClock::sync;
        hit_struct hit = this->findHit(b.position, b.position + step, bulletSize);
        if (hit.target) {
            b.birth = 0;
            b.expiry = 0;
            Actor* target = hit.target;
            // Read before the hit: a killed target deletes itself.
            quenth::vec2 centre = target->position;
            Drawable* body = target->drawable;
            float amount = g_rand.randf(this->damageMin, this->damageMax);
            if (target->damage(amount)) {
                ParticleSlice* slice = sparkSlices.data[i];
                if (body) slice->insertAfter(body);
                g_arena->weaponParticles->emit(slice, 52, 300, 450, hit.point, 1, 10, 16, 4, 6,
                                               hit.point - centre, 5, 85, 60, cmin, cmax);
                Sounds::playAt(hitSound, hit.point);
            }
        }
        b.position += step;
    }
}

template <class Gun>
void PlasmaGun<Gun>::draw(SceneState& state) {
    static quenth::Stack<Vertex> vertices(512);
    static quenth::Stack<quenth::mat4> mstack(8);
    vertices.clear();
    mstack.clear();

    state.viewMatrices(mstack);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);

    uint32_t now = quenth::GameClock::currentTime;
    for (uint32_t i = 0; i < capacity; ++i) {
        Bullet const& b = bullets[i];
        if (!(now < b.expiry)) continue;
        uint8_t a = (uint8_t)(int)(255 - (float)(now - b.birth) / (float)bulletLifetime * 255);
        float s = bulletSize, x = b.position.x, y = b.position.y;
        Vertex q[4] = {{x - s, y - s, 0, 0, color.r, color.g, color.b, a},
                       {x + s, y - s, 1, 0, color.r, color.g, color.b, a},
                       {x + s, y + s, 1, 1, color.r, color.g, color.b, a},
                       {x - s, y + s, 0, 1, color.r, color.g, color.b, a}};
        for (int k = 0; k < 4; ++k) vertices.push(q[k]);
    }
    if (vertices.count == 0 || !quenth::Texture::usable(texture)) return;

    const char* base = (const char*)vertices.data;
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), base);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), base + 8);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), base + 16);
    texture->bind(GL_TEXTURE0);
    glMatrixMode(GL_MODELVIEW);
    for (unsigned i = 0; i < mstack.count; ++i) {
        glLoadMatrixf(mstack.data[i].m);
        Shaders::drawAdditive(GL_QUADS, vertices.count, drawPasses);
    }
}

// The player's gun and the enemies' gun.
template class PlasmaGun<Weapon>;
template class PlasmaGun<EnemyWeapon>;
