#include "ParticleTestSupport.h"
#include "engine/core/GameClock.h"

#include "scene/Group.h"
#include "scene/Scene2D.h"
#include "tests/support/HeapCounter.h"

#include <cmath>
#include <cstring>
#include <vector>

using quenth::GameClock;
using quenth::vec2;
using quenth::vec4;

namespace {

struct ParticleSystemTest : ::testing::Test {
    void SetUp() override {
        GameClock::currentTime = 10000;
        GameClock::sync = 0.02f;
    }
};

// A slice that reports its destruction.
class WatchedSlice : public ParticleSlice {
public:
    bool* gone;
    WatchedSlice(ParticleSystem* s, bool removeWhenEmpty, bool deleteWhenEmpty, bool* gone)
        : ParticleSlice(s, removeWhenEmpty, deleteWhenEmpty), gone(gone) {}
    ~WatchedSlice() { *gone = true; }
};

TEST_F(ParticleSystemTest, ConstructionSetsPoolAndDefaults) {
    ParticleSystem sys(8);
    EXPECT_EQ(sys.size, 8u);
    EXPECT_EQ(sys.nextParticle, 0u);
    EXPECT_EQ(sys.drawMode, 512u);
    EXPECT_EQ(sys.texture, nullptr);
    ASSERT_NE(sys.defaultSlice, nullptr);
    EXPECT_FALSE(sys.defaultSlice->removeWhenEmpty);
    EXPECT_FALSE(sys.defaultSlice->deleteWhenEmpty);
    EXPECT_EQ(sys.emitters.count, 0u);
    EXPECT_EQ(sys.emitters.capacity, 128u);
    for (unsigned i = 0; i <= 8; ++i) {
        EXPECT_EQ(sys.particles[i].slice, nullptr);
        EXPECT_EQ(sys.particles[i].color.w, 1.0f);
        EXPECT_EQ(sys.particles[i].sizeStart, 16.0f);
        EXPECT_EQ(sys.particles[i].sizeEnd, 16.0f);
    }

    ParticleSlice* s = sys.createSlice(true, false);
    EXPECT_EQ(s->system, &sys);
    EXPECT_EQ(s->getDrawMode(), 0x200u);
    EXPECT_EQ(s->flags & 3u, 3u); // visible and an effect
    EXPECT_TRUE(s->removeWhenEmpty);
    EXPECT_FALSE(s->deleteWhenEmpty);
    delete s;
}

TEST_F(ParticleSystemTest, EmitZeroCountChangesNothing) {
    ParticleSystem sys(16);
    emitSimple(sys, nullptr, 5, vec2(0, 0));
    std::vector<Particle> before(sys.particles, sys.particles + 17);
    unsigned next = sys.nextParticle;
    GameClock::currentTime += 100;
    sys.emit(nullptr, 0, 100, 200, vec2(1, 1), 3, 1, 2, 1, 2, vec2(1, 0), 1, 2, 30, vec4(1, 0, 0, 1),
             vec4(0, 1, 0, 1));
    EXPECT_EQ(sys.nextParticle, next);
    EXPECT_EQ(sys.defaultSlice->count, 5u);
    EXPECT_EQ(std::memcmp(before.data(), sys.particles, sizeof(Particle) * 17), 0);
}

TEST_F(ParticleSystemTest, RingWrapsAndKeepsEverySliceConsistent) {
    ParticleSystem sys(256);
    ParticleSlice* a = sys.createSlice(false, false);
    ParticleSlice* b = sys.createSlice(false, false);
    emitSimple(sys, a, 120, vec2(0, 0));
    GameClock::currentTime += 10;
    emitSimple(sys, b, 100, vec2(0, 0));
    GameClock::currentTime += 10;
    unsigned newest = GameClock::currentTime;
    emitSimple(sys, nullptr, 80, vec2(0, 0)); // 300 in total

    EXPECT_EQ(sys.nextParticle, 44u);
    // The first 44 slots were taken over by the newest emission...
    for (unsigned i = 0; i < 44; ++i) {
        EXPECT_EQ(sys.particles[i].slice, sys.defaultSlice) << i;
        EXPECT_EQ(sys.particles[i].birth, newest) << i;
    }
    // ...the other 36 of it went to the end of the pool.
    for (unsigned i = 220; i < 256; ++i) EXPECT_EQ(sys.particles[i].slice, sys.defaultSlice) << i;
    EXPECT_EQ(a->count, 120u - 44u);
    EXPECT_EQ(b->count, 100u);
    EXPECT_EQ(sys.defaultSlice->count, 80u);
    expectListConsistent(a);
    expectListConsistent(b);
    expectListConsistent(sys.defaultSlice);
    // The spare record is never handed out.
    EXPECT_EQ(sys.particles[256].slice, nullptr);
    delete a;
    delete b;
}

TEST_F(ParticleSystemTest, TakingSlotsMovesParticlesBetweenSlices) {
    ParticleSystem sys(8);
    ParticleSlice* a = sys.createSlice(false, false);
    ParticleSlice* b = sys.createSlice(false, false);
    emitSimple(sys, a, 8, vec2(0, 0));
    emitSimple(sys, b, 3, vec2(0, 0));
    EXPECT_EQ(a->count, 5u);
    EXPECT_EQ(b->count, 3u);
    EXPECT_EQ(a->head, &sys.particles[3]);
    EXPECT_EQ(b->head, &sys.particles[0]);
    EXPECT_EQ(b->tail, &sys.particles[2]);
    expectListConsistent(a);
    expectListConsistent(b);

    // A slot in the middle of a's list (slot 3 is a's head, 5 is inside).
    emitSimple(sys, b, 3, vec2(0, 0));
    EXPECT_EQ(a->count, 2u);
    EXPECT_EQ(a->head, &sys.particles[6]);
    EXPECT_EQ(b->count, 6u);
    expectListConsistent(a);
    expectListConsistent(b);

    // Direct list operations guard against a particle of another slice.
    Particle* ofB = b->head;
    a->unlink(ofB);
    EXPECT_EQ(ofB->slice, b);
    EXPECT_EQ(b->count, 6u);
    a->append(ofB);
    EXPECT_EQ(ofB->slice, a);
    EXPECT_EQ(a->tail, ofB);
    EXPECT_EQ(a->count, 3u);
    EXPECT_EQ(b->count, 5u);
    expectListConsistent(a);
    expectListConsistent(b);

    // Everything back into a, emptying b; re-emitting into the same slice too.
    emitSimple(sys, a, 8, vec2(0, 0));
    emitSimple(sys, a, 3, vec2(0, 0));
    EXPECT_EQ(a->count, 8u);
    EXPECT_EQ(b->count, 0u);
    EXPECT_EQ(b->head, nullptr);
    EXPECT_EQ(b->tail, nullptr);
    expectListConsistent(a);
    delete a;
    delete b;
}

TEST_F(ParticleSystemTest, EmitComputesFlightAndDrawInterpolates) {
    ParticleSystem sys(4);
    BatchCapture capture;
    TestState ts;
    unsigned born = GameClock::currentTime;
    sys.emit(nullptr, 1, 1000, 1000, vec2(10, 10), 0, 16, 16, 8, 8, vec2(5, 0), 100, 100, 0,
             vec4(1, 0.5f, 2, 7), vec4(1, 0.5f, 3, -1));
    Particle& p = sys.particles[0];
    EXPECT_EQ(p.start.x, 10.0f);
    EXPECT_EQ(p.start.y, 10.0f);
    EXPECT_FLOAT_EQ(p.end.x, 110.0f); // the direction is normalised
    EXPECT_FLOAT_EQ(p.end.y, 10.0f);
    EXPECT_EQ(p.birth, born);
    EXPECT_EQ(p.death, born + 1000);
    EXPECT_FLOAT_EQ(p.color.x, 1.0f);
    EXPECT_FLOAT_EQ(p.color.y, 0.5f);
    EXPECT_FLOAT_EQ(p.color.z, 1.0f); // both ends clamped to 1
    EXPECT_EQ(p.color.w, 1.0f);

    GameClock::currentTime = born + 500;
    sys.defaultSlice->draw(ts.state);
    ASSERT_EQ(BatchCapture::callCount, 1u);
    ASSERT_EQ(BatchCapture::calls[0].vertexCount, 4u);
    ParticleSlice::Vertex const* v = BatchCapture::last;
    // Halfway: at (60, 10), half-size lerp(0.5, 16, 8) = 12, half alpha.
    EXPECT_FLOAT_EQ((v[0].x + v[2].x) / 2, 60.0f);
    EXPECT_FLOAT_EQ((v[0].y + v[2].y) / 2, 10.0f);
    EXPECT_FLOAT_EQ(v[0].x, 48.0f);
    EXPECT_FLOAT_EQ(v[0].y, -2.0f);
    EXPECT_FLOAT_EQ(v[1].x, 72.0f);
    EXPECT_FLOAT_EQ(v[1].y, -2.0f);
    EXPECT_FLOAT_EQ(v[2].x, 72.0f);
    EXPECT_FLOAT_EQ(v[2].y, 22.0f);
    EXPECT_FLOAT_EQ(v[3].x, 48.0f);
    EXPECT_FLOAT_EQ(v[3].y, 22.0f);
    // Texture coordinates cover the whole texture (no texture: extents 1).
    EXPECT_EQ(v[0].u, 0.0f);
    EXPECT_EQ(v[0].v, 0.0f);
    EXPECT_EQ(v[1].u, 1.0f);
    EXPECT_EQ(v[2].v, 1.0f);
    EXPECT_EQ(v[3].u, 0.0f);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v[i].r, 255);
        EXPECT_EQ(v[i].g, 127);
        EXPECT_EQ(v[i].b, 255);
        EXPECT_EQ(v[i].a, 127);
    }

    // At the end of its life it is still drawn, fully faded; one ms later it is gone.
    BatchCapture::reset();
    GameClock::currentTime = born + 1000;
    sys.defaultSlice->draw(ts.state);
    ASSERT_EQ(BatchCapture::callCount, 1u);
    EXPECT_EQ(BatchCapture::last[0].a, 0);
    EXPECT_FLOAT_EQ(BatchCapture::last[0].x, 110.0f - 8.0f);
    BatchCapture::reset();
    GameClock::currentTime = born + 1001;
    sys.defaultSlice->draw(ts.state);
    EXPECT_EQ(BatchCapture::callCount, 0u);
    EXPECT_EQ(sys.defaultSlice->count, 0u);
    EXPECT_EQ(p.slice, nullptr);
}

TEST_F(ParticleSystemTest, ZeroLifeAndClockSetBackDrawAsJustBorn) {
    ParticleSystem sys(4);
    BatchCapture capture;
    TestState ts;
    unsigned born = GameClock::currentTime;
    emitSimple(sys, nullptr, 1, vec2(0, 0), vec2(1, 0), 100, 0);
    sys.defaultSlice->draw(ts.state);
    ASSERT_EQ(BatchCapture::callCount, 1u);
    EXPECT_EQ(BatchCapture::last[0].a, 255);
    EXPECT_FLOAT_EQ(BatchCapture::last[0].x, -16.0f);

    emitSimple(sys, nullptr, 1, vec2(0, 0));
    BatchCapture::reset();
    GameClock::currentTime = born - 50;
    sys.defaultSlice->draw(ts.state);
    ASSERT_EQ(BatchCapture::callCount, 1u);
    EXPECT_EQ(BatchCapture::calls[0].vertexCount, 8u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(BatchCapture::last[i].a, 255);
}

TEST_F(ParticleSystemTest, SpreadAndOffsetStayInsideTheirRanges) {
    ParticleSystem sys(512);
    sys.emit(nullptr, 512, 100, 200, vec2(100, 100), 10, 2, 4, 6, 8, vec2(0, -1), 50, 60, 90,
             vec4(0.2f, 0.3f, 0.4f, 1), vec4(0.6f, 0.7f, 0.8f, 1));
    float half = 45.0f * 0.017453292f;
    for (unsigned i = 0; i < 512; ++i) {
        Particle const& p = sys.particles[i];
        vec2 off = p.start - vec2(100, 100);
        EXPECT_LE(off.length(), 10.0f + 1e-3f);
        // The flight repeats the offset, then goes along the cone.
        vec2 along = p.end - p.start - off;
        float dist = along.length();
        EXPECT_GE(dist, 50.0f - 1e-3f);
        EXPECT_LE(dist, 60.0f + 1e-3f);
        float cosAngle = -along.y / dist; // against the direction (0, -1)
        EXPECT_GE(cosAngle, std::cos(half) - 1e-4f);
        EXPECT_GE(p.death, p.birth + 100);
        EXPECT_LT(p.death, p.birth + 200);
        EXPECT_GE(p.sizeStart, 2.0f);
        EXPECT_LE(p.sizeStart, 4.0f);
        EXPECT_GE(p.sizeEnd, 6.0f);
        EXPECT_LE(p.sizeEnd, 8.0f);
        EXPECT_GE(p.color.x, 0.2f);
        EXPECT_LE(p.color.x, 0.6f);
        EXPECT_GE(p.color.z, 0.4f);
        EXPECT_LE(p.color.z, 0.8f);
    }
}

TEST_F(ParticleSystemTest, EmitterAccumulatesTimeUntilAParticleIsDue) {
    ParticleSystem sys(64);
    ParticleSlice* s = sys.createSlice(false, false);
    ParticleEmitter* e = sys.createEmitter(s);
    EXPECT_EQ(e->slice, s);
    EXPECT_EQ(sys.emitters.count, 1u);
    EXPECT_EQ(e->lifeMin, 1000.0f);
    EXPECT_EQ(e->speedMax, 1.0f);
    EXPECT_EQ(e->rate, 0u);

    // Idle: lastEmit follows the clock.
    sys.update();
    EXPECT_EQ(e->lastEmit, 10000u);
    e->rate = 30;
    GameClock::currentTime = 10020; // 30 * 20 ms = 0.6
    sys.update();
    EXPECT_EQ(s->count, 0u);
    EXPECT_EQ(e->lastEmit, 10000u);
    GameClock::currentTime = 10040; // 30 * 40 ms = 1.2
    sys.update();
    EXPECT_EQ(s->count, 1u);
    EXPECT_EQ(e->lastEmit, 10040u);
    GameClock::currentTime = 10060;
    sys.update();
    EXPECT_EQ(s->count, 1u);
    EXPECT_EQ(e->lastEmit, 10040u);

    // Without a slice the emitter feeds the default slice.
    ParticleEmitter* d = sys.createEmitter(nullptr);
    EXPECT_EQ(d->slice, sys.defaultSlice);
    d->rate = 1000;
    d->lastEmit = GameClock::currentTime;
    GameClock::currentTime += 5;
    sys.update();
    EXPECT_EQ(sys.defaultSlice->count, 5u);

    // A long stall emits at most one pool's worth.
    d->lastEmit = 0;
    GameClock::currentTime = 4000000000u;
    sys.update();
    EXPECT_EQ(sys.defaultSlice->count + s->count, 64u);
    expectListConsistent(sys.defaultSlice);

    sys.destroyEmitter(e);
    EXPECT_EQ(sys.emitters.count, 1u);
    EXPECT_EQ(sys.emitters.data[0], d);
    ParticleEmitter* stray = new ParticleEmitter();
    sys.destroyEmitter(stray); // not listed: deleted, list untouched
    EXPECT_EQ(sys.emitters.count, 1u);
    delete s;
}

TEST_F(ParticleSystemTest, DriftMovesEveryEndPoint) {
    ParticleSystem sys(4);
    emitSimple(sys, nullptr, 2, vec2(0, 0), vec2(1, 0), 10);
    sys.drift = vec2(50, -100);
    GameClock::sync = 0.5f;
    sys.update();
    for (unsigned i = 0; i < 2; ++i) {
        EXPECT_FLOAT_EQ(sys.particles[i].end.x, 35.0f);
        EXPECT_FLOAT_EQ(sys.particles[i].end.y, -50.0f);
        EXPECT_FLOAT_EQ(sys.particles[i].start.x, 0.0f);
    }
    EXPECT_FLOAT_EQ(sys.particles[3].end.x, 25.0f); // free slots drift too
}

TEST_F(ParticleSystemTest, EmptySlicesLeaveTheSceneOrDeleteThemselves) {
    ParticleSystem sys(16);
    BatchCapture capture;
    TestState ts;
    TestContainer scene;
    bool removedGone = false, deletedGone = false;
    WatchedSlice* removed = new WatchedSlice(&sys, true, false, &removedGone);
    WatchedSlice* deleted = new WatchedSlice(&sys, false, true, &deletedGone);
    scene.add(removed);
    scene.add(deleted);
    emitSimple(sys, removed, 2, vec2(0, 0), vec2(1, 0), 10, 100);
    emitSimple(sys, deleted, 2, vec2(0, 0), vec2(1, 0), 10, 100);

    // The draw that finds the particles dead empties the slices...
    GameClock::currentTime += 200;
    removed->draw(ts.state);
    deleted->draw(ts.state);
    EXPECT_EQ(BatchCapture::callCount, 0u);
    EXPECT_EQ(removed->count, 0u);
    EXPECT_EQ(scene.count, 2u);
    EXPECT_FALSE(deletedGone);

    // ...the next one acts on it.
    removed->draw(ts.state);
    EXPECT_EQ(removed->parent, nullptr);
    EXPECT_EQ(scene.count, 1u);
    EXPECT_FALSE(removedGone);
    deleted->draw(ts.state);
    EXPECT_TRUE(deletedGone);
    EXPECT_EQ(scene.count, 0u);
    EXPECT_EQ(scene.head, nullptr);
    EXPECT_EQ(BatchCapture::beginCount, 0u);
    EXPECT_EQ(sys.slices.count, 2u); // the default slice and `removed`

    // A removed slice comes back when it gets particles and is added again.
    emitSimple(sys, removed, 1, vec2(0, 0));
    scene.add(removed);
    removed->draw(ts.state);
    EXPECT_EQ(removed->parent, &scene);
    EXPECT_EQ(BatchCapture::callCount, 1u);
    delete removed;
    EXPECT_TRUE(removedGone);
    EXPECT_EQ(scene.count, 0u);
}

// A leaf that counts its draws.
class CountingNode : public Drawable {
public:
    int draws = 0;
    CountingNode() { flags |= DRAWABLE_EFFECT; }
    void draw(SceneState&) override { ++draws; }
};

void drawLeaf(Drawable* node, SceneState& state, void*) {
    node->draw(state);
}

TEST_F(ParticleSystemTest, SlicesLeavingDuringTheSceneWalkDoNotDisturbIt) {
    ParticleSystem sys(16);
    BatchCapture capture;
    TestState ts;
    TestContainer scene;
    quenth::Stack<SceneState> states(128);
    quenth::Stack<Drawable*> pending(128);
    CountingNode first, middle, last, afterGroup;
    Group group;
    bool goneTop = false, goneInGroup = false;
    WatchedSlice* deleting = new WatchedSlice(&sys, false, true, &goneTop);
    WatchedSlice* groupTail = new WatchedSlice(&sys, false, true, &goneInGroup);
    ParticleSlice* removing = sys.createSlice(true, false);
    ParticleSlice* live = sys.createSlice(true, false);
    emitSimple(sys, live, 3, vec2(0, 0));
    scene.add(&first);
    scene.add(deleting);
    scene.add(removing);
    scene.add(&middle);
    scene.add(&group);
    group.add(&last);
    group.add(groupTail); // the group's last child: the walk resumes from its pending sibling
    scene.add(live);
    scene.add(&afterGroup);

    unsigned leaves =
        Scene2D::walk(scene.head, ts.state, states, pending, true, false, false, &drawLeaf, nullptr);
    EXPECT_EQ(leaves, 8u);
    EXPECT_TRUE(goneTop);
    EXPECT_TRUE(goneInGroup);
    EXPECT_EQ(removing->parent, nullptr);
    EXPECT_EQ(first.draws, 1);
    EXPECT_EQ(middle.draws, 1);
    EXPECT_EQ(last.draws, 1);
    EXPECT_EQ(afterGroup.draws, 1);
    EXPECT_EQ(BatchCapture::callCount, 1u); // the live slice
    EXPECT_EQ(scene.count, 5u);
    EXPECT_EQ(group.count, 1u);

    leaves = Scene2D::walk(scene.head, ts.state, states, pending, true, false, false, &drawLeaf, nullptr);
    EXPECT_EQ(leaves, 5u);
    EXPECT_EQ(afterGroup.draws, 2);
    EXPECT_EQ(BatchCapture::callCount, 2u);
    delete removing;
    delete live;
}

TEST_F(ParticleSystemTest, UpdateSizeMeasuresStartAndEndPoints) {
    ParticleSystem sys(8);
    ParticleSlice* s = sys.createSlice(false, false);
    s->flags |= DRAWABLE_DIRTY;
    s->updateSize();
    EXPECT_EQ(s->size.x, 0.0f);
    EXPECT_EQ(s->size.y, 0.0f);
    EXPECT_EQ(s->flags & DRAWABLE_DIRTY, 0u);

    emitSimple(sys, s, 1, vec2(10, 10), vec2(1, 0), 100); // (10, 10) to (110, 10)
    emitSimple(sys, s, 1, vec2(-20, 30), vec2(0, 1), 50); // (-20, 30) to (-20, 80)
    emitSimple(sys, nullptr, 1, vec2(900, 900));          // another slice: not counted
    s->flags |= DRAWABLE_DIRTY;
    s->updateSize();
    EXPECT_FLOAT_EQ(s->size.x, 130.0f);
    EXPECT_FLOAT_EQ(s->size.y, 70.0f);
    EXPECT_FLOAT_EQ(s->hotSpot.x, -65.0f);
    EXPECT_FLOAT_EQ(s->hotSpot.y, -35.0f);
    EXPECT_EQ(s->hotSpot.z, 0.0f);
    EXPECT_EQ(s->flags & DRAWABLE_DIRTY, 0u);
    delete s;
}

TEST_F(ParticleSystemTest, DestroyedSliceHandsItsParticlesBack) {
    ParticleSystem sys(8);
    TestContainer scene;
    ParticleSlice* keep = sys.createSlice(false, false);
    ParticleSlice* doomed = sys.createSlice(true, false);
    scene.add(doomed);
    ParticleEmitter* e = sys.createEmitter(doomed);
    emitSimple(sys, keep, 2, vec2(0, 0));
    emitSimple(sys, doomed, 4, vec2(0, 0)); // slots 2..5, between keep's and the free ones
    emitSimple(sys, keep, 1, vec2(0, 0));   // slot 6
    delete doomed;                          // as an enemy's gun does with sparks still flying

    EXPECT_EQ(scene.count, 0u);
    for (unsigned i = 2; i < 6; ++i) {
        EXPECT_EQ(sys.particles[i].slice, nullptr) << i;
        EXPECT_EQ(sys.particles[i].next, nullptr) << i;
        EXPECT_EQ(sys.particles[i].prev, nullptr) << i;
    }
    EXPECT_EQ(e->slice, nullptr); // the emitter falls back to the default slice
    expectListConsistent(keep);

    // Taking the freed slots later touches no dead slice.
    emitSimple(sys, nullptr, 8, vec2(0, 0));
    EXPECT_EQ(sys.defaultSlice->count, 8u);
    EXPECT_EQ(keep->count, 0u);
    expectListConsistent(sys.defaultSlice);
    e->rate = 100;
    e->lastEmit = GameClock::currentTime;
    GameClock::currentTime += 30;
    sys.update();
    EXPECT_EQ(sys.defaultSlice->count, 8u);
    expectListConsistent(sys.defaultSlice);
    delete keep;
}

TEST_F(ParticleSystemTest, SystemGoneBeforeItsSlices) {
    BatchCapture capture;
    TestState ts;
    TestContainer scene;
    ParticleSystem* sys = new ParticleSystem(8);
    ParticleSlice* s = sys->createSlice(true, false);
    scene.add(sys->defaultSlice);
    scene.add(s);
    emitSimple(*sys, s, 3, vec2(0, 0));
    delete sys;
    // The default slice went with the system; the owner's slice is empty and detached.
    EXPECT_EQ(scene.count, 1u);
    EXPECT_EQ(scene.head, s);
    EXPECT_EQ(s->system, nullptr);
    EXPECT_EQ(s->count, 0u);
    EXPECT_EQ(s->head, nullptr);
    s->draw(ts.state);
    EXPECT_EQ(scene.count, 0u);
    EXPECT_EQ(BatchCapture::callCount, 0u);
    delete s;
}

TEST_F(ParticleSystemTest, EmptyPoolIgnoresEmissionAndUpdates) {
    ParticleSystem sys(0);
    ParticleEmitter* e = sys.createEmitter(nullptr);
    e->rate = 1000;
    sys.drift = vec2(10, 10);
    emitSimple(sys, nullptr, 10, vec2(0, 0));
    GameClock::currentTime += 100;
    sys.update();
    GameClock::currentTime += 100;
    sys.update();
    EXPECT_EQ(sys.nextParticle, 0u);
    EXPECT_EQ(sys.defaultSlice->count, 0u);
    EXPECT_EQ(sys.particles[0].slice, nullptr); // the spare stays free
}

TEST_F(ParticleSystemTest, DeletedDefaultSliceStopsEmissionWithoutASlice) {
    ParticleSystem sys(8);
    ParticleEmitter* e = sys.createEmitter(nullptr);
    delete sys.defaultSlice;
    EXPECT_EQ(sys.defaultSlice, nullptr);
    EXPECT_EQ(e->slice, nullptr);
    emitSimple(sys, nullptr, 3, vec2(0, 0));
    EXPECT_EQ(sys.nextParticle, 0u);
    ParticleSlice* s = sys.createSlice(false, false);
    emitSimple(sys, s, 3, vec2(0, 0));
    EXPECT_EQ(s->count, 3u);
    delete s;
}

TEST_F(ParticleSystemTest, BatchesOf128ParticlesPerViewFromTheLastView) {
    ParticleSystem sys(256);
    BatchCapture capture;
    TestState ts;
    ts.addView(-4096, 0);
    ts.addView(0, 4096);
    emitSimple(sys, nullptr, 129, vec2(0, 0));
    sys.defaultSlice->draw(ts.state);
    EXPECT_EQ(BatchCapture::beginCount, 1u);
    ASSERT_EQ(BatchCapture::callCount, 6u);
    unsigned expectCount[6] = {512, 512, 512, 4, 4, 4};
    float expectX[6] = {0, -4096, 0, 0, -4096, 0};
    float expectY[6] = {4096, 0, 0, 4096, 0, 0};
    for (unsigned i = 0; i < 6; ++i) {
        EXPECT_EQ(BatchCapture::calls[i].vertexCount, expectCount[i]) << i;
        EXPECT_EQ(BatchCapture::calls[i].viewX, expectX[i]) << i;
        EXPECT_EQ(BatchCapture::calls[i].viewY, expectY[i]) << i;
    }

    // Exactly 128 particles: one full batch, no empty flush after it.
    BatchCapture::reset();
    ParticleSlice* s = sys.createSlice(false, false);
    emitSimple(sys, s, 128, vec2(0, 0));
    s->draw(ts.state);
    EXPECT_EQ(BatchCapture::callCount, 3u);
    EXPECT_EQ(BatchCapture::calls[0].vertexCount, 512u);
    delete s;
}

TEST_F(ParticleSystemTest, SteadyEmissionAllocatesNothing) {
    ParticleSystem sys(4096);
    BatchCapture capture;
    TestState ts;
    for (int i = 0; i < 8; ++i) ts.addView(float(i), 0); // nine views: the most a scene passes
    TestContainer scene;
    ParticleSlice* sparks = sys.createSlice(true, false);
    scene.add(sys.defaultSlice);
    scene.add(sparks);
    ParticleEmitter* e = sys.createEmitter(nullptr);
    e->rate = 3000;
    e->spread = 360;
    e->positionSpread = 5;
    sys.drift = vec2(3, 1);

    auto frame = [&](int i) {
        GameClock::currentTime += 16;
        sys.emit(sparks, 192, 500, 1200, vec2(float(i), 0), 20, 26, 40, 0, 8, vec2(0, 0), 0, 300, 360,
                 vec4(1, 0.5f, 0, 1), vec4(1, 1, 0.2f, 1));
        sys.update();
        sys.defaultSlice->draw(ts.state);
        sparks->draw(ts.state);
    };
    for (int i = 0; i < 100; ++i) frame(i);
    EXPECT_GT(BatchCapture::callCount, 0u);
    {
        // The counter sees the storage of a growing Stack.
        HeapScope probe;
        quenth::Stack<int>* volatile grow = new quenth::Stack<int>(1);
        grow->push(1);
        grow->push(2); // storage grows
        EXPECT_EQ((*grow)[1], 2);
        delete grow;
        EXPECT_GE(probe.count(), 3u); // the object, its storage, the grown storage
    }
    HeapScope scope;
    for (int i = 100; i < 400; ++i) frame(i);
    EXPECT_EQ(scope.count(), 0u);
    EXPECT_GT(sparks->count, 2500u);
    sys.destroyEmitter(e);
    delete sparks;
}

} // namespace
