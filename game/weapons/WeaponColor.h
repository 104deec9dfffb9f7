#ifndef VORLANE_GAME_WEAPONCOLOR_H
#define VORLANE_GAME_WEAPONCOLOR_H

#include <cstdint>

// Colour of a weapon's projectiles, bytes 0-255.
struct WeaponColor {
    uint8_t r, g, b, a;
};

#endif
