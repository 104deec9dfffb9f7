// Play-test driver: the whole game (title page, fade, play, game over, the
// quit fade) with every subsystem and all drawing, on a fixed 16 ms clock,
// seeded random sources and a bot at the controls. Prints one summary line
// per run; the same seed gives the same line (all but the peak memory, which
// depends on the GL driver's threads).
//
// Run it from the run directory:
//     cd build/run && xvfb-run -a -s "-screen 0 1280x720x24" ../tools/bot/vorlane_bot SEED MINUTES
// Options: --size WxH (window, default 1280x720), --shots DIR (title.bmp,
// wave.bmp and powered.bmp, the last with --powered: the ship starts with
// weapon level 4 and a full shield), --bench (frame-budget benchmark instead of a play run) with
// --samples N (frames per table row, default 400), --difficulty easy|normal|hard.

#include "app/Apology.h"
#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Framebuffer.h"
#include "engine/gfx/Screenshot.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Texture.h"
#include "engine/math/vec2.h"
#include "engine/util/Random.h"
#include "engine/util/String.h"
#include "game/actors/Enemy.h"
#include "game/actors/Player.h"
#include "game/actors/Powerup.h"
#include "game/base/Fader.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "game/settings/Difficulty.h"
#include "game/world/Game.h"
#include "game/world/Starfield.h"
#include "particles/ParticleSystem.h"
#include "scene/DirectScene2D.h"
#include "scene/Scene2D.h"
#include "scene/Shaders.h"
#include "tests/support/AllocCounter.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using quenth::Quenth;
using quenth::vec2;

quenth::Random g_rand((int)0xd34db33f);
Scene2D* g_world = nullptr;
DirectScene2D* g_hud = nullptr;
Fader* g_fader = nullptr;
Game* g_game = nullptr;
Menu* g_menu = nullptr;
Mix_Music* music = nullptr;
int runlevel = 1;

// GL draw calls of the whole program. The bot is linked with
// --wrap=glDrawArrays and --wrap=glBegin, so every draw site of the static
// libraries comes through here without a change to the drawing code.
static unsigned long g_drawCalls = 0;
extern "C" {
void __real_glDrawArrays(GLenum mode, GLint first, GLsizei count);
void __real_glBegin(GLenum mode);
void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    ++g_drawCalls;
    __real_glDrawArrays(mode, first, count);
}
void __wrap_glBegin(GLenum mode) {
    ++g_drawCalls;
    __real_glBegin(mode);
}
}

namespace {

const uint32_t STEP = 16;           // ms of game time per frame
const uint32_t WARMUP = 10000;      // ms of play before allocations are counted
const uint32_t ENDING_LIMIT = 5000; // ms the quit fade may take before the run gives up

uint32_t simTime = 0; // the driver's clock, ms

double wallSeconds() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

double residentMB() {
    long pages = 0, resident = 0;
    FILE* f = fopen("/proc/self/statm", "r");
    if (!f) return 0;
    if (fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    fclose(f);
    return resident * (double)sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0);
}

double peakResidentMB() {
    rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_maxrss / 1024.0;
}

// Offset from a to b through the wrapping arena: the shortest of the nine images.
vec2 wrappedDelta(vec2 const& a, vec2 const& b) {
    vec2 d = b - a;
    float W = g_world->worldSize.x, H = g_world->worldSize.y;
    d.x -= W * floorf(d.x / W + 0.5f);
    d.y -= H * floorf(d.y / H + 0.5f);
    return d;
}

// Window position of the image of p nearest the camera.
vec2 screenOf(vec2 const& p) {
    Camera2D* cam = g_world->getCamera();
    float W = g_world->worldSize.x, H = g_world->worldSize.y;
    vec2 camPos(cam->x - W * floorf(cam->x / W), cam->y - H * floorf(cam->y / H));
    return g_world->worldToScreen(camPos + wrappedDelta(camPos, p));
}

// The player at the controls. Decides once per frame from the game's state
// and writes the input snapshot the game reads.
class Bot {
public:
    bool keys[SDLK_LAST]; // keys held this frame
    uint32_t buttons;     // mouse buttons held, bit b = button b
    int mouseX, mouseY;   // pointer in window pixels
    uint32_t state;       // the bot's own random state (xorshift)
    int strafe;           // +1 or -1: which way it circles its target
    uint32_t strafeUntil; // ms when the circling direction is drawn again
    bool quitting;        // the run is over: press Escape until the game quits

    explicit Bot(uint32_t seed)
        : buttons(0), mouseX(0), mouseY(0), state(seed * 2654435761u + 1), strafe(1), strafeUntil(0),
          quitting(false) {
        memset(keys, 0, sizeof keys);
    }

    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }

    void release() {
        memset(keys, 0, sizeof keys);
        buttons = 0;
    }

    void decide(uint32_t frame) {
        release();
        mouseX = Quenth::getScreenWidth() / 2;
        mouseY = Quenth::getScreenHeight() / 2;
        // keyPressed needs a frame without the key in between.
        bool odd = frame & 1;
        if (quitting) {
            keys[SDLK_ESCAPE] = odd;
            return;
        }
        if (runlevel == 3 && g_fader->done() && simTime > 1500) keys[SDLK_RETURN] = odd;
        if (runlevel != 2 || !g_game) return;
        play();
    }

    void play() {
        Player* p = g_game->player;
        int w = Quenth::getScreenWidth(), h = Quenth::getScreenHeight();
        if (!g_game->playing || p->hull <= 0 || p->respawnTime != 0) {
            // Nothing to fly: sweep the pointer as an idle player does.
            mouseX = (int)(simTime / 7) % w;
            mouseY = h / 2;
            return;
        }

        Enemy* target = nullptr;
        vec2 toTarget;
        float best = 1e30f;
        for (unsigned i = 0; i < g_game->enemies.count; ++i) {
            vec2 d = wrappedDelta(p->position, g_game->enemies.data[i]->position);
            float l = d.length();
            if (l < best) {
                best = l;
                target = g_game->enemies.data[i];
                toTarget = d;
            }
        }
        Powerup* prize = nullptr;
        vec2 toPrize;
        float bestPrize = 1200;
        for (unsigned i = 0; i < g_game->powerups.count; ++i) {
            if (g_game->powerups.data[i]->collecting) continue;
            vec2 d = wrappedDelta(p->position, g_game->powerups.data[i]->position);
            float l = d.length();
            if (l < bestPrize) {
                bestPrize = l;
                prize = g_game->powerups.data[i];
                toPrize = d;
            }
        }

        if (simTime >= strafeUntil) {
            strafe = (next() & 1) ? 1 : -1;
            strafeUntil = simTime + 2000 + next() % 3000;
        }

        // Where to go: a prize first, else hold a fighting distance and circle.
        vec2 go(0, 0);
        if (prize) {
            go = toPrize;
        } else if (target) {
            vec2 dir = toTarget * (1.0f / std::max(best, 1.0f));
            vec2 side(-dir.y * strafe, dir.x * strafe);
            if (best > 520)
                go = dir + side * 0.3f;
            else if (best < 300)
                go = dir * -1.0f + side * 0.5f;
            else
                go = side;
        }
        // Thrust costs energy; keep some for the guns.
        if (p->energy > 25 && go.length() > 0) {
            float l = go.length();
            if (go.x > 0.35f * l) keys[SDLK_d] = true;
            if (go.x < -0.35f * l) keys[SDLK_a] = true;
            if (go.y > 0.35f * l) keys[SDLK_s] = true;
            if (go.y < -0.35f * l) keys[SDLK_w] = true;
        }

        if (!target) return;
        // Aim at the nearest image of the target, seen from the wrapped camera.
        vec2 s = screenOf(target->position);
        // An image off the screen is aimed at along the same line: the
        // pointer goes where that line from the ship leaves the screen
        // (screen and world differ by a scale and a shift, so the direction
        // the game computes is the same).
        vec2 ship = screenOf(p->position);
        vec2 d = s - ship;
        float t = 1;
        if (ship.x + d.x < 1) t = std::min(t, (1 - ship.x) / d.x);
        if (ship.x + d.x > w - 2) t = std::min(t, (w - 2 - ship.x) / d.x);
        if (ship.y + d.y < 1) t = std::min(t, (1 - ship.y) / d.y);
        if (ship.y + d.y > h - 2) t = std::min(t, (h - 2 - ship.y) / d.y);
        vec2 m = ship + d * std::max(t, 0.0f);
        mouseX = std::min(std::max((int)m.x, 0), w - 1);
        mouseY = std::min(std::max((int)m.y, 0), h - 1);
        if (best < 900 && p->energy > 10) buttons |= 1u << SDL_BUTTON_LEFT;
        if (best < 600 && p->energy > 40) buttons |= 1u << SDL_BUTTON_RIGHT;
    }

    // Replaces what the event thread gave this frame's snapshot.
    void write() {
        Quenth::GEvent* ev = Quenth::events;
        for (int i = 0; i < Quenth::GEvent::KEY_WORDS; ++i) ev->keysNow[i] = 0;
        for (int k = 0; k < SDLK_LAST; ++k)
            if (keys[k]) ev->keysNow[k >> 5] |= 1u << (k & 31);
        ev->buttonsNow = buttons;
        ev->mouseNowX = mouseX;
        ev->mouseNowY = mouseY;
    }
};

Bot* bot = nullptr;

// The engine's frame end (close request, input snapshot, swap) with the
// clock then set to the fixed step and the bot's input in the snapshot.
void endFrame() {
    Quenth::update();
    simTime += STEP;
    Quenth::tm_last = simTime - STEP;
    Quenth::tm_current = simTime;
    Quenth::lastTime = Quenth::tm_last;
    Quenth::currentTime = simTime;
    Quenth::sync = 0.001f * STEP;
    Quenth::sync16 = (int)(STEP * 65.536);
    quenth::GameClock::update();
    bot->decide(Quenth::framenum);
    bot->write();
}

void setFaderColor(float r, float g, float b) {
    g_fader->r = r;
    g_fader->g = g;
    g_fader->b = b;
    g_fader->a = 1.0f;
}

bool titleLeft() {
    return Quenth::keyPressed(SDLK_RETURN) || Quenth::keyPressed(SDLK_SPACE) || Quenth::mouseDown(1);
}

Apology* apology = nullptr;
Difficulty chosenDifficulty = DIFFICULTY_NORMAL;
bool startPowered = false;

void startGame() {
    g_fader->fadeIn(500);
    if (apology) {
        g_hud->clear();
        g_world->clear();
        for (unsigned i = 0; i < apology->drawables.count; ++i) delete apology->drawables[i];
        apology->drawables.clear();
        delete apology;
        apology = nullptr;
    }
    g_game = new Game();
    g_game->setDifficulty(chosenDifficulty);
    g_game->init();
    if (startPowered) {
        g_game->player->setWeaponLevel(4);
        g_game->player->shield = g_game->player->maxShield;
    }
    runlevel = 2;
}

// The run level changes of the game's main loop, after the game update.
void afterUpdate() {
    g_fader->draw();
    if (runlevel == 3 && g_fader->done() && titleLeft()) {
        setFaderColor(0, 0, 0);
        g_fader->fadeOut(1000);
        runlevel = 4;
    }
    if (runlevel == 4 && g_fader->done()) startGame();
    if (g_fader->done() && Quenth::keyPressed(SDLK_ESCAPE)) {
        setFaderColor(0, 0, 0);
        g_fader->fadeOut(1000);
        runlevel = -1;
    }
    if (runlevel == -1 && g_fader->done()) runlevel = 0;
}

// Counts what happened in the game from frame to frame.
struct Tally {
    int waves = 0, kills = 0, deaths = 0, powerups = 0, level = 0;
    bool lastAlive = true;
    Powerup* collecting[256]; // power-ups seen flying into the ship last frame
    unsigned collectingCount = 0;

    void frame() {
        if (!g_game) return;
        kills = g_game->kills;
        waves = g_game->wave;
        level = std::max(level, g_game->player->weaponLevel);

        bool alive = g_game->player->hull > 0;
        if (lastAlive && !alive) ++deaths;
        lastAlive = alive;

        Powerup* now[256];
        unsigned n = 0;
        for (unsigned i = 0; i < g_game->powerups.count && n < 256; ++i) {
            Powerup* pu = g_game->powerups.data[i];
            if (!pu->collecting) continue;
            now[n++] = pu;
            if (std::find(collecting, collecting + collectingCount, pu) == collecting + collectingCount)
                ++powerups;
        }
        memcpy(collecting, now, n * sizeof(Powerup*));
        collectingCount = n;
    }
};

struct Options {
    int seed = 1;
    double minutes = 1;
    int width = 1280, height = 720;
    const char* shots = nullptr;
    bool bench = false;
    int samples = 400; // frames measured per benchmark row
    Difficulty difficulty = DIFFICULTY_NORMAL;
    bool powered = false; // the ship starts with weapon level 4 and a full shield
};

bool parse(int argc, char** argv, Options& o) {
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--size") && i + 1 < argc) {
            if (sscanf(argv[++i], "%dx%d", &o.width, &o.height) != 2) return false;
        } else if (!strcmp(argv[i], "--shots") && i + 1 < argc) {
            o.shots = argv[++i];
        } else if (!strcmp(argv[i], "--samples") && i + 1 < argc) {
            o.samples = atoi(argv[++i]);
        } else if (!strcmp(argv[i], "--difficulty") && i + 1 < argc) {
            if (!parseDifficulty(argv[++i], o.difficulty)) return false;
        } else if (!strcmp(argv[i], "--powered")) {
            o.powered = true;
        } else if (!strcmp(argv[i], "--bench")) {
            o.bench = true;
        } else if (argv[i][0] != '-' && positional == 0) {
            o.seed = atoi(argv[i]);
            ++positional;
        } else if (argv[i][0] != '-' && positional == 1) {
            o.minutes = atof(argv[i]);
            ++positional;
        } else {
            return false;
        }
    }
    return o.minutes > 0 && o.width > 0 && o.height > 0 && o.samples > 0;
}

// Start-up as the game does it, with the clock and the random sources fixed.
void startUp(Options const& o) {
    setvbuf(stdout, nullptr, _IOLBF, 0);
    Quenth::init(o.width, o.height, "Vorlane bot", false, false);
    endFrame();
    Resources::load();
    g_rand.init(o.seed);
    ParticleSystem::random.init(o.seed * 7919 + 17);
    g_world = new Scene2D(-1, -1);
    g_world->worldSize = vec2(4096, 4096);
    g_hud = new DirectScene2D(-1, -1);
    g_fader = new Fader();
    runlevel = 3;
    endFrame();
    setFaderColor(1, 1, 1);
    g_world->debugDraw = false;
    g_hud->debugDraw = false;
    apology = new Apology();
}

void shot(Options const& o, const char* name) {
    if (!o.shots) return;
    quenth::String path = quenth::String(o.shots) + "/" + name;
    quenth::Screenshot::saveScreenshot(path.getCString());
}

int play(Options const& o) {
    startUp(o);
    Tally tally;
    const uint32_t runEnd = simTime + (uint32_t)(o.minutes * 60000.0);
    uint32_t gameStart = 0, endingStart = 0;
    uint64_t frames = 0, countedFrames = 0, allocs = 0, steadyFrames = 0, steadyAllocs = 0, worstFrame = 0;
    uint32_t nextMinute = simTime + 60000;
    int minute = 0;
    bool titleShot = false, waveShot = false, poweredShot = false;
    double wallStart = wallSeconds();

    while (runlevel != 0) {
        uint64_t allocStart = testsupport::threadAllocCount();
        unsigned removals = g_game ? g_game->actorRemovals : 0, actors = g_game ? g_game->actors.count : 0;
        int level = runlevel;
        bool shotTaken = false; // writing a picture allocates; such a frame is not counted

        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        g_world->draw();
        g_hud->draw();
        g_fader->draw();
        if (!titleShot && runlevel == 3 && simTime > 1200) {
            shot(o, "title.bmp");
            titleShot = shotTaken = true;
        }
        if (!waveShot && runlevel == 2 && g_game->playing && g_game->player->hull > 0 && g_game->wave >= 3) {
            // A busy moment: many enemies in view and the guns firing.
            unsigned inView = 0;
            int w = Quenth::getScreenWidth(), h = Quenth::getScreenHeight();
            for (unsigned i = 0; i < g_game->enemies.count; ++i) {
                vec2 s = screenOf(g_game->enemies.data[i]->position);
                if (s.x > 0 && s.y > 0 && s.x < w && s.y < h) ++inView;
            }
            if (inView >= 6 && (bot->buttons & (1u << SDL_BUTTON_LEFT))) {
                shot(o, "wave.bmp");
                waveShot = shotTaken = true;
            }
        }
        if (!poweredShot && runlevel == 2 && g_game->playing && g_game->player->shield > 0 &&
            g_game->player->weaponLevel >= 4 && (bot->buttons & (1u << SDL_BUTTON_LEFT)) &&
            g_game->enemies.count > 0 && simTime > gameStart + 9000) {
            // The upgraded ship in a fight: shield ring, fanned bolts, the lit WPN marks.
            shot(o, "powered.bmp");
            poweredShot = shotTaken = true;
        }
        endFrame();
        if (runlevel == 2) g_game->update();
        afterUpdate();
        tally.frame();
        ++frames;

        if (runlevel == 2 && gameStart == 0) gameStart = simTime;
        uint64_t used = testsupport::threadAllocCount() - allocStart;
        if (gameStart && simTime > gameStart + WARMUP && level == runlevel && !shotTaken) {
            ++countedFrames;
            allocs += used;
            bool steady = g_game && g_game->actorRemovals == removals && g_game->actors.count == actors;
            if (steady) {
                ++steadyFrames;
                steadyAllocs += used;
                worstFrame = std::max(worstFrame, used);
                if (used)
                    fprintf(stderr, "frame %u: %llu allocs in a steady frame\n", Quenth::framenum,
                            (unsigned long long)used);
            }
        }
        if (simTime >= nextMinute) {
            ++minute;
            nextMinute += 60000;
            fprintf(stderr,
                    "minute %d: rss %.1f MB, wave %d, kills %d, deaths %d, powerups %d, level %d, %s\n",
                    minute, residentMB(), tally.waves, tally.kills, tally.deaths, tally.powerups, tally.level,
                    g_game && !g_game->playing ? "game over" : "playing");
        }
        if (!bot->quitting && simTime >= runEnd) {
            bot->quitting = true;
            endingStart = simTime;
        }
        if (bot->quitting && simTime > endingStart + ENDING_LIMIT + 1000) {
            fprintf(stderr, "the game did not quit within %u ms of Escape\n", ENDING_LIMIT);
            return 1;
        }
    }
    double wall = wallSeconds() - wallStart;
    Quenth::quit();

    printf("bot seed %d %s: %.2f min, %llu frames, wave %d, %d kills, %d deaths, %d power-ups, level %d, "
           "%.3f allocs/frame after warm-up, %llu allocs in %llu steady frames, %s, peak rss %.0f MB\n",
           o.seed, difficultyName(o.difficulty), simTime / 60000.0, (unsigned long long)frames, tally.waves,
           tally.kills, tally.deaths, tally.powerups, tally.level,
           countedFrames ? (double)allocs / countedFrames : 0.0, (unsigned long long)steadyAllocs,
           (unsigned long long)steadyFrames, g_game && !g_game->playing ? "game over" : "alive",
           peakResidentMB());
    fprintf(stderr, "wall %.1f s (%.1f x real time), worst steady frame %llu allocs\n", wall,
            (simTime / 1000.0) / wall, (unsigned long long)worstFrame);
    return 0;
}

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

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        fprintf(stderr, "usage: vorlane_bot [SEED [MINUTES]] [--size WxH] [--shots DIR] [--difficulty D] "
                        "[--bench [--samples N]]\n");
        return 2;
    }
    bot = new Bot((uint32_t)o.seed);
    chosenDifficulty = o.difficulty;
    startPowered = o.powered;
    return o.bench ? benchMain(o) : play(o);
}
