// The program-wide globals, defined here for the game's test program (the
// program itself defines them in app/Main.cpp).
#include "game/base/Globals.h"
#include "game/world/Game.h"

quenth::Random g_rand(0xd34db33f);
Scene2D* g_world = nullptr;
DirectScene2D* g_hud = nullptr;
Fader* g_fader = nullptr;
Game* g_game = nullptr;
Menu* g_menu = nullptr;
Mix_Music* music = nullptr;
int runlevel = 1;
