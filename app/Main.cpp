// The program: start-up, the program-wide singletons, and the one main loop
// with its run levels (3 title, 4 title fading out, 2 game, -1 quitting, 0 end).

#include "app/Apology.h"
#include "app/StartUp.h"
#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Screenshot.h"
#include "engine/gfx/Texture.h"
#include "engine/util/DataDir.h"
#include "engine/util/NumberedFiles.h"
#include "engine/util/Random.h"
#include "game/actors/EnemyShip.h"
#include "game/base/Fader.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "game/hud/ScreenshotNotice.h"
#include "game/world/Game.h"
#include "scene/DirectScene2D.h"
#include "scene/Scene2D.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <ctime>
#include <string>

using quenth::Quenth;

quenth::Random g_rand((int)0xd34db33f);
Scene2D* g_world = nullptr;
DirectScene2D* g_hud = nullptr;
Fader* g_fader = nullptr;
Game* g_game = nullptr;
Menu* g_menu = nullptr;
Mix_Music* music = nullptr;
int runlevel = 1;

// Starts the audio subsystem and loads the track. A missing device or file
// leaves the game silent: SDL_mixer ignores calls without music.
void loadMusic() {
    SDL_InitSubSystem(SDL_INIT_AUDIO);
#if SDL_MIXER_MAJOR_VERSION * 10000 + SDL_MIXER_MINOR_VERSION * 100 + SDL_MIXER_PATCHLEVEL >= 10210
    Mix_Init(2);
#endif
    Mix_OpenAudio(44100, AUDIO_S16LSB, 1, 65536);
    music = Mix_LoadMUS(quenth::DataDir::path("sfx/music1.ogg").c_str());
}

namespace {

void setFaderColor(float r, float g, float b) {
    g_fader->r = r;
    g_fader->g = g;
    g_fader->b = b;
    g_fader->a = 1.0f;
}

bool titleLeft() {
    return Quenth::keyPressed(SDLK_RETURN) || Quenth::keyPressed(SDLK_SPACE) ||
           Quenth::keyPressed(SDLK_KP_ENTER) || Quenth::mouseDown(1) || Quenth::mouseDown(2) ||
           Quenth::mouseDown(3);
}

// The title page while it is shown; null once the game has begun.
Apology* apology = nullptr;

// Runs once the title has faded to black: the title page gives way to the game.
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
    if (music) Mix_PlayMusic(music, -1);
}

} // namespace

int main(int argc, char** argv) {
    // Screenshots go on from the highest number in the working directory.
    static quenth::NumberedFiles screenshots(".", "screenshot_", ".bmp");
    // A screenshot was asked for in the last frame. It is written from the
    // back buffer of the next frame once that is drawn, before the swap: the
    // front buffer cannot be read back on every GL.
    static bool shotPending = false;

    // Line by line, so that the loading log shows as it happens also when
    // standard output is a pipe or a file.
    setvbuf(stdout, nullptr, _IOLBF, 0);

    // The command line, the data directory, the player's settings and the
    // window in the display mode they ask for; ends the process for --help
    // and the like.
    static StartUp startUp;
    startUp.run(argc, argv, "Vorlane - Unfinished KVT '11 version");
    Quenth::update();
    Resources::load();

    g_rand.init((int)time(nullptr));
    g_world = new Scene2D(-1, -1);
    g_world->worldSize = quenth::vec2(4096, 4096);
    EnemyShip::prepareDrawing(g_world);
    g_hud = new DirectScene2D(-1, -1);

    g_fader = new Fader();
    runlevel = 3;
    Quenth::update();
    setFaderColor(1, 1, 1);
    g_world->debugDraw = false;
    g_hud->debugDraw = false;
    apology = new Apology();

    loadMusic();
    printf("Used texture memory: %f megabytes\n", (float)quenth::Texture::usedMemory * 9.5367431640625e-07);

    while (runlevel != 0) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        g_world->draw();
        g_hud->draw();
        g_fader->draw();
        if (shotPending) {
            std::string name = quenth::Screenshot::saveNumbered(screenshots);
            if (!name.empty()) ScreenshotNotice::announce(name.c_str());
            shotPending = false;
        }
        Quenth::update();
        quenth::GameClock::update();

        // Level 1 (a menu) is never entered: no menu is offered.
        if (runlevel == 2) g_game->update();

        // A second draw advances the fade value; its pixels are cleared by the
        // next frame's glClear.
        g_fader->draw();

        if (runlevel == 3 && g_fader->done() && titleLeft()) {
            setFaderColor(0, 0, 0);
            g_fader->fadeOut(1000);
            runlevel = 4;
        }
        if (runlevel == 4 && g_fader->done()) startGame();

        // A fade in progress, also the game's white flashes, makes Escape wait.
        if (g_fader->done() && Quenth::keyPressed(SDLK_ESCAPE)) {
            setFaderColor(0, 0, 0);
            g_fader->fadeOut(1000);
            Mix_FadeOutMusic(950);
            runlevel = -1;
        }

        if (Quenth::keyPressed(SDLK_F1)) {
            shotPending = true;
            ScreenshotNotice::hideForShot();
        }

        // The last frame waits for a screenshot still to be written.
        if (runlevel == -1 && g_fader->done() && !shotPending) runlevel = 0;
    }

    Quenth::quit();
    return 0;
}
