#ifndef VORLANE_GAME_HUD_WEAPONBOX_H
#define VORLANE_GAME_HUD_WEAPONBOX_H

#include "scene/Group.h"

class HUD_Bar;
class Player;
class ScoreCounter;
class Sprite;

// HUD weapon panel, bottom left. The group is centred on its position; the dial image is
// drawn at half its own size.
class HUD_WeaponBox : public Group {
public:
    Sprite* dial;              // Resources::hud_power_dials_tex, owned, the group's first child
    HUD_Bar* energyBar;        // fills the ENERGY slot with the player's energy, owned child
    HUD_Bar* hullBar;          // fills the HULL slot with the player's hull (125 is full), owned child
    ScoreCounter* counters[3]; // owned, not children; the third is the game's weaponCounter

    HUD_WeaponBox();
    virtual ~HUD_WeaponBox();
    // Sets the bars from the player's energy and hull.
    void showPlayer(Player const* player);
};

#endif
