// The program-wide singletons of game/base/Globals.h and g_game, for the
// program and the play-test bot (the game's own tests define theirs).
#include "game/base/Globals.h"
#include "game/world/Game.h"

quenth::Random g_rand((int)0xd34db33f);
Scene2D* g_world = nullptr;
DirectScene2D* g_hud = nullptr;
Fader* g_fader = nullptr;
Game* g_game = nullptr;
Menu* g_menu = nullptr;
Mix_Music* music = nullptr;
int runlevel = 1;
