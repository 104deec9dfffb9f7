// Play-test driver: the whole game (title page, fade, play, game over, the
// quit fade) with every subsystem and all drawing, on a fixed 16 ms clock,
// seeded random sources and a bot at the controls. Prints one summary line
// per run; the same seed gives the same line (all but the peak memory, which
// depends on the GL driver's threads).
//
// Run it from the run directory:
//     cd build/run && xvfb-run -a -s "-screen 0 1280x720x24" ../tools/bot/vorlane_bot SEED MINUTES
// Options: --size WxH (window, default 1280x720), --shots DIR (title.bmp and
// wave.bmp), --bench (frame-budget benchmark instead of a play run) with
// --samples N (frames per table row, default 400).

#include "tools/bot/Bot.h"

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
#include "game/actors/EnemyShip.h"
#include "game/actors/Player.h"
#include "game/actors/Powerup.h"
#include "game/base/Fader.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
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
unsigned long g_drawCalls = 0;
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

uint32_t simTime = 0;

double wallSeconds() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

namespace {

const uint32_t STEP = 16;           // ms of game time per frame
const uint32_t WARMUP = 10000;      // ms of play before allocations are counted
const uint32_t ENDING_LIMIT = 5000; // ms the quit fade may take before the run gives up

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

// Enemies a wave brings, as the game's wave table counts them.
int waveSize(int w) {
    static const double rows[7][4] = {{1, 2.4, 0, 10},   {3, 2.2, 3, 3},   {6, 2.5, 5, 2},   {9, 2.9, 8, 20},
                                      {13, 2.9, 12, 20}, {15, 2.5, 15, 2}, {17, 2.9, 16, 20}};
    int n = 0;
    for (auto const& r : rows)
        if (w >= r[0]) n += (int)(r[1] * (w - r[2]) + r[3]) + 1;
    return n;
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

} // namespace

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

namespace {

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
    g_game->init();
    runlevel = 2;
}

} // namespace

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

namespace {

// Counts what happened in the game from frame to frame.
struct Tally {
    int waves = 0, kills = 0, deaths = 0, powerups = 0;
    unsigned lastEnemies = 0;
    int lastWave = 0;
    bool lastAlive = true;
    Powerup* collecting[256]; // power-ups seen flying into the ship last frame
    unsigned collectingCount = 0;

    void frame() {
        if (!g_game) return;
        int spawned = 0;
        for (int w = lastWave + 1; w <= g_game->wave; ++w) spawned += waveSize(w);
        kills += (int)lastEnemies + spawned - (int)g_game->enemies.count;
        lastEnemies = g_game->enemies.count;
        lastWave = waves = g_game->wave;

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

bool parse(int argc, char** argv, Options& o) {
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--size") && i + 1 < argc) {
            if (sscanf(argv[++i], "%dx%d", &o.width, &o.height) != 2) return false;
        } else if (!strcmp(argv[i], "--shots") && i + 1 < argc) {
            o.shots = argv[++i];
        } else if (!strcmp(argv[i], "--samples") && i + 1 < argc) {
            o.samples = atoi(argv[++i]);
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

} // namespace

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
    EnemyShip::prepareDrawing(g_world);
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

namespace {

int play(Options const& o) {
    startUp(o);
    Tally tally;
    const uint32_t runEnd = simTime + (uint32_t)(o.minutes * 60000.0);
    uint32_t gameStart = 0, endingStart = 0;
    uint64_t frames = 0, countedFrames = 0, allocs = 0, steadyFrames = 0, steadyAllocs = 0, worstFrame = 0;
    uint32_t nextMinute = simTime + 60000;
    int minute = 0;
    bool titleShot = false, waveShot = false;
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
            fprintf(stderr, "minute %d: rss %.1f MB, wave %d, kills %d, deaths %d, powerups %d, %s\n", minute,
                    residentMB(), tally.waves, tally.kills, tally.deaths, tally.powerups,
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

    printf("bot seed %d: %.2f min, %llu frames, wave %d, %d kills, %d deaths, %d power-ups, "
           "%.3f allocs/frame after warm-up, %llu allocs in %llu steady frames, %s, peak rss %.0f MB\n",
           o.seed, simTime / 60000.0, (unsigned long long)frames, tally.waves, tally.kills, tally.deaths,
           tally.powerups, countedFrames ? (double)allocs / countedFrames : 0.0,
           (unsigned long long)steadyAllocs, (unsigned long long)steadyFrames,
           g_game && !g_game->playing ? "game over" : "alive", peakResidentMB());
    fprintf(stderr, "wall %.1f s (%.1f x real time), worst steady frame %llu allocs\n", wall,
            (simTime / 1000.0) / wall, (unsigned long long)worstFrame);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        fprintf(stderr,
                "usage: vorlane_bot [SEED [MINUTES]] [--size WxH] [--shots DIR] [--bench [--samples N]]\n");
        return 2;
    }
    bot = new Bot((uint32_t)o.seed);
    return o.bench ? benchMain(o) : play(o);
}
