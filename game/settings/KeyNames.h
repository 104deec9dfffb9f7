#ifndef VORLANE_GAME_SETTINGS_KEYNAMES_H
#define VORLANE_GAME_SETTINGS_KEYNAMES_H

#include <SDL/SDL_keysym.h>

// The names of the keys a player can bind, as SDL 1.2 spells them ("w", "up",
// "left shift", "[8]" for the keypad's 8, "space"). SDL_GetKeyName knows them
// only once SDL's video is running; the settings are read before that, so
// the game keeps its own copy of the table.
class KeyNames {
public:
    // SDL's name of key; null for a key not in the table.
    static char const* name(SDLKey key);
    // The key called name (letters in either case); SDLK_UNKNOWN when there
    // is no such key in the table.
    static SDLKey key(char const* name);
    // A key that may steer the ship: one in the table that the game does not
    // keep for itself (Escape quits, F1 takes a screenshot).
    static bool bindable(SDLKey key);

    struct Entry {
        SDLKey key;       // the key
        char const* name; // SDL's name of it
    };
    static Entry const table[]; // every named key
    static int const count;     // entries in table
};

#endif
