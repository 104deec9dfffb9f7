// The frame-budget benchmark of the play-test driver (vorlane_bot --bench):
// the real game at its window size with the bot playing, timed phase by phase.

#include "tools/bot/Bot.h"

#include "app/Menu.h"
#include "app/Shell.h"
#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Framebuffer.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Texture.h"
#include "engine/math/vec2.h"
#include "game/actors/Player.h"
#include "game/base/Fader.h"
#include "game/base/Globals.h"
#include "game/world/Game.h"
#include "game/world/Starfield.h"
#include "scene/DirectScene2D.h"
#include "scene/Scene2D.h"
#include "scene/Shaders.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL/SDL.h>
#include <cxxabi.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <typeinfo>

#include <algorithm>
#include <cstdio>
#include <vector>

using quenth::Quenth;
using quenth::vec2;

namespace {

// One frame of the benchmark, split into its phases, ms. Every phase ends
// with glFinish so that the GL work lands in the phase that issued it.
struct FrameTimes {
    double total, logic, world, hud, composite;
    unsigned long drawCalls;
    unsigned enemies;
};

// With --fill: the fragments each kind of drawable rasterises, counted by an
// occlusion query round every leaf of the world and the screen layer. The
// queries stall the pipeline, so the frame times of such a run mean nothing.
class FillTable {
public:
    struct Kind {
        const char* name;    // mangled type name, from typeid
        uint64_t fragments;  // summed over the frames kept
        unsigned long draws; // leaves drawn in the frames kept
        uint64_t pending;    // fragments of the frame being drawn
        unsigned long pendingDraws;
    };
    Kind kinds[48];  // the kinds seen so far, in order of first sight
    unsigned count;  // kinds in use
    unsigned frames; // frames counted
    GLuint query;    // the one occlusion query, reused

    FillTable() : count(0), frames(0), query(0) { glGenQueries(1, &query); }
    ~FillTable() { glDeleteQueries(1, &query); }

    void add(const char* name, GLuint fragments) {
        unsigned i = 0;
        while (i < count && kinds[i].name != name) i++;
        if (i == count) {
            if (count == sizeof kinds / sizeof kinds[0]) return;
            kinds[count++] = Kind{name, 0, 0, 0, 0};
        }
        kinds[i].pending += fragments;
        kinds[i].pendingDraws++;
    }

    // The frame just drawn counts (keep) or not (drop: not a measured frame).
    void endFrame(bool keep) {
        for (unsigned i = 0; i < count; i++) {
            if (keep) {
                kinds[i].fragments += kinds[i].pending;
                kinds[i].draws += kinds[i].pendingDraws;
            }
            kinds[i].pending = kinds[i].pendingDraws = 0;
        }
        if (keep) frames++;
    }

    // The scenes' leaf function: the leaf drawn as the walk draws it, inside
    // a query. The name is taken first: a leaf may delete itself in draw().
    static void countLeaf(Drawable* node, SceneState& state, void* user) {
        FillTable* t = static_cast<FillTable*>(user);
        const char* name = typeid(*node).name();
        glBeginQuery(GL_SAMPLES_PASSED, t->query);
        Scene2D::drawLeaf(node, state);
        glEndQuery(GL_SAMPLES_PASSED);
        GLuint n = 0;
        glGetQueryObjectuiv(t->query, GL_QUERY_RESULT, &n);
        t->add(name, n);
    }

    // Per frame, largest first: fragments in screens of the window, draws.
    void print(const char* row) {
        if (frames == 0) return;
        double screen = (double)Quenth::getScreenWidth() * Quenth::getScreenHeight();
        std::sort(kinds, kinds + count,
                  [](Kind const& a, Kind const& b) { return a.fragments > b.fragments; });
        double all = 0;
        for (unsigned i = 0; i < count; i++) all += kinds[i].fragments / screen / frames;
        printf("\n%s: %.2f screens of fragments a frame (the composite, a copy outside the leaves, not "
               "counted)\n",
               row, all);
        printf("| drawable | screens | draws |\n|---|---:|---:|\n");
        for (unsigned i = 0; i < count; i++) {
            int status = 0;
            char* plain = abi::__cxa_demangle(kinds[i].name, nullptr, nullptr, &status);
            printf("| %s | %.3f | %.1f |\n", status == 0 ? plain : kinds[i].name,
                   kinds[i].fragments / screen / frames, (double)kinds[i].draws / frames);
            free(plain);
        }
        printf("\n");
        count = 0;
        frames = 0;
    }
};

// With --leave-out: the leaves of the named classes are not drawn, the rest
// as the walk draws them, so that a row shows what those kinds cost.
unsigned long leftOut[8]; // leaves not drawn, per entry of Options::leaveOut

void drawUnlessLeftOut(Drawable* node, SceneState& state, void* user) {
    Options const* o = static_cast<Options const*>(user);
    // A class outside any namespace is mangled as its name's length, then the name.
    const char* name = typeid(*node).name();
    while (*name >= '0' && *name <= '9') name++;
    for (int i = 0; i < o->leaveOutCount; i++)
        if (!strcmp(name, o->leaveOut[i])) {
            leftOut[i]++;
            return;
        }
    Scene2D::drawLeaf(node, state);
}

// The leaf function and its argument for the benchmark's options: fragments
// counted, kinds left out, or the scenes' own drawing (null).
Scene2D::LeafFunc leafFor(Options const& o, FillTable* fill, void*& user) {
    user = fill ? (void*)fill : (void*)&o;
    if (fill) return FillTable::countLeaf;
    return o.leaveOutCount > 0 ? drawUnlessLeftOut : nullptr;
}

// The world pass of Scene2D::draw() in two timed halves: the tree into the
// framebuffer, then the composite onto the window.
void drawWorldTimed(Scene2D* scene, double& world, double& composite, Scene2D::LeafFunc leaf = nullptr,
                    void* user = nullptr) {
    double t0 = wallSeconds();
    scene->drawWorld(leaf, user);
    glFinish();
    double t1 = wallSeconds();
    scene->composite();
    glFinish();
    world += (t1 - t0) * 1000;
    composite += (wallSeconds() - t1) * 1000;
}

// The frame's end of the bot's shell (swap, fixed clock, the bot's input),
// timed into composite.
void endFrameTimed(double& composite) {
    double t0 = wallSeconds();
    g_shell->endFrame(true);
    glFinish();
    composite += (wallSeconds() - t0) * 1000;
}

// One frame of the GL floor: the sky drawn into the world framebuffer, the
// composite and the swap; the game's clock and input
// are left alone. Returns its length, ms.
double floorFrame(Scene2D* floorScene, FrameTimes* t) {
    FrameTimes local = {};
    FrameTimes& f = t ? *t : local;
    unsigned long calls = g_drawCalls;
    double t0 = wallSeconds();
    drawWorldTimed(floorScene, f.world, f.composite);
    double t1 = wallSeconds();
    SDL_GL_SwapBuffers();
    glFinish();
    f.composite += (wallSeconds() - t1) * 1000;
    f.total = (wallSeconds() - t0) * 1000;
    f.drawCalls = g_drawCalls - calls;
    return f.total;
}

// The yardstick: the least any game has to do for a frame of this window on
// this GL, whatever it draws. The window cleared, one full-screen textured
// quad blended over it, the swap. It does not change when the game's drawing
// does, so the game's rows are read against it.
class Reference {
public:
    quenth::Texture* texture; // window-sized, filled with a pattern once

    Reference() {
        int w = Quenth::getScreenWidth(), h = Quenth::getScreenHeight();
        texture = new quenth::Texture(w, h, 0, GL_TEXTURE_2D, GL_RGBA8);
        std::vector<uint32_t> pixels((size_t)w * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixels[(size_t)y * w + x] = (x & 255) | (y & 255) << 8 | ((x ^ y) & 255) << 16 | 0xc0u << 24;
        texture->bind(GL_TEXTURE0);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }
    ~Reference() { delete texture; }

    // One frame; returns its length, ms.
    double frame(FrameTimes* t) {
        unsigned long calls = g_drawCalls;
        double t0 = wallSeconds();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        texture->bind(GL_TEXTURE0);
        Shaders::texture_shader_fixed->bind();
        Shaders::texture_shader_fixed->setUniform("texture", 0);
        Quenth::fillScreen();
        SDL_GL_SwapBuffers();
        glFinish();
        double total = (wallSeconds() - t0) * 1000;
        if (t) {
            *t = FrameTimes{};
            t->total = t->composite = total;
            t->drawCalls = g_drawCalls - calls;
        }
        return total;
    }
};

double percentile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t i = (size_t)(q * (v.size() - 1) + 0.5);
    return v[i];
}

// One table row. ref and floor are the medians of the reference and floor
// frames measured in the same stretch of time as the row's frames.
void report(const char* name, std::vector<FrameTimes> const& f, double ref, double floor) {
    std::vector<double> total, logic, world, hud, composite, calls, enemies;
    for (auto const& t : f) {
        total.push_back(t.total);
        logic.push_back(t.logic);
        world.push_back(t.world);
        hud.push_back(t.hud);
        composite.push_back(t.composite);
        calls.push_back((double)t.drawCalls);
        enemies.push_back(t.enemies);
    }
    double med = percentile(total, 0.5), p99 = percentile(total, 0.99);
    printf(
        "| %-9s | %7.0f | %6.2f | %6.2f | %6.2f | %5.2fx | %5.2fx | %6.2f | %5.2fx | %6.2f | %6.2f | %6.2f | "
        "%6.2f | %5.0f |\n",
        name, percentile(enemies, 0.5), ref, floor, med, ref > 0 ? med / ref : 1.0,
        floor > 0 ? med / floor : 1.0, p99, ref > 0 ? p99 / ref : 1.0, percentile(logic, 0.5),
        percentile(world, 0.5), percentile(hud, 0.5), percentile(composite, 0.5), percentile(calls, 0.5));
}

} // namespace

// Frame budget: the reference and the floor of this GL, then the bot playing
// waves 1, 10 and 20 with its ship kept whole. Later waves are reached by
// clearing the arena with the game's own kill and setting the wave counter
// one short, so the game starts the wanted wave itself. With --shots DIR the
// frame before each wave's measurement is written as bench_waveN.bmp; the
// clock is fixed, so the same seed always gives the same pictures.
int benchMain(Options const& o) {
    startUp(o);
    const int WARMUP = 60;        // frames of the reference and the floor before their rows
    const uint32_t SETTLE = 4000; // ms between a wave's start and its measurement
    std::vector<FrameTimes> refFrames, floorFrames, waveFrames;
    std::vector<double> refTotals, floorTotals;
    refFrames.reserve(o.samples);
    floorFrames.reserve(o.samples);
    waveFrames.reserve(o.samples);
    refTotals.reserve(o.samples);
    floorTotals.reserve(o.samples);

    printf("| scene     | enemies | ref ms | floor ms | median ms | x ref | x floor | p99 ms | p99 x ref | "
           "logic | "
           "world | HUD | composite | draw calls |\n");
    printf("|-----------|--------:|-------:|-------:|-------:|------:|------:|-------:|------:|-------:|-----"
           "--:|----"
           "---:|-------:|------:|\n");

    // The reference and the floor are measured alone first, frame by frame
    // in turn, then once each after every measured game frame: on a shared machine
    // the load drifts, and each row is read against the reference and the
    // floor of its own stretch of time.
    Reference reference;
    FillTable* fill = o.fill ? new FillTable() : nullptr;
    void* leafUser = nullptr;
    Scene2D::LeafFunc leaf = leafFor(o, fill, leafUser);
    Scene2D* floorScene = new Scene2D(-1, -1);
    floorScene->worldSize = vec2(4096, 4096);
    Starfield* sky = new Starfield(0);
    sky->drawStars = false;
    floorScene->add(sky);
    // The sky moves as it does in play; the game's own time is kept.
    uint32_t gameTime = quenth::GameClock::currentTime;
    for (int i = 0; i < o.samples + WARMUP; ++i) {
        FrameTimes r, f = {};
        reference.frame(&r);
        quenth::GameClock::currentTime = gameTime + 16 * (i + 1);
        floorFrame(floorScene, &f);
        if (i < WARMUP) continue;
        refFrames.push_back(r);
        floorFrames.push_back(f);
        refTotals.push_back(r.total);
        floorTotals.push_back(f.total);
    }
    quenth::GameClock::currentTime = gameTime;
    double ref = percentile(refTotals, 0.5), floor = percentile(floorTotals, 0.5);
    report("reference", refFrames, ref, floor);
    report("floor", floorFrames, ref, floor);
    refTotals.clear();
    floorTotals.clear();

    const int waves[3] = {1, 10, 20};
    int stage = 0;
    uint32_t measureFrom = 0;
    while (runlevel != Shell::EXIT && stage < 3) {
        FrameTimes t = {};
        unsigned long calls = g_drawCalls;
        double t0 = wallSeconds();
        if (g_game && g_game->player->hull > 0) g_game->player->hull = 125;
        bool shotTaken = false;

        // Shell::frame() with each phase timed: the drawing as Shell::draw()
        // does it (no F1 screenshot here), the bot's frame end, the logic and
        // the pages; the bot's shell never sleeps.
        bool drawn = g_shell->mustDraw();
        if (drawn) {
            if (g_world->head)
                drawWorldTimed(g_world, t.world, t.composite, leaf, leafUser);
            else
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
            double t1 = wallSeconds();
            g_hud->draw(leaf, leafUser);
            g_fader->draw();
            glFinish();
            t.hud = (wallSeconds() - t1) * 1000;
            g_shell->redraw = false;
            if (g_menu) g_menu->changed = false;
            if (runlevel == Shell::PLAY && g_game->wave > 0 && measureFrom != 0 &&
                simTime + 16 == measureFrom) {
                char name[24];
                snprintf(name, sizeof name, "bench_wave%d.bmp", waves[stage]);
                shot(o, name);
                shotTaken = true;
            }
            endFrameTimed(t.composite);
        } else {
            g_shell->endFrame(false);
        }
        double t2 = wallSeconds();
        g_shell->updateWorld();
        t.logic = (wallSeconds() - t2) * 1000;
        double t3 = wallSeconds();
        g_shell->updatePages();
        glFinish();
        t.hud += (wallSeconds() - t3) * 1000;
        t.total = (wallSeconds() - t0) * 1000;
        t.drawCalls = g_drawCalls - calls;

        bool playing = runlevel == Shell::PLAY && !g_shell->paused && g_game->wave != 0 && !shotTaken;
        if (playing && measureFrom == 0) measureFrom = simTime + SETTLE;
        bool measured = playing && simTime >= measureFrom;
        if (fill) fill->endFrame(measured && drawn);
        if (!measured) continue;
        t.enemies = g_game->enemies.count;
        waveFrames.push_back(t);
        floorTotals.push_back(floorFrame(floorScene, nullptr));
        refTotals.push_back(reference.frame(nullptr));
        if ((int)waveFrames.size() < o.samples) continue;

        char name[16];
        snprintf(name, sizeof name, "wave %d", waves[stage]);
        report(name, waveFrames, percentile(refTotals, 0.5), percentile(floorTotals, 0.5));
        if (fill) fill->print(name);
        waveFrames.clear();
        floorTotals.clear();
        refTotals.clear();
        if (++stage == 3) break;
        skipToWave(waves[stage]);
        measureFrom = simTime + SETTLE;
    }
    printf("\nframes are ms of wall time at %dx%d, %d a row; logic, world, HUD and composite are medians of "
           "each "
           "phase\n",
           Quenth::getScreenWidth(), Quenth::getScreenHeight(), o.samples);
    for (int i = 0; i < o.leaveOutCount; i++)
        printf("not drawn: %s, %lu leaves%s\n", o.leaveOut[i], leftOut[i],
               leftOut[i] ? "" : " (no drawable of the game has that class name)");
    delete fill;
    Quenth::quit();
    return 0;
}
