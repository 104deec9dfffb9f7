#include "particles/ParticleSystem.h"

#include "engine/core/GameClock.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Texture.h"
#include "engine/math/Math.h"
#include "particles/ParticleLayer.h"
#include "scene/Container.h"
#include "scene/SceneState.h"
#include "scene/Shaders.h"

#include <GL/gl.h>
#include <cstddef>
#include <cstring>

using quenth::GameClock;
using quenth::mat4;
using quenth::Math;
using quenth::Stack;
using quenth::vec2;
using quenth::vec4;

static_assert(sizeof(ParticleSlice::Vertex) == 32, "the particle vertex layout is shared with GL");
static_assert(offsetof(ParticleSlice::Vertex, u) == 8, "texture coordinates at byte 8");
static_assert(offsetof(ParticleSlice::Vertex, r) == 16, "colour at byte 16");

quenth::Random ParticleSystem::random(static_cast<int>(0xd34db33fu));

ParticleEmitter::ParticleEmitter()
    : colorA(1, 1, 1, 1), colorB(1, 1, 1, 1), position(0, 0), direction(0, 0), lifeMin(1000), lifeMax(1000),
      speedMin(0), speedMax(1), sizeStartMin(16), sizeStartMax(16), sizeEndMin(16), sizeEndMax(16), spread(0),
      positionSpread(0), rate(0), slice(nullptr), lastEmit(0) {}

void (*ParticleSlice::beginBatches)(ParticleSlice*) = &ParticleSlice::glBeginBatches;
void (*ParticleSlice::drawBatch)(ParticleSlice*, mat4 const&, ParticleSlice::Vertex const*,
                                 unsigned int) = &ParticleSlice::glDrawBatch;
void (*ParticleSlice::endBatches)(ParticleSlice*) = &ParticleSlice::glEndBatches;

ParticleSlice::ParticleSlice(ParticleSystem* system, bool removeWhenEmpty, bool deleteWhenEmpty)
    : system(system), head(nullptr), tail(nullptr), count(0), removeWhenEmpty(removeWhenEmpty),
      deleteWhenEmpty(deleteWhenEmpty) {
    if (system) {
        setDrawMode(system->drawMode);
        system->slices.push(this);
    }
    flags |= DRAWABLE_VISIBLE | DRAWABLE_EFFECT;
}

ParticleSlice::~ParticleSlice() {
    releaseParticles();
    if (system) {
        // Emitters bound to this slice fall back to the default slice.
        for (unsigned int i = 0; i < system->emitters.count; ++i)
            if (system->emitters.data[i]->slice == this) system->emitters.data[i]->slice = nullptr;
        if (system->defaultSlice == this) system->defaultSlice = nullptr;
        Stack<ParticleSlice*>& list = system->slices;
        for (unsigned int i = 0; i < list.count; ++i) {
            if (list.data[i] == this) {
                list.data[i] = list.data[list.count - 1];
                --list.count;
                break;
            }
        }
    }
}

void ParticleSlice::append(Particle* p) {
    if (p->slice) p->slice->unlink(p);
    p->slice = this;
    p->next = nullptr;
    p->prev = tail;
    if (tail)
        tail->next = p;
    else
        head = p;
    tail = p;
    ++count;
}

void ParticleSlice::unlink(Particle* p) {
    if (p->slice != this) return;
    if (p->prev)
        p->prev->next = p->next;
    else
        head = p->next;
    if (p->next)
        p->next->prev = p->prev;
    else
        tail = p->prev;
    if (count > 0) --count;
    p->slice = nullptr;
    p->next = nullptr;
    p->prev = nullptr;
}

void ParticleSlice::releaseParticles() {
    Particle* p = head;
    while (p) {
        Particle* next = p->next;
        p->slice = nullptr;
        p->next = nullptr;
        p->prev = nullptr;
        p = next;
    }
    head = nullptr;
    tail = nullptr;
    count = 0;
}

void ParticleSlice::updateSize() {
    if (!head) {
        size.x = 0;
        size.y = 0;
    } else {
        float minX = head->start.x, maxX = minX, minY = head->start.y, maxY = minY;
        for (Particle* p = head; p; p = p->next) {
            float xs[2] = {p->start.x, p->end.x};
            float ys[2] = {p->start.y, p->end.y};
            for (int i = 0; i < 2; ++i) {
                if (xs[i] < minX) minX = xs[i];
                if (xs[i] > maxX) maxX = xs[i];
                if (ys[i] < minY) minY = ys[i];
                if (ys[i] > maxY) maxY = ys[i];
            }
        }
        float w = maxX - minX, h = maxY - minY;
        size.x = Math::abs(w);
        size.y = Math::abs(h);
        hotSpot.x = -w / 2;
        hotSpot.y = -h / 2;
        hotSpot.z = 0;
    }
    flags &= ~DRAWABLE_DIRTY;
}

void ParticleSlice::buildBatches(unsigned int now, Stack<mat4> const& views, Stack<Vertex>& vertices) {
    float u = 1, v = 1;
    if (system && system->texture) {
        u = system->texture->uExtent;
        v = system->texture->vExtent;
    }
    bool begun = false;
    Particle* p = head;
    while (p) {
        Particle* next = p->next;
        if (now > p->death) {
            unlink(p);
            p = next;
            continue;
        }
        // A particle seen before its birth (the clock was set back) or with
        // no life span at all is drawn as just born.
        float t = 0;
        if (p->death > p->birth && now > p->birth)
            t = static_cast<float>(now - p->birth) / static_cast<float>(p->death - p->birth);
        vec2 pos = Math::lerp(t, p->start, p->end);
        float s = Math::lerp(t, p->sizeStart, p->sizeEnd);
        unsigned char r = static_cast<unsigned char>(255 * p->color.x);
        unsigned char g = static_cast<unsigned char>(255 * p->color.y);
        unsigned char b = static_cast<unsigned char>(255 * p->color.z);
        unsigned char alpha = static_cast<unsigned char>((1 - t) * p->color.w * 255);

        Vertex q;
        std::memset(&q, 0, sizeof q);
        q.r = r;
        q.g = g;
        q.b = b;
        q.a = alpha;
        q.x = pos.x - s;
        q.y = pos.y - s;
        q.u = 0;
        q.v = 0;
        vertices.push(q);
        q.x = pos.x + s;
        q.u = u;
        vertices.push(q);
        q.y = pos.y + s;
        q.v = v;
        vertices.push(q);
        q.x = pos.x - s;
        q.u = 0;
        vertices.push(q);

        if (vertices.count >= flushSize) flush(views, vertices, begun);
        p = next;
    }
    if (vertices.count > 0) flush(views, vertices, begun);
    if (begun) endBatches(this);
}

void ParticleSlice::flush(Stack<mat4> const& views, Stack<Vertex>& vertices, bool& begun) {
    // The GL state is set up only for a slice that has something to draw.
    if (!begun) {
        beginBatches(this);
        begun = true;
    }
    for (unsigned int i = views.count; i-- > 0;)
        drawBatch(this, views.data[i], vertices.data, vertices.count);
    vertices.clear();
}

void ParticleSlice::draw(SceneState& state) {
    // Shared by every slice; written before they are read, so not cleared.
    // flushSize is half the vertex capacity: the stack never grows.
    static Stack<mat4> views(8, false);
    static Stack<Vertex> vertices(1024, false);
    views.clear();
    vertices.clear();

    if (!head) {
        head = nullptr;
        tail = nullptr;
        count = 0;
        if (removeWhenEmpty) remove();
        // The renderer took our next sibling before calling draw and touches
        // nothing of ours afterwards, so the slice may go here.
        if (deleteWhenEmpty) delete this;
        return;
    }

    state.viewMatrices(views);

    buildBatches(GameClock::currentTime, views, vertices);
}

// The layer of a slice drawn through one: only additive sums come out the
// same summed apart.
static ParticleLayer* layerOf(ParticleSlice* slice) {
    if (!slice->system || !slice->system->layer) return nullptr;
    return (slice->flags & DRAW_MODE_ADD) && !(slice->flags & DRAW_MODE_BLEND) ? slice->system->layer
                                                                               : nullptr;
}

void ParticleSlice::glBeginBatches(ParticleSlice* slice) {
    if (ParticleLayer* layer = layerOf(slice)) layer->begin();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    if (Shaders::texture_shader_fixed) {
        Shaders::texture_shader_fixed->bind();
        Shaders::texture_shader_fixed->setUniform("texture", 0);
    }
    quenth::Texture* texture = slice->system ? slice->system->texture : nullptr;
    // Without a texture nothing is bound: the particles must not show
    // whatever texture was drawn last.
    if (texture)
        texture->bind(GL_TEXTURE0);
    else
        quenth::Texture::bindNone(GL_TEXTURE0);
}

void ParticleSlice::glDrawBatch(ParticleSlice* slice, mat4 const& view, Vertex const* vertices,
                                unsigned int vertexCount) {
    // A texture without storage (its image failed to load) shows nothing.
    quenth::Texture* texture = slice->system ? slice->system->texture : nullptr;
    if (texture && !texture->hasStorage()) return;
    const char* base = reinterpret_cast<const char*>(vertices);
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), base);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), base + offsetof(Vertex, u));
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), base + offsetof(Vertex, r));
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.m);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(vertexCount));
    // Four corners a particle.
    if (ParticleLayer* layer = layerOf(slice)) layer->cover(view, vertices, vertexCount, sizeof(Vertex), 4);
}

void ParticleSlice::glEndBatches(ParticleSlice* slice) {
    if (ParticleLayer* layer = layerOf(slice)) layer->end();
}

ParticleSystem::ParticleSystem(unsigned int size)
    : particles(new Particle[size + 1]), size(size), emitters(128), texture(nullptr), drift(0, 0),
      defaultSlice(nullptr), drawMode(DRAW_MODE_ADD), layer(nullptr), nextParticle(0), slices(16) {
    for (unsigned int i = 0; i <= size; ++i) {
        Particle& p = particles[i];
        p.slice = nullptr;
        p.next = nullptr;
        p.prev = nullptr;
        p.birth = 0;
        p.death = 0;
        p.color = vec4(1, 1, 1, 1);
        p.start = vec2(0, 0);
        p.end = vec2(0, 0);
        p.sizeStart = 16;
        p.sizeEnd = 16;
    }
    defaultSlice = new ParticleSlice(this, false, false);
}

ParticleSystem::~ParticleSystem() {
    delete defaultSlice;
    // Slices of this system that outlive it are left empty and detached from it.
    for (unsigned int i = 0; i < slices.count; ++i) {
        slices.data[i]->releaseParticles();
        slices.data[i]->system = nullptr;
    }
    slices.clear();
    // Particles of this pool that were emitted into another system's slice.
    for (unsigned int i = 0; i < size; ++i)
        if (particles[i].slice) particles[i].slice->unlink(&particles[i]);
    for (unsigned int i = 0; i < emitters.count; ++i) delete emitters.data[i];
    emitters.clear();
    delete[] particles;
}

ParticleSlice* ParticleSystem::createSlice(bool removeWhenEmpty, bool deleteWhenEmpty) {
    return new ParticleSlice(this, removeWhenEmpty, deleteWhenEmpty);
}

ParticleEmitter* ParticleSystem::createEmitter(ParticleSlice* slice) {
    ParticleEmitter* e = new ParticleEmitter();
    e->slice = slice ? slice : defaultSlice;
    emitters.push(e);
    return e;
}

void ParticleSystem::destroyEmitter(ParticleEmitter* e) {
    for (unsigned int i = 0; i < emitters.count; ++i) {
        if (emitters.data[i] == e) {
            emitters.data[i] = emitters.data[emitters.count - 1];
            --emitters.count;
            break;
        }
    }
    delete e;
}

void ParticleSystem::emit(ParticleSlice* slice, unsigned int count, unsigned int lifeMin,
                          unsigned int lifeMax, vec2 const& position, float positionSpread,
                          float sizeStartMin, float sizeStartMax, float sizeEndMin, float sizeEndMax,
                          vec2 const& direction, float speedMin, float speedMax, float spread,
                          vec4 const& colorA, vec4 const& colorB) {
    if (count == 0) return;
    if (!slice) slice = defaultSlice;
    // An empty pool has no slot to take, and a missing target has nowhere to put one.
    if (size == 0 || !slice) return;
    unsigned int now = GameClock::currentTime;

    vec2 d = direction;
    d.normalize();
    float half = Math::toRadian(spread / 2);
    vec4 ca = colorA;
    vec4 cb = colorB;
    ca.clamp(0, 1);
    cb.clamp(0, 1);

    vec2 offset(0, 0);
    for (unsigned int i = 0; i < count; ++i) {
        if (positionSpread != 0) {
            float ox = random.randf(-1, 1);
            float oy = random.randf(-1, 1);
            vec2 o(ox, oy);
            o.normalize();
            offset = o * random.randf(positionSpread);
        }
        Particle* p = nextParticle < size ? &particles[nextParticle] : &particles[size];

        float b = random.randf(ca.z, cb.z);
        float g = random.randf(ca.y, cb.y);
        float r = random.randf(ca.x, cb.x);
        p->color = vec4(r, g, b, 1);
        p->start = position + offset;
        float speed = random.randf(speedMin, speedMax);
        float angle = random.randf(-half, half);
        p->end = p->start + offset + Math::rotate(d, angle) * speed;
        p->birth = now;
        p->death = static_cast<unsigned int>(
            random.randi(static_cast<int>(now + lifeMin), static_cast<int>(now + lifeMax)));
        p->sizeStart = random.randf(sizeStartMin, sizeStartMax);
        p->sizeEnd = random.randf(sizeEndMin, sizeEndMax);

        nextParticle = (nextParticle + 1) % size;

        slice->append(p); // takes the slot out of the slice that still holds it
    }
}

void ParticleSystem::update() {
    if (drift.length() > 0) {
        vec2 delta = drift * GameClock::sync;
        for (unsigned int i = 0; i < size; ++i) particles[i].end += delta;
    }
    unsigned int now = GameClock::currentTime;
    for (unsigned int i = 0; i < emitters.count; ++i) {
        ParticleEmitter* e = emitters.data[i];
        if (e->rate == 0) {
            e->lastEmit = now;
            continue;
        }
        double due = static_cast<double>(e->rate) * static_cast<double>(now - e->lastEmit) * 0.001;
        // More than a pool's worth in one go would only overwrite itself.
        if (due > size) due = size;
        unsigned int n = static_cast<unsigned int>(due);
        if (n > 0) {
            unsigned int lifeMin = e->lifeMin > 0 ? static_cast<unsigned int>(e->lifeMin) : 0;
            unsigned int lifeMax = e->lifeMax > 0 ? static_cast<unsigned int>(e->lifeMax) : 0;
            emit(e->slice, n, lifeMin, lifeMax, e->position, e->positionSpread, e->sizeStartMin,
                 e->sizeStartMax, e->sizeEndMin, e->sizeEndMax, e->direction, e->speedMin, e->speedMax,
                 e->spread, e->colorA, e->colorB);
            e->lastEmit = now;
        }
    }
}

Model3D::Model3D() {}
Model3D::~Model3D() {}
Object3D::Object3D() {}
Object3D::~Object3D() {}
ParticleEmitter3D::ParticleEmitter3D() {}
ParticleEmitter3D::~ParticleEmitter3D() {}
ParticleSlice3D::ParticleSlice3D() {}
ParticleSlice3D::~ParticleSlice3D() {}
ParticleSystem3D::ParticleSystem3D() {}
ParticleSystem3D::~ParticleSystem3D() {}
