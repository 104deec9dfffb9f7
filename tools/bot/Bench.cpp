// The frame-budget benchmark of the play-test driver (vorlane_bot --bench):
// the real game at its window size with the bot playing, timed phase by phase.

#include "tools/bot/Bot.h"

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

#include <GL/gl.h>
#include <SDL/SDL.h>

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

// The world pass of Scene2D::draw() in two timed halves: the tree into the
// framebuffer, then the composite onto the window. Kept step for step with it.
void drawWorldTimed(Scene2D* scene, double& world, double& composite) {
    double t0 = wallSeconds();
    scene->framebuffer->bind();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    scene->render();
    glFinish();
    double t1 = wallSeconds();
    scene->framebuffer->unbind();
    scene->colorTextures[0]->bind(GL_TEXTURE0);
    Shaders::texture_shader_fixed->bind();
    Shaders::texture_shader_fixed->setUniform("texture", 0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    Quenth::fillScreen();
    glFinish();
    world += (t1 - t0) * 1000;
    composite += (wallSeconds() - t1) * 1000;
}

// The swap and the clock of endFrame(), timed into composite.
void endFrameTimed(double& composite) {
    double t0 = wallSeconds();
    endFrame();
    glFinish();
    composite += (wallSeconds() - t0) * 1000;
}

// One frame of the GL floor: the window cleared, the sky drawn into the
// world framebuffer, the composite and the swap; the game's clock and input
// are left alone. Returns its length, ms.
double floorFrame(Scene2D* floorScene, FrameTimes* t) {
    FrameTimes local = {};
    FrameTimes& f = t ? *t : local;
    unsigned long calls = g_drawCalls;
    double t0 = wallSeconds();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    drawWorldTimed(floorScene, f.world, f.composite);
    double t1 = wallSeconds();
    SDL_GL_SwapBuffers();
    glFinish();
    f.composite += (wallSeconds() - t1) * 1000;
    f.total = (wallSeconds() - t0) * 1000;
    f.drawCalls = g_drawCalls - calls;
    return f.total;
}

double percentile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t i = (size_t)(q * (v.size() - 1) + 0.5);
    return v[i];
}

void report(const char* name, std::vector<FrameTimes> const& f, double floor) {
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
    double med = percentile(total, 0.5);
    printf("| %-8s | %7.0f | %6.2f | %6.2f | %5.1fx | %6.2f | %6.2f | %6.2f | %6.2f | %6.2f | %5.0f |\n",
           name, percentile(enemies, 0.5), floor, med, floor > 0 ? med / floor : 1.0, percentile(total, 0.99),
           percentile(logic, 0.5), percentile(world, 0.5), percentile(hud, 0.5), percentile(composite, 0.5),
           percentile(calls, 0.5));
}

} // namespace

// Frame budget: the floor of this GL (clear, sky, composite, swap), then the
// bot playing waves 1, 10 and 20 with its ship kept whole. Later waves are
// reached by clearing the arena with the game's own kill and setting the wave
// counter one short, so the game starts the wanted wave itself.
int benchMain(Options const& o) {
    startUp(o);
    const int SAMPLES = 600;      // frames measured per row
    const uint32_t SETTLE = 4000; // ms between a wave's start and its measurement
    std::vector<FrameTimes> floorFrames, waveFrames;
    floorFrames.reserve(SAMPLES);
    waveFrames.reserve(SAMPLES);

    printf(
        "| scene    | enemies | floor ms | median ms | x floor | p99 ms | logic | world | HUD | composite | "
        "draw calls |\n");
    printf("|----------|--------:|-------:|-------:|------:|-------:|-------:|-------:|-------:|-------:|----"
           "--:|\n");

    // The floor is measured alone first, then once after every measured game
    // frame: on a shared machine the load drifts, and each row is read
    // against the floor of its own stretch of time.
    Scene2D* floorScene = new Scene2D(-1, -1);
    floorScene->worldSize = vec2(4096, 4096);
    Starfield* sky = new Starfield(0);
    sky->drawStars = false;
    floorScene->add(sky);
    for (int i = 0; i < SAMPLES + 60; ++i) {
        FrameTimes t = {};
        floorFrame(floorScene, &t);
        if (i >= 60) floorFrames.push_back(t);
    }
    std::vector<double> floorTotals;
    for (auto const& t : floorFrames) floorTotals.push_back(t.total);
    report("floor", floorFrames, percentile(floorTotals, 0.5));
    floorTotals.clear();

    const int waves[3] = {1, 10, 20};
    int stage = 0;
    uint32_t measureFrom = 0;
    while (runlevel != 0 && stage < 3) {
        FrameTimes t = {};
        unsigned long calls = g_drawCalls;
        double t0 = wallSeconds();
        if (g_game && g_game->player->hull > 0) g_game->player->hull = 125;

        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        drawWorldTimed(g_world, t.world, t.composite);
        double t1 = wallSeconds();
        g_hud->draw();
        g_fader->draw();
        glFinish();
        t.hud = (wallSeconds() - t1) * 1000;
        endFrameTimed(t.composite);
        double t2 = wallSeconds();
        if (runlevel == 2) g_game->update();
        t.logic = (wallSeconds() - t2) * 1000;
        double t3 = wallSeconds();
        afterUpdate();
        glFinish();
        t.hud += (wallSeconds() - t3) * 1000;
        t.total = (wallSeconds() - t0) * 1000;
        t.drawCalls = g_drawCalls - calls;

        if (runlevel != 2 || g_game->wave == 0) continue;
        t.enemies = g_game->enemies.count;
        if (measureFrom == 0) measureFrom = simTime + SETTLE;
        if (simTime < measureFrom) continue;
        waveFrames.push_back(t);
        floorTotals.push_back(floorFrame(floorScene, nullptr));
        if ((int)waveFrames.size() < SAMPLES) continue;

        char name[16];
        snprintf(name, sizeof name, "wave %d", waves[stage]);
        report(name, waveFrames, percentile(floorTotals, 0.5));
        waveFrames.clear();
        floorTotals.clear();
        if (++stage == 3) break;
        g_game->wave = waves[stage] - 1;
        vec2 centre = g_game->player->position;
        g_game->killEnemiesInRadius(centre, 1e7f);
        measureFrom = simTime + SETTLE;
    }
    printf(
        "\nframes are ms of wall time at %dx%d; logic, world, HUD and composite are medians of each phase\n",
        Quenth::getScreenWidth(), Quenth::getScreenHeight());
    Quenth::quit();
    return 0;
}
