#ifndef VORLANE_GAME_HUD_WEAPONBOX_H
#define VORLANE_GAME_HUD_WEAPONBOX_H

#include "scene/Group.h"

class HUD_Bar;
class Player;
class ScoreCounter;
class Sprite;
class Text;

// HUD weapon panel, bottom left. The group is centred on its position; the dial image is
// drawn at half its own size.
class HUD_WeaponBox : public Group {
public:
    Sprite* dial;              // Resources::hud_power_dials_tex, owned, the group's first child
    HUD_Bar* energyBar;        // fills the ENERGY slot with the player's energy, owned child
    HUD_Bar* hullBar;          // fills the HULL slot with the player's hull (125 is full), owned child;
                               // flashes red when hit, blinks below a quarter
    HUD_Bar* shieldBar;        // fills the SHIELD slot with the player's shield, owned child
    Text* boostText;           // "BOOST 4.2": seconds of speed boost left, owned child; hidden without one
    HUD_Bar* levelMarks[8];    // the WPN lamps, owned children; one lit per weapon level
    ScoreCounter* counters[3]; // owned, not children; the third is the game's weaponCounter

    static constexpr float flashTime = 250;   // ms the hull bar shows red after a hit
    static constexpr float blinkPeriod = 500; // ms of one on-off blink of a low hull bar

    HUD_WeaponBox();
    virtual ~HUD_WeaponBox();
    // Sets the bars from the player's energy, hull and shield and lights a
    // WPN mark per weapon level; reads the game clock for the hull's flash.
    void showPlayer(Player const* player);
};

#endif
