// Times the game at waves 1, 10 and 20 (13, 95 and 286 enemies: the wave's
// own, without survivors of earlier waves, all placed around the ship)
// with a set clock of 16 ms per frame:
//   - logic: Game::update alone, in CPU time of the thread;
//   - frame: Game::update, then both scenes and the fader drawn and finished
//     (glFinish), as the program's main loop does, and the buffers swapped,
//     in wall time (the GL of the test machine renders on threads of its own).
// Two kinds of play for each wave: "idle" (no input: the enemies close in,
// orbit and shoot) and "firing" (both mouse buttons held, the aim circling
// the ship once every two seconds; the enemies' hull is raised so that the
// count stays as the wave made it while bolts and beams hit them).
// The player is kept alive by restoring its hull every frame; the game code
// is not changed. Run from the run directory under a display:
//   cd build/run && xvfb-run -a -s "-screen 0 1280x720x24" ../tools/bench/bench_GameBench

#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/math/vec2.h"
#include "game/actors/Enemy.h"
#include "game/actors/EnemyShip.h"
#include "game/actors/Player.h"
#include "game/base/Fader.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "game/world/Game.h"
#include "scene/DirectScene2D.h"
#include "scene/Scene2D.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

// The program-wide globals, defined here for this program as app/Main.cpp
// defines them for the game.
quenth::Random g_rand(0xd34db33f);
Scene2D* g_world = nullptr;
DirectScene2D* g_hud = nullptr;
Fader* g_fader = nullptr;
Game* g_game = nullptr;
Menu* g_menu = nullptr;
Mix_Music* music = nullptr;
int runlevel = 2;

namespace {

const int WARMUP_FRAMES = 400; // 6.4 s of play: the wave has closed in on the ship
const int LOGIC_FRAMES = 600;
const int DRAW_FRAMES = 150;
const uint32_t STEP_MS = 16;

// CPU time of this thread in ms: the logic runs on this thread alone, and on
// a shared machine its CPU time is less disturbed than the wall clock.
double threadMs() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct Figures {
    double median, p99, mean;
};

Figures figures(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v) sum += x;
    size_t i99 = (size_t)std::ceil(0.99 * v.size()) - 1;
    return Figures{v[v.size() / 2], v[std::min(i99, v.size() - 1)], sum / v.size()};
}

// Input for frame n: none, or both buttons with the aim circling the ship.
void setInput(bool firing, unsigned n) {
    quenth::Quenth::GEvent* e = quenth::Quenth::events;
    e->buttonsNow = 0;
    e->mouseNowX = 640;
    e->mouseNowY = 360;
    if (!firing) return;
    e->buttonsNow = (1u << SDL_BUTTON_LEFT) | (1u << SDL_BUTTON_RIGHT);
    double a = n * STEP_MS * (2 * M_PI / 2000.0);
    e->mouseNowX = 640 + (int)(300 * std::cos(a));
    e->mouseNowY = 360 + (int)(300 * std::sin(a));
}

// One frame of logic at the set clock.
void step(bool firing, unsigned n) {
    quenth::GameClock::currentTime += STEP_MS;
    quenth::GameClock::sync = STEP_MS * 0.001f;
    setInput(firing, n);
    g_game->update();
    Player* p = g_game->player;
    p->hull = 125;
    p->energy = p->maxEnergy;
    if (firing)
        for (unsigned i = 0; i < g_game->enemies.count; ++i) g_game->enemies[i]->hull = 1e9f;
}

// A new game brought to the given wave, with that wave's enemies only: the
// survivors of each earlier wave are removed before the next one starts.
void newGame(int wave) {
    g_rand.init(1234);
    g_game = new Game();
    g_game->init();
    while (g_game->wave < wave) {
        while (g_game->enemies.count > 0) delete g_game->enemies[0];
        g_game->nextWave();
    }
    // Most of a wave would hang back about half the arena away (each enemy
    // steers at the last wrapped image of the ship in its sight); the
    // benchmark puts them all in the fight instead, spread over a ring of
    // 300 to 1000 units around the ship: they orbit, shoot and are hit.
    Player* p = g_game->player;
    for (unsigned i = 0; i < g_game->enemies.count; ++i) {
        float a = 2.39996f * i; // golden angle: an even spread
        float r = 300 + 700 * (float)((i * 37) % 100) / 100;
        g_game->enemies[i]->position = p->position + quenth::vec2(std::cos(a), std::sin(a)) * r;
    }
}

void drawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    g_world->draw();
    g_hud->draw();
    g_fader->draw();
    glFinish();
}

} // namespace

int main() {
    quenth::Quenth::init(1280, 720, "game bench", false, false);
    if (!quenth::Quenth::window) {
        fprintf(stderr, "no window: run under a display (xvfb-run)\n");
        return 1;
    }
    Resources::load();
    g_world = new Scene2D(-1, -1);
    g_world->worldSize = quenth::vec2(4096, 4096);
    EnemyShip::prepareDrawing(g_world);
    g_world->debugDraw = false;
    g_hud = new DirectScene2D(-1, -1);
    g_hud->debugDraw = false;
    g_fader = new Fader();
    quenth::GameClock::currentTime = 100000;

    printf("\n%-6s %-7s %8s | %-28s | %-28s\n", "wave", "input", "enemies", "logic CPU ms: median p99 mean",
           "frame ms: median  p99  mean");
    const int waves[3] = {1, 10, 20};
    for (int wave : waves) {
        for (int firing = 0; firing < 2; ++firing) {
            newGame(wave);
            unsigned n = 0;
            for (int i = 0; i < WARMUP_FRAMES; ++i) step(firing, n++);

            std::vector<double> logic;
            for (int i = 0; i < LOGIC_FRAMES; ++i) {
                double t0 = threadMs();
                step(firing, n++);
                logic.push_back(threadMs() - t0);
            }
            unsigned enemies = g_game->enemies.count;

            // The whole frame: logic, then drawing up to the finished image,
            // then the swap (the window is opened without vertical sync).
            std::vector<double> frame;
            for (int i = 0; i < DRAW_FRAMES + 5; ++i) {
                auto t0 = std::chrono::steady_clock::now();
                step(firing, n++);
                drawFrame();
                SDL_GL_SwapBuffers();
                if (i >= 5) frame.push_back(msSince(t0));
            }
            Figures l = figures(logic), f = figures(frame);
            printf("%-6d %-7s %8u | %9.3f %7.3f %7.3f    | %9.3f %7.3f %7.3f\n", wave,
                   firing ? "firing" : "idle", enemies, l.median, l.p99, l.mean, f.median, f.p99, f.mean);
            fflush(stdout);
        }
    }
    quenth::Quenth::quit();
    return 0;
}
