#ifndef TESTS_PARTICLES_PARTICLETESTSUPPORT_H
#define TESTS_PARTICLES_PARTICLETESTSUPPORT_H

#include "engine/core/Quenth.h"
#include "engine/math/mat2.h"
#include "engine/math/mat4.h"
#include "engine/util/Stack.h"
#include "particles/ParticleSystem.h"
#include "scene/Container.h"
#include "scene/SceneState.h"
#include "scene/ViewRect.h"

#include <cstring>
#include <gtest/gtest.h>

// Takes the place of the GL backend of ParticleSlice while alive and records
// every batch: how many vertices, under which view matrix, and a copy of the
// vertices of the latest batch. Optionally forwards to the GL backend too.
// Records into fixed arrays so that it allocates nothing itself.
class BatchCapture {
public:
    struct Call {
        ParticleSlice* slice;
        float viewX, viewY; // translation of the view matrix
        unsigned vertexCount;
    };
    static const unsigned maxCalls = 256;

    static inline Call calls[maxCalls];
    static inline unsigned callCount = 0;
    static inline unsigned beginCount = 0;
    static inline ParticleSlice::Vertex last[1024];
    static inline bool forwardToGL = false;

    explicit BatchCapture(bool toGL = false) {
        savedBegin = ParticleSlice::beginBatches;
        savedDraw = ParticleSlice::drawBatch;
        ParticleSlice::beginBatches = &begin;
        ParticleSlice::drawBatch = &draw;
        forwardToGL = toGL;
        reset();
    }
    ~BatchCapture() {
        ParticleSlice::beginBatches = savedBegin;
        ParticleSlice::drawBatch = savedDraw;
    }
    static void reset() {
        callCount = 0;
        beginCount = 0;
    }

private:
    void (*savedBegin)(ParticleSlice*);
    void (*savedDraw)(ParticleSlice*, quenth::mat4 const&, ParticleSlice::Vertex const*, unsigned);

    static void begin(ParticleSlice* slice) {
        ++beginCount;
        if (forwardToGL) ParticleSlice::glBeginBatches(slice);
    }
    static void draw(ParticleSlice* slice, quenth::mat4 const& view, ParticleSlice::Vertex const* v,
                     unsigned n) {
        if (callCount < maxCalls) {
            Call& c = calls[callCount];
            c.slice = slice;
            c.viewX = view.m[12];
            c.viewY = view.m[13];
            c.vertexCount = n;
        }
        ++callCount;
        std::memcpy(last, v, sizeof(ParticleSlice::Vertex) * (n < 1024 ? n : 1024));
        if (forwardToGL) ParticleSlice::glDrawBatch(slice, view, v, n);
    }
};

// The record a scene passes to draw(SceneState&): identity transform and the
// given view offsets.
class TestState {
public:
    quenth::Stack<ViewRect> rects;
    quenth::mat4 projection;
    SceneState state;

    TestState() : rects(16) {
        projection.identity();
        state.viewRects = &rects;
        state.color.r = state.color.g = state.color.b = state.color.a = 255;
        state.projection = &projection;
        state.perspective = &projection;
        state.transform.identity();
        state.modelView.identity();
        state.cameraDelta = quenth::vec3(0, 0, 0);
        addView(0, 0);
    }
    void addView(float offsetX, float offsetY) {
        ViewRect r;
        r.x = -640;
        r.y = -360;
        r.w = 1280;
        r.h = 720;
        r.offsetX = offsetX;
        r.offsetY = offsetY;
        rects.push(r);
    }
};

// A container for slices to live in, as a scene would hold them.
class TestContainer : public Container {
public:
    ~TestContainer() {}
};

// Checks that a slice's list agrees with its count and with itself.
inline void expectListConsistent(ParticleSlice const* s) {
    unsigned n = 0;
    Particle const* prev = nullptr;
    for (Particle const* p = s->head; p; p = p->next) {
        EXPECT_EQ(p->slice, s);
        EXPECT_EQ(p->prev, prev);
        prev = p;
        if (++n > 100000) break;
    }
    EXPECT_EQ(s->tail, prev);
    EXPECT_EQ(s->count, n);
}

// Emits count particles that fly from `from` along `dir` for life ms.
inline void emitSimple(ParticleSystem& sys, ParticleSlice* slice, unsigned count, quenth::vec2 from,
                       quenth::vec2 dir = quenth::vec2(1, 0), float speed = 100, unsigned life = 1000) {
    sys.emit(slice, count, life, life, from, 0, 16, 16, 8, 8, dir, speed, speed, 0, quenth::vec4(1, 1, 1, 1),
             quenth::vec4(1, 1, 1, 1));
}

#endif
