#ifndef GAME_GLOBALS_H
#define GAME_GLOBALS_H

#include "engine/util/Random.h"

#include <SDL/SDL_mixer.h>

class Scene2D;
class DirectScene2D;
class Fader;
class Menu;

// The program-wide singletons. The program defines them in app/Main.cpp (test
// programs define their own). All are created once and live until the process
// ends.

extern quenth::Random g_rand; // the game's random source; seed 0xd34db33f, reseeded with the time
extern Scene2D* g_world;      // world scene: everything in the wrapping 4096 x 4096 arena
extern DirectScene2D* g_hud;  // screen scene: title text, HUD, reticle, messages
extern Fader* g_fader;        // full-screen fade veil, drawn after both scenes
extern Menu* g_menu;          // the menu page taking input; null while none is shown
extern Mix_Music* music;      // the music track, null when it could not be loaded
extern int runlevel;          // 3 title, 4 fade to black, 1 menu, 2 game, -1 quitting, 0 leave the loop

#endif
