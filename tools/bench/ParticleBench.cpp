// Particle system cost in explosion-heavy play: every frame a full pool of
// 4096 particles is emitted (16 bursts of 256), the system is updated and the
// slice is drawn. Reports the per-frame cost of emit, update and the slice
// draw, the draw once with the CPU side alone (ageing, dropping the dead and
// building the vertex batches, no GL) and once with GL as well.
//
// Run from the run directory under a display:
//   cd build/run && xvfb-run -a -s "-screen 0 1280x720x24" ../tools/bench/bench_ParticleBench [frames]
// (default 600 frames)

#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "engine/math/mat2.h"
#include "engine/math/mat4.h"
#include "particles/ParticleSystem.h"
#include "scene/SceneState.h"
#include "scene/Shaders.h"
#include "scene/ViewRect.h"

#include <GL/gl.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>

using quenth::GameClock;
using quenth::mat4;
using quenth::Quenth;
using quenth::vec2;
using quenth::vec4;

namespace {

typedef std::chrono::steady_clock Clock;

double microseconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::micro>(b - a).count();
}

void noBegin(ParticleSlice*) {}
void noDraw(ParticleSlice*, mat4 const&, ParticleSlice::Vertex const*, unsigned) {}

struct Totals {
    double emit, update, draw; // microseconds summed over the measured frames
    unsigned long long drawn;  // particles alive at draw time, summed
};

// Runs warmup + frames frames and sums the cost of the measured ones.
Totals run(ParticleSystem& sys, ParticleSlice* slice, SceneState& state, int warmup, int frames, bool gl) {
    Totals t = {0, 0, 0, 0};
    quenth::Random& rnd = ParticleSystem::random;
    for (int f = 0; f < warmup + frames; ++f) {
        GameClock::currentTime += 16;
        GameClock::sync = 0.016f;
        if (gl) glClear(GL_COLOR_BUFFER_BIT);

        Clock::time_point t0 = Clock::now();
        for (int burst = 0; burst < 16; ++burst) {
            vec2 at(rnd.randf(-600, 600), rnd.randf(-330, 330));
            float speed = rnd.randf(9 * 20, 12 * 20);
            sys.emit(slice, 256, 500, 1200, at, 20, 26, 40, 0, 8, vec2(0, 0), 0, speed, 360,
                     vec4(1, 0.3f, 0.05f, 1), vec4(1, 0.8f, 0.3f, 1));
        }
        Clock::time_point t1 = Clock::now();
        sys.update();
        Clock::time_point t2 = Clock::now();
        unsigned alive = slice->count;
        slice->draw(state);
        if (gl) glFinish();
        Clock::time_point t3 = Clock::now();

        if (f >= warmup) {
            t.emit += microseconds(t0, t1);
            t.update += microseconds(t1, t2);
            t.draw += microseconds(t2, t3);
            t.drawn += alive;
        }
    }
    return t;
}

void report(char const* label, Totals const& t, int frames) {
    std::printf("%-34s emit %8.1f us  update %7.1f us  draw %8.1f us  (%llu particles per frame)\n", label,
                t.emit / frames, t.update / frames, t.draw / frames, t.drawn / frames);
}

} // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    if (frames < 1) frames = 1;
    int warmup = 60;

    Quenth::init(1280, 720, "ParticleBench", false, false);
    Shaders::init();

    quenth::Surface disc(128, 128);
    quenth::GfxUtil::drawGradientCircle(&disc, 64, 64, 60, 0x000000, 0xffffff);
    quenth::Texture* texture = new quenth::Texture(&disc);

    ParticleSystem* sys = new ParticleSystem(4096);
    sys->texture = texture;
    sys->drift = vec2(3, 1); // so that update walks the whole pool
    ParticleSlice* slice = sys->createSlice(false, false);

    // The world scene's frame: origin at the window centre, y down.
    mat4 projection = mat4::createOrthoMatrix(-640, 640, -360, 360, -10, 10);
    quenth::Stack<ViewRect> rects(16);
    SceneState state;
    state.viewRects = &rects;
    state.color.r = state.color.g = state.color.b = state.color.a = 255;
    state.projection = &projection;
    state.perspective = &projection;
    state.transform.identity();
    state.modelView.identity();
    state.cameraDelta = quenth::vec3(0, 0, 0);

    glViewport(0, 0, 1280, 720);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection.m);
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);

    std::printf("particle bench: pool 4096, 16 bursts of 256 per frame, %d frames after %d warm-up "
                "(GL runs: a tenth of the frames)\n",
                frames, warmup);
    // Camera in the middle of the world (one view) and near a corner (four views).
    for (int views = 1; views <= 4; views += 3) {
        rects.clear();
        ViewRect r = {-640, -360, 1280, 720, 0, 0};
        rects.push(r);
        for (int i = 1; i < views; ++i) {
            ViewRect o = {-640, -360, 1280, 720, i == 1 ? -4096.0f : 0, i == 2 ? -4096.0f : 0};
            rects.push(o);
        }
        char label[64];

        ParticleSlice::beginBatches = &noBegin;
        ParticleSlice::drawBatch = &noDraw;
        std::snprintf(label, sizeof label, "%d view(s), CPU side only:", views);
        report(label, run(*sys, slice, state, warmup, frames, false), frames);

        ParticleSlice::beginBatches = &ParticleSlice::glBeginBatches;
        ParticleSlice::drawBatch = &ParticleSlice::glDrawBatch;
        // Software GL spends far longer filling the quads; fewer frames suffice.
        int glFrames = frames / 10 > 20 ? frames / 10 : 20;
        std::snprintf(label, sizeof label, "%d view(s), with GL (+glFinish):", views);
        report(label, run(*sys, slice, state, 10, glFrames, true), glFrames);
    }

    delete slice;
    delete sys;
    delete texture;
    Quenth::quit();
    return 0;
}
