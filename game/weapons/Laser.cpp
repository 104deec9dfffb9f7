#include "game/weapons/Laser.h"

#include <GL/gl.h>

#include "engine/core/GameClock.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Silhouette.h"
#include "engine/gfx/Texture.h"
#include "engine/math/Math.h"
#include "engine/math/mat4.h"
#include "engine/math/vec4.h"
#include "engine/util/Random.h"
#include "engine/util/Stack.h"
#include "game/base/Actor.h"
#include "game/base/Arena.h"
#include "game/base/Controls.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "game/base/Sounds.h"
#include "game/base/WrappedOffset.h"
#include "particles/ParticleSystem.h"
#include "scene/Scene2D.h"
#include "scene/SceneState.h"
#include "scene/Shaders.h"

using quenth::vec2;

Laser::Laser() {
    damageMin = 65;
    damageMax = 85;
    fireRate = 4;
    energyCost = 8;
    muzzleTexture = Resources::proc_particle1_tex;
    tipTexture = Resources::proc_particle1_tex;
    beamTexture = Resources::laser_tex;
    capacity = slotCount;
    beams = new Beam[capacity](); // zero: every slot idle
    hitEmitters = new ParticleEmitter*[capacity];
    hitSlices = new ParticleSlice*[capacity];
    for (uint32_t i = 0; i < capacity; ++i) {
        hitSlices[i] = g_arena->weaponParticles->createSlice(true, false);
        ParticleEmitter* e = g_arena->weaponParticles->createEmitter(hitSlices[i]);
        e->colorA = quenth::vec4(0.6f, 0.2f, 0.05f, 0);
        e->colorB = quenth::vec4(0.9f, 0.3f, 0.1f, 0);
        e->lifeMin = 300;
        e->lifeMax = 450;
        e->speedMin = 5;
        e->speedMax = 90;
        e->sizeEndMin = 5;
        e->sizeEndMax = 8;
        e->spread = 40;
        e->positionSpread = 4;
        e->rate = 0;
        hitEmitters[i] = e;
    }
    cursor = 0;
    color.r = (uint8_t)quenth::Math::clampf(76.5f, 0, 255);
    color.g = (uint8_t)quenth::Math::clampf(76.5f, 0, 255);
    color.b = (uint8_t)quenth::Math::clampf(255, 0, 255);
    color.a = (uint8_t)quenth::Math::clampf(224.4f, 0, 255);
    drawPasses = 4;
    beamWidth = 7.0f;
    drawnOnce = false;
    beamLifetime = 650;
    sizzleAt = 0;
    burnStart = 0;
}

Laser::~Laser() {
    // A burn still heard ends with the gun (a game given up in the middle).
    Sounds::loop(LASER_LOOP, false);
    // The emitters would otherwise go on feeding slices that no longer exist.
    for (uint32_t i = 0; i < capacity; ++i) {
        if (g_arena && g_arena->weaponParticles) g_arena->weaponParticles->destroyEmitter(hitEmitters[i]);
        delete hitSlices[i];
    }
    delete[] beams;
    delete[] hitEmitters;
    delete[] hitSlices;
}

bool Laser::burning(float now) const {
    for (uint32_t i = 0; i < capacity; ++i)
        if (beams[i].expiry > now) return true;
    return false;
}

float Laser::shoot(vec2 const& direction) {
    float cost = Weapon::shoot(direction);
    if (cost == 0) return 0;
    float now = (float)quenth::GameClock::currentTime;
    // Beams overlap while the button is held: one ignition per burn.
    if (!burning(now)) {
        Sounds::play(LASER_START);
        burnStart = now;
    }
    Beam& b = beams[cursor];
    cursor = (cursor + 1) % capacity;
    b.color = color;
    b.width = beamWidth;
    b.start = now;
    b.expiry = now + beamLifetime;
    return cost;
}

void Laser::update() {
    float now = (float)quenth::GameClock::currentTime;
    vec2 origin(position.x, position.y);
    vec2 aim = g_world->screenToWorld(g_controls.aimFrom(origin));
    vec2 dir = wrappedOffset(origin, aim, g_world->worldSize);
    dir.normalize();
    vec2 tip = origin + dir * 1280;
    bool live = false;

    for (uint32_t i = 0; i < capacity; ++i) {
        Beam& b = beams[i];
        if (!(b.expiry > now)) {
            b.end = tip;
            hitEmitters[i]->rate = 0;
            continue;
        }
        live = true;
        hit_struct hit = findHit(origin, tip, b.width);
        b.end = hit.target ? hit.point : tip;
        if (hit.target) {
            Actor* target = hit.target;
            Drawable* body = target->drawable; // read before the hit: a killed target deletes itself
            float amount = g_rand.randf(damageMin, damageMax) * quenth::GameClock::sync;
            if (target->damage(amount)) {
                if (body) hitSlices[i]->insertAfter(body);
                ParticleEmitter* e = hitEmitters[i];
                e->rate = 300;
                e->position = b.end;
                e->direction = origin - b.end;
                e->sizeStartMin = b.width * 5;
                e->sizeStartMax = b.width * 6;
                // The sizzle lasts a little longer than this: back to back, it is one burn.
                if (now >= sizzleAt) {
                    Sounds::playAt(LASER_HIT, b.end);
                    sizzleAt = now + 140;
                }
            }
        } else {
            hitEmitters[i]->rate = 0;
        }
        float f = 1 - (now - b.start) / (b.expiry - b.start);
        b.width = beamWidth * f;
        b.color.a = (uint8_t)(int)(color.a * f);
    }
    // The hum takes over as the ignition fades (it holds for 260 ms).
    Sounds::loop(LASER_LOOP, live && now >= burnStart + 250);
}

void Laser::retire() {
    Weapon::retire();
    for (uint32_t i = 0; i < capacity; ++i) hitEmitters[i]->rate = 0;
}

// Writes the glow of half side h centred on c as triangles over the visible
// polygon of its texture (the whole square without one).
static void pushGlow(quenth::Stack<Laser::Vertex>& out, quenth::Silhouette const* outline, vec2 c, float h,
                     uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    float uv[2 * quenth::Silhouette::SIDES];
    int n = quenth::Silhouette::cornersOf(outline, uv);
    Laser::Vertex fan[quenth::Silhouette::SIDES];
    for (int i = 0; i < n; ++i) {
        float u = uv[2 * i], v = uv[2 * i + 1];
        fan[i] = Laser::Vertex{c.x + (2 * u - 1) * h, c.y + (2 * v - 1) * h, u, v, r, g, b, a};
    }
    for (int i = 1; i + 1 < n; ++i) {
        out.push(fan[0]);
        out.push(fan[i]);
        out.push(fan[i + 1]);
    }
}

void Laser::draw(SceneState& state) {
    // Up to a glow polygon's triangles per beam slot; never grows.
    static quenth::Stack<Vertex> vertices(slotCount * 3 * (quenth::Silhouette::SIDES - 2));
    // One matrix per view rectangle: near a seam the camera may sit across it
    // from the ship, and the beam shows through the rectangle that wraps.
    static quenth::Stack<quenth::mat4> views(8);
    state.viewMatrices(views);
    float now = (float)quenth::GameClock::currentTime;
    vertices.clear();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    Shaders::texture_shader_fixed->bind();
    Shaders::texture_shader_fixed->setUniform("texture", 0);
    glMatrixMode(GL_MODELVIEW);

    vec2 origin(position.x, position.y);
    for (int pass = 0; pass < 3; ++pass) {
        quenth::Texture* tex = pass == 0 ? muzzleTexture : (pass == 1 ? beamTexture : tipTexture);
        // The glows are soft discs in the middle of their square: only the
        // disc's polygon is filled.
        quenth::Silhouette const* outline = pass == 1 ? nullptr : Resources::silhouette(tex);
        if (outline && outline->empty) continue;
        for (uint32_t i = 0; i < capacity; ++i) {
            Beam const& b = beams[i];
            if (!(b.expiry > now)) continue;
            uint8_t r = b.color.r, g = b.color.g, bl = b.color.b, a = b.color.a;
            if (pass == 1) {
                vec2 d = b.end - origin;
                vec2 n = vec2(-d.y, d.x).normalize() * b.width;
                vec2 p0 = origin - n, p1 = origin + n, p2 = b.end + n, p3 = b.end - n;
                Vertex q[4] = {{p0.x, p0.y, 10, 1, r, g, bl, a},
                               {p1.x, p1.y, 10, 0, r, g, bl, a},
                               {p2.x, p2.y, 0, 0, r, g, bl, a},
                               {p3.x, p3.y, 0, 1, r, g, bl, a}};
                for (int k = 0; k < 4; ++k) vertices.push(q[k]);
            } else {
                pushGlow(vertices, outline, pass == 0 ? origin : b.end, 20 * b.width, r, g, bl, a);
            }
        }
        // Until then a pass without beams draws one primitive of no area with
        // the pass's program, blending and texture.
        if (vertices.count == 0 && !drawnOnce) {
            Vertex none = {origin.x, origin.y, 0, 0, 0, 0, 0, 0};
            for (int k = 0; k < (pass == 1 ? 4 : 3); ++k) vertices.push(none);
        }
        if (vertices.count > 0 && quenth::Texture::usable(tex)) {
            const char* base = (const char*)vertices.data;
            glVertexPointer(2, GL_FLOAT, sizeof(Vertex), base);
            glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), base + 8);
            glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), base + 16);
            tex->bind(GL_TEXTURE0);
            for (unsigned v = 0; v < views.count; ++v) {
                glLoadMatrixf(views.data[v].m);
                Shaders::drawAdditive(pass == 1 ? GL_QUADS : GL_TRIANGLES, vertices.count, drawPasses + 1);
            }
        }
        vertices.clear();
    }
    drawnOnce = true;
}
