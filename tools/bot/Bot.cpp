// Play-test driver: the whole program (title page, the main menu with its
// Controls and Options pages before each game, play, pause, game over and
// play again or back to the menu, the quit fade) with every subsystem and all drawing,
// run by the program's own frame loop on a fixed 16 ms clock, with seeded
// random sources and a bot at the controls. Prints one summary line per run;
// the same seed gives the same line (all but the peak memory, which depends
// on the GL driver's threads).
//
// Run it from the run directory:
//     cd build/run && xvfb-run -a -s "-screen 0 1280x720x24" ../tools/bot/vorlane_bot SEED MINUTES
// Options: --size WxH (window, default 1280x720), --shots DIR (title.bmp,
// menu.bmp, wave.bmp, pause.bmp, gameover.bmp and powered.bmp, the last
// with --powered: every game starts with weapon level 4 and a full shield),
// --difficulty easy|normal|hard (as if chosen in the options), --one-life
// (every game ends at the first hit, for a quick game over and play again),
// --bench (frame-budget benchmark instead of a play run) with --samples N
// (frames per table row, default 400), --fill (the benchmark, counting the
// fragments of each kind of drawable after each row; its times mean nothing), --leave-out KIND (the
// benchmark without the drawables of that class, e.g. ParticleSlice; repeatable), --audio (open the sound
// device and play the music and effects as the program does; choose the device with SDL_AUDIODRIVER, e.g.
// dummy),
// --audio-bench (the mixer's cost in real time instead of a play run; implies --audio) with --seconds N (per
// row, default 20).
#include "tools/bot/Bot.h"

#include "app/Menu.h"
#include "app/NameEntry.h"
#include "app/OptionsPage.h"
#include "app/Shell.h"
#include "engine/audio/Mixer.h"
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
#include "game/base/Sounds.h"
#include "game/hud/ScoreCounter.h"
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
#include <atomic>
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

namespace {

const uint32_t STEP = 16;           // ms of game time per frame
const uint32_t WARMUP = 10000;      // ms of play before allocations are counted
const uint32_t ENDING_LIMIT = 5000; // ms the quit fade may take before the run gives up
const uint32_t FIRST_PAUSE = 20000; // ms of the first game played before the bot's first pause
const uint32_t PAUSE_EVERY = 60000; // ms of play between two pauses the bot takes
const uint32_t PAUSE_FOR = 2000;    // ms each pause lasts
const int RESTART_EVERY = 5;        // every fifth pause ends in the pause menu's Restart
#define BOT_NAME "Bot"              // the name it enters for a high score

uint32_t gameBegan = 0; // simTime when the running game began, ms

} // namespace

uint32_t simTime = 0; // the driver's clock, ms

double wallSeconds() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

namespace {

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
    bool quitting;        // the run is over: leave the game and quit
    bool pauses;          // take a pause now and then (not while benchmarking)
    bool oneLife;         // every game ends at the first hit
    bool powered;         // every game starts with weapon level 4 and a full shield
    uint32_t pauseAt;     // game clock (ms) at which the next pause begins; 0 before the first game
    uint32_t resumeAt;    // ms at which the pause being taken ends
    int pausesTaken;      // pauses begun by the bot
    // The way through the main menu before each game: the Controls page, then
    // the Options page (music volume down a step and up again), then Play.
    enum Tour { SEE_CONTROLS, SEE_OPTIONS, START_GAME };
    Tour tour;          // the next stop on the main menu
    bool volumeLowered; // on the options page: the step down is taken
    bool toured;        // Play was chosen at the end of a tour; the game has not begun yet
    int tours;          // games begun by way of Controls and Options
    int gameOvers;      // game-over panels answered; every second one leads to the main menu
    char const* typing; // the text it types this frame

    explicit Bot(uint32_t seed)
        : buttons(0), mouseX(0), mouseY(0), state(seed * 2654435761u + 1), strafe(1), strafeUntil(0),
          quitting(false), pauses(true), oneLife(false), powered(false), pauseAt(0), resumeAt(0),
          pausesTaken(0), tour(SEE_CONTROLS), volumeLowered(false), toured(false), tours(0), gameOvers(0),
          typing("") {
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
        typing = "";
    }

    // Presses Down until the item id is selected on the page shown, then Return.
    void choose(int id, bool odd) {
        if (!g_menu) return;
        keys[g_menu->selectedId() == id ? SDLK_RETURN : SDLK_DOWN] = odd;
    }

    void decide(uint32_t frame) {
        release();
        mouseX = Quenth::getScreenWidth() / 2;
        mouseY = Quenth::getScreenHeight() / 2;
        // keyPressed needs a frame without the key in between.
        bool odd = frame & 1;
        Shell* sh = g_shell;
        if (!g_fader || !sh) return;
        // A tour counts once the game it led to has begun, even when the run
        // ends in that game's first frame.
        if (runlevel == Shell::PLAY && g_game) {
            tours += toured;
            toured = false;
        }
        if (quitting) {
            // Escape quits from the title and the main menu, pauses a game and
            // leaves the game-over figures for the menu.
            if (runlevel == Shell::PLAY && sh->paused && g_menu == sh->pauseMenu)
                choose(Shell::QUIT_GAME, odd);
            else
                keys[SDLK_ESCAPE] = odd;
            return;
        }
        if (runlevel == Shell::TITLE && g_fader->done() && simTime > 1500) keys[SDLK_RETURN] = odd;
        if (runlevel == Shell::MENU && g_fader->done()) {
            menus(sh, odd);
            return;
        }
        if (runlevel != Shell::PLAY || !g_game) return;
        if (sh->paused) {
            if (simTime < resumeAt || g_menu != sh->pauseMenu) return;
            if (pausesTaken % RESTART_EVERY == 0)
                choose(Shell::RESTART, odd);
            else
                keys[SDLK_p] = odd;
            return;
        }
        if (g_menu == &sh->nameEntry->page) {
            // A new high score: the default name rubbed out, its own typed, Return.
            if (strcmp(sh->nameEntry->name, BOT_NAME) != 0)
                typing = "\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b" BOT_NAME;
            else
                typing = "\r";
            return;
        }
        if (g_menu == sh->gameOverPanel) {
            // Play again, or every second time back to the main menu.
            bool toMenu = gameOvers & 1;
            keys[toMenu ? SDLK_ESCAPE : SDLK_RETURN] = odd;
            if (odd) ++gameOvers;
            return;
        }
        if (pauseAt == 0) pauseAt = quenth::GameClock::currentTime + FIRST_PAUSE;
        if (pauses && g_game->playing && quenth::GameClock::currentTime >= pauseAt) {
            keys[SDLK_p] = odd;
            if (odd) {
                ++pausesTaken;
                resumeAt = simTime + PAUSE_FOR;
                pauseAt = quenth::GameClock::currentTime + PAUSE_EVERY;
            }
            return;
        }
        play();
    }

    // The main menu and the pages behind it, on the way to a game.
    void menus(Shell* sh, bool odd) {
        if (g_menu == sh->controlsPage) {
            keys[SDLK_ESCAPE] = odd;
            if (odd) tour = SEE_OPTIONS;
        } else if (g_menu == &sh->options->menu) {
            if (g_menu->selectedId() != OptionsPage::MUSIC) {
                keys[SDLK_DOWN] = odd;
            } else if (!volumeLowered) {
                keys[SDLK_LEFT] = odd;
                volumeLowered = odd;
            } else if (tour == SEE_OPTIONS) {
                keys[SDLK_RIGHT] = odd;
                if (odd) tour = START_GAME;
            } else {
                keys[SDLK_ESCAPE] = odd;
            }
        } else if (g_menu == sh->mainMenu) {
            if (tour == SEE_CONTROLS) choose(Shell::CONTROLS, odd);
            if (tour == SEE_OPTIONS) choose(Shell::OPTIONS, odd);
            if (tour == START_GAME) {
                choose(Shell::PLAY_GAME, odd);
                if (odd && g_menu->selectedId() == Shell::PLAY_GAME) {
                    toured = true;
                    tour = SEE_CONTROLS;
                    volumeLowered = false;
                }
            }
        }
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
        // The window keeps the focus: the bot's run does not depend on the desktop.
        ev->focusLossesNow = ev->focusLossesPrev;
        snprintf(ev->typedNow, sizeof ev->typedNow, "%s", typing);
    }
};

Bot* bot = nullptr;

void takeShots(Options const& o, bool& shotTaken);

// The program's frame loop with the bot's clock, input and pictures: the
// frame ends on the fixed step with the bot's input in the snapshot, and
// nothing sleeps.
class BotShell : public Shell {
public:
    Options const* shotOptions = nullptr; // for the pictures; null takes none
    bool shotTaken = false;               // a picture was written in this frame (it allocates)

    void endFrame(bool drawn) override {
        if (drawn && shotOptions) takeShots(*shotOptions, shotTaken);
        Quenth::update(drawn);
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
    void pace() override {}
};

BotShell* shell = nullptr;

// Counts what happened in the games from frame to frame.
struct Tally {
    int games = 0, waves = 0, kills = 0, deaths = 0, powerups = 0;
    int level = 0;       // the highest weapon level reached in any game
    int faults = 0;      // games that did not begin from nothing
    int gameKills = 0;   // the kills of the running game at the last frame
    int entries = 0;     // high scores entered
    bool naming = false; // the name field was on screen at the last frame
    bool lastAlive = true;
    Powerup* collecting[256]; // power-ups seen flying into the ship last frame
    unsigned collectingCount = 0;

    void frame() {
        if (!g_game) return;
        // A name entered goes into the table with the game's figures.
        bool nowNaming = g_menu == &shell->nameEntry->page;
        if (naming && !nowNaming) {
            ++entries;
            ScoreEntry const& e = shell->lastEntry;
            if (e.name != BOT_NAME || e.score != g_game->scoreCounter->value || e.kills != g_game->kills ||
                shell->scores.find(e) < 0) {
                fprintf(stderr, "game %d: the entry \"%s\" %ld is not the game's or not in the table\n",
                        games, e.name.c_str(), e.score);
                ++faults;
            }
        }
        naming = nowNaming;
        if ((int)shell->gamesStarted != games) {
            games = (int)shell->gamesStarted;
            // A new game owes nothing to the last.
            if (g_game->scoreCounter->value != 0 || g_game->wave != 0 || g_game->kills != 0) {
                fprintf(stderr, "game %d began with score %d, wave %d, %d kills\n", games,
                        g_game->scoreCounter->value, g_game->wave, g_game->kills);
                ++faults;
            }
            gameKills = 0;
            lastAlive = true;
            collectingCount = 0;
            if (bot->oneLife) g_game->lives = 0;
            if (bot->powered) {
                g_game->player->setWeaponLevel(4);
                g_game->player->shield = g_game->player->maxShield;
            }
            gameBegan = simTime;
        }
        kills += g_game->kills - gameKills;
        gameKills = g_game->kills;
        waves = std::max(waves, g_game->wave);
        // One life is one hit: no shield taken up on the way absorbs it.
        if (bot->oneLife) {
            if (g_game->player->hull > 1) g_game->player->hull = 1;
            g_game->player->shield = 0;
        }
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
        } else if (!strcmp(argv[i], "--fill")) {
            o.bench = o.fill = true;
        } else if (!strcmp(argv[i], "--leave-out") && i + 1 < argc) {
            if (o.leaveOutCount == (int)(sizeof o.leaveOut / sizeof o.leaveOut[0])) return false;
            o.leaveOut[o.leaveOutCount++] = argv[++i];
            o.bench = true;
        } else if (!strcmp(argv[i], "--one-life")) {
            o.oneLife = true;
        } else if (!strcmp(argv[i], "--audio")) {
            o.audio = true;
        } else if (!strcmp(argv[i], "--audio-bench")) {
            o.audio = o.audioBench = true;
        } else if (!strcmp(argv[i], "--seconds") && i + 1 < argc) {
            o.seconds = atoi(argv[++i]);
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
    // Counting fragments draws every leaf: nothing can be left out of it.
    return o.minutes > 0 && o.width > 0 && o.height > 0 && o.samples > 0 && o.seconds > 0 &&
           !(o.fill && o.leaveOutCount > 0);
}

} // namespace

// Start-up as the program does it, with the clock and the random sources
// fixed, the settings at their defaults and the high scores in memory (no
// file is read or written).
void startUp(Options const& o) {
    setvbuf(stdout, nullptr, _IOLBF, 0);
    shell = new BotShell();
    shell->keepScores = false;
    g_shell = shell;
    Quenth::init(o.width, o.height, "Vorlane bot", false, false);
    shell->startUp(o.seed);
    ParticleSystem::random.init(o.seed * 7919 + 17);
    if (o.audio) {
        Shell::loadMusic();
        shell->applyVolumes();
        int loaded = 0;
        for (int e = 0; e < SOUND_EFFECT_COUNT; ++e) loaded += quenth::Mixer::chunks[e][0] != nullptr;
        printf("sound: %d Hz, %d channels out, music %s, %d of %d effects\n", quenth::Mixer::frequency,
               quenth::Mixer::outputChannels, music ? "loaded" : "missing", loaded, (int)SOUND_EFFECT_COUNT);
    }
}

void shot(Options const& o, const char* name) {
    if (!o.shots) return;
    quenth::String path = quenth::String(o.shots) + "/" + name;
    quenth::Screenshot::saveScreenshot(path.getCString());
}

namespace {

// The enemies on screen now.
unsigned enemiesInView() {
    unsigned n = 0;
    int w = Quenth::getScreenWidth(), h = Quenth::getScreenHeight();
    for (unsigned i = 0; i < g_game->enemies.count; ++i) {
        vec2 s = screenOf(g_game->enemies.data[i]->position);
        if (s.x > 0 && s.y > 0 && s.x < w && s.y < h) ++n;
    }
    return n;
}

// The pictures of --shots, each once, from a drawn frame before its swap.
void takeShots(Options const& o, bool& shotTaken) {
    static bool title = false, menu = false, wave = false, pause = false, over = false, powered = false;
    bool settled = g_fader->done() && g_fader->alpha == g_fader->to;
    if (!title && runlevel == Shell::TITLE && simTime > 1200) {
        shot(o, "title.bmp");
        title = shotTaken = true;
    }
    if (!menu && runlevel == Shell::MENU && g_menu == shell->mainMenu && settled) {
        shot(o, "menu.bmp");
        menu = shotTaken = true;
    }
    if (!pause && shell->paused && g_menu == shell->pauseMenu && settled) {
        shot(o, "pause.bmp");
        pause = shotTaken = true;
    }
    if (!over && runlevel == Shell::PLAY && g_menu == shell->gameOverPanel && settled) {
        shot(o, "gameover.bmp");
        over = shotTaken = true;
    }
    if (!wave && runlevel == Shell::PLAY && !shell->paused && g_game->playing && g_game->player->hull > 0 &&
        g_game->wave >= 3) {
        // A busy moment: many enemies in view and the guns firing.
        if (enemiesInView() >= 6 && (bot->buttons & (1u << SDL_BUTTON_LEFT))) {
            shot(o, "wave.bmp");
            wave = shotTaken = true;
        }
    }
    if (!powered && runlevel == Shell::PLAY && !shell->paused && g_game->playing &&
        g_game->player->shield > 0 && g_game->player->weaponLevel >= 4 &&
        (bot->buttons & (1u << SDL_BUTTON_LEFT)) && enemiesInView() >= 3 && simTime > gameBegan + 9000) {
        // The upgraded ship in a fight: shield ring, fanned bolts, the lit WPN marks.
        shot(o, "powered.bmp");
        powered = shotTaken = true;
    }
}

// While the bot's pause lasts, nothing of the game may move.
struct PauseWatch {
    int pauses = 0;         // pauses taken
    int faults = 0;         // frames in which the paused game moved
    uint32_t clock = 0;     // the game clock when the pause began, ms
    unsigned passes = 0;    // the game's update passes then
    bool wasPaused = false; // paused at the last frame

    void frame() {
        bool p = runlevel == Shell::PLAY && shell->paused;
        if (p && !wasPaused) {
            ++pauses;
            clock = quenth::GameClock::currentTime;
            passes = g_game->updatePass;
        } else if (p && (quenth::GameClock::currentTime != clock || g_game->updatePass != passes)) {
            if (faults++ == 0)
                fprintf(stderr, "frame %u: the game moved while paused (clock %u ms, was %u ms)\n",
                        Quenth::framenum, quenth::GameClock::currentTime, clock);
        }
        wasPaused = p;
    }
};

int play(Options const& o) {
    bot->oneLife = o.oneLife;
    startUp(o);
    shell->settings.difficulty = o.difficulty;
    if (o.shots) shell->shotOptions = &o;
    Tally tally;
    PauseWatch watch;
    const uint32_t runEnd = simTime + (uint32_t)(o.minutes * 60000.0);
    uint32_t gameStart = 0, endingStart = 0;
    uint64_t frames = 0, countedFrames = 0, allocs = 0, steadyFrames = 0, steadyAllocs = 0, worstFrame = 0;
    uint32_t nextMinute = simTime + 60000;
    int minute = 0;
    double wallStart = wallSeconds();

    while (runlevel != Shell::EXIT) {
        uint64_t allocStart = testsupport::threadAllocCount();
        unsigned games = shell->gamesStarted;
        unsigned removals = g_game ? g_game->actorRemovals : 0, actors = g_game ? g_game->actors.count : 0;
        unsigned pages = shell->pageChanges;
        int level = runlevel;
        shell->shotTaken = false; // writing a picture allocates; such a frame is not counted

        shell->frame();
        tally.frame();
        watch.frame();
        ++frames;

        if (runlevel == Shell::PLAY && gameStart == 0) gameStart = simTime;
        uint64_t used = testsupport::threadAllocCount() - allocStart;
        if (gameStart && simTime > gameStart + WARMUP && level == runlevel && !shell->shotTaken) {
            ++countedFrames;
            allocs += used;
            // A steady frame made and destroyed nothing: no game object, no
            // new game, no page shown or hidden.
            bool steady = g_game && shell->gamesStarted == games && g_game->actorRemovals == removals &&
                          g_game->actors.count == actors && shell->pageChanges == pages;
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
            fprintf(
                stderr,
                "minute %d: rss %.1f MB, game %d, wave %d, kills %d, deaths %d, powerups %d, level %d, %s\n",
                minute, residentMB(), tally.games, g_game ? g_game->wave : 0, tally.kills, tally.deaths,
                tally.powerups, tally.level, g_game && !g_game->playing ? "game over" : "playing");
        }
        if (!bot->quitting && simTime >= runEnd) {
            bot->quitting = true;
            endingStart = simTime;
        }
        if (bot->quitting && simTime > endingStart + ENDING_LIMIT + 1000) {
            fprintf(stderr, "the game did not quit within %u ms of the bot's quitting\n", ENDING_LIMIT);
            return 1;
        }
    }
    double wall = wallSeconds() - wallStart;
    Quenth::quit();

    printf("bot seed %d %s: %.2f min, %llu frames, games %d, wave %d, %d kills, %d deaths, %d power-ups, "
           "level %d, %.3f allocs/frame after warm-up, %llu allocs in %llu steady frames, %s, peak rss %.0f "
           "MB\n",
           o.seed, difficultyName(o.difficulty), simTime / 60000.0, (unsigned long long)frames, tally.games,
           tally.waves, tally.kills, tally.deaths, tally.powerups, tally.level,
           countedFrames ? (double)allocs / countedFrames : 0.0, (unsigned long long)steadyAllocs,
           (unsigned long long)steadyFrames, g_game && !g_game->playing ? "game over" : "alive",
           peakResidentMB());
    fprintf(stderr, "wall %.1f s (%.1f x real time), worst steady frame %llu allocs\n", wall,
            (simTime / 1000.0) / wall, (unsigned long long)worstFrame);
    printf("%d pauses, %d frames in which the paused game moved\n", watch.pauses, watch.faults);
    printf("%d high scores entered\n", tally.entries);
    printf("%d game overs, %d ways through the main menu's Controls and Options pages, music volume %d%%\n",
           bot->gameOvers, bot->tours, shell->settings.musicVolume);
    return watch.faults || tally.faults ? 1 : 0;
}

} // namespace

void skipToWave(int wave) {
    g_game->wave = wave - 1;
    vec2 centre = g_game->player->position;
    g_game->killEnemiesInRadius(centre, 1e7f);
}

// What the mixer's callback did, gathered at the end of each mix before the
// limiter (the audio thread writes, the game thread reads).
struct MixStats {
    std::atomic<uint64_t> cpuNs{0};   // CPU time of the audio thread at the end of the latest mix
    std::atomic<uint64_t> frames{0};  // sample frames mixed so far
    std::atomic<uint64_t> clipped{0}; // samples the mix itself clipped (at the end of the 16-bit range)
    std::atomic<int> peak{0};         // loudest sample since the last reset, made up to full level
    std::atomic<uint64_t> limited{0}; // mixes that began with the limiter turning down by more than 1 dB
    std::atomic<uint64_t> reduction{
        0};                          // the limiter's turning down at the start of each mix, summed, 1/1000 dB
    std::atomic<uint64_t> voices{0}; // channels playing, summed over mixes
    std::atomic<uint64_t> calls{0};  // mixes
    std::atomic<int> mostVoices{0};  // most channels playing in one mix since the last reset
};
MixStats mixStats;

void afterMix(int16_t const* s, int n) {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    int peak = mixStats.peak.load(std::memory_order_relaxed);
    uint64_t clipped = 0;
    for (int i = 0; i < n; ++i) {
        int a = s[i] < 0 ? -s[i] : s[i];
        if (a >= 32767) ++clipped;
        a = (int)(a / quenth::Mixer::mixLevel);
        if (a > peak) peak = a;
    }
    int playing = Mix_Playing(-1);
    mixStats.peak.store(peak, std::memory_order_relaxed);
    mixStats.clipped.fetch_add(clipped, std::memory_order_relaxed);
    double down = -20 * log10(quenth::Mixer::limiterGain);
    if (down > 1) mixStats.limited.fetch_add(1, std::memory_order_relaxed);
    mixStats.reduction.fetch_add((uint64_t)(down * 1000), std::memory_order_relaxed);
    mixStats.voices.fetch_add((uint64_t)playing, std::memory_order_relaxed);
    mixStats.calls.fetch_add(1, std::memory_order_relaxed);
    if (playing > mixStats.mostVoices.load(std::memory_order_relaxed))
        mixStats.mostVoices.store(playing, std::memory_order_relaxed);
    mixStats.frames.fetch_add((uint64_t)(n / quenth::Mixer::outputChannels), std::memory_order_relaxed);
    mixStats.cpuNs.store((uint64_t)ts.tv_sec * 1000000000ull + (uint64_t)ts.tv_nsec,
                         std::memory_order_release);
}

// The mixer's own cost in play: the game runs in real time (one 16 ms step
// of game time per 16 ms of wall time, the logic only, nothing drawn) with
// the bot at the controls and its ship kept whole, at waves 1, 10 and 20,
// reached as --bench reaches them. For each row, the CPU time of the audio
// thread (SDL_mixer's callback: the music's decoding and the effects' mixing;
// the driver sleeps in between) per second of sound produced.
int audioBenchMain(Options const& o) {
    startUp(o);
    if (!quenth::Mixer::ready) {
        fprintf(stderr, "no sound device opened; run with SDL_AUDIODRIVER=dummy (or disk)\n");
        return 1;
    }
    SDL_LockAudio();
    quenth::Mixer::afterMix = afterMix;
    SDL_UnlockAudio();
    const uint32_t SETTLE = 4000; // ms between a wave's start and its measurement
    printf("| scene    | enemies | game speed | voices mean | voices most | mixer CPU %% | peak dBFS | "
           "limiter dB | limited %% | clipped %% |\n");
    printf("|----------|--------:|-----------:|------------:|------------:|------------:|----------:|"
           "-----------:|----------:|----------:|\n");

    const int waves[3] = {1, 10, 20};
    int stage = 0;
    uint32_t measureFrom = 0, simStart = 0;
    double wallStart = 0, rowWall = 0;
    uint64_t cpu0 = 0, frames0 = 0, clipped0 = 0, voices0 = 0, calls0 = 0, limited0 = 0, reduction0 = 0;
    unsigned enemies = 0;
    double paceStart = wallSeconds();
    uint32_t paceSim = simTime;
    while (runlevel != Shell::EXIT && stage < 3) {
        if (g_game && g_game->player->hull > 0) g_game->player->hull = 125;
        shell->endFrame(false);
        shell->updateWorld();
        shell->updatePages();
        // Real time: never ahead of the wall clock.
        double ahead = (simTime - paceSim) * 0.001 - (wallSeconds() - paceStart);
        if (ahead > 0) usleep((useconds_t)(ahead * 1e6));

        if (runlevel != Shell::PLAY || g_game->wave == 0) continue;
        if (measureFrom == 0) measureFrom = simTime + SETTLE;
        if (simTime < measureFrom) continue;
        if (wallStart == 0) {
            wallStart = wallSeconds();
            simStart = simTime;
            cpu0 = mixStats.cpuNs.load(std::memory_order_acquire);
            frames0 = mixStats.frames.load();
            clipped0 = mixStats.clipped.load();
            voices0 = mixStats.voices.load();
            calls0 = mixStats.calls.load();
            limited0 = mixStats.limited.load();
            reduction0 = mixStats.reduction.load();
            mixStats.peak = 0;
            mixStats.mostVoices = 0;
            enemies = 0;
        }
        enemies = std::max(enemies, g_game->enemies.count);
        rowWall = wallSeconds() - wallStart;
        if (rowWall < o.seconds) continue;

        uint64_t cpu = mixStats.cpuNs.load(std::memory_order_acquire) - cpu0;
        uint64_t frames = mixStats.frames.load() - frames0;
        uint64_t calls = mixStats.calls.load() - calls0;
        double soundSeconds = (double)frames / quenth::Mixer::frequency;
        int peak = mixStats.peak.load();
        char name[16];
        snprintf(name, sizeof name, "wave %d", waves[stage]);
        uint64_t samples = frames * quenth::Mixer::outputChannels;
        printf("| %-8s | %7u | %9.2fx | %11.1f | %11d | %11.2f | %9.1f | %10.2f | %9.2f | %9.4f |\n", name,
               enemies, (simTime - simStart) * 0.001 / rowWall,
               calls ? (double)(mixStats.voices.load() - voices0) / calls : 0.0, mixStats.mostVoices.load(),
               soundSeconds > 0 ? cpu * 1e-9 / soundSeconds * 100 : 0.0,
               peak > 0 ? 20 * log10(peak / 32768.0) : -INFINITY,
               calls ? 0.001 * (mixStats.reduction.load() - reduction0) / calls : 0.0,
               calls ? 100.0 * (mixStats.limited.load() - limited0) / calls : 0.0,
               samples ? 100.0 * (mixStats.clipped.load() - clipped0) / samples : 0.0);
        wallStart = 0;
        if (++stage == 3) break;
        skipToWave(waves[stage]);
        measureFrom = simTime + SETTLE;
    }
    printf(
        "\nmixer CPU is the audio thread's CPU time per second of sound produced, %d s a row, %d Hz, "
        "%d channels out; peak is the mix's loudest sample before the limiter, limiter dB its mean turning "
        "down, "
        "limited the share of mixes it turned down by over 1 dB, clipped the share of samples the mix itself "
        "clipped\n",
        o.seconds, quenth::Mixer::frequency, quenth::Mixer::outputChannels);
    Quenth::quit();
    return 0;
}

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        fprintf(stderr, "usage: vorlane_bot [SEED [MINUTES]] [--size WxH] [--shots DIR] [--one-life] "
                        "[--difficulty D] [--powered] [--bench|--fill "
                        "[--samples N] [--leave-out KIND]...] [--audio]\n"
                        "       [--audio-bench [--seconds N]]\n");
        return 2;
    }
    bot = new Bot((uint32_t)o.seed);
    bot->powered = o.powered;
    bot->pauses = !o.bench && !o.audioBench;
    if (o.audioBench) return audioBenchMain(o);
    return o.bench ? benchMain(o) : play(o);
}
