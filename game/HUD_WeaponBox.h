#ifndef VORLANE_GAME_HUD_WEAPONBOX_H
#define VORLANE_GAME_HUD_WEAPONBOX_H

#include "scene/Group.h"

class ScoreCounter;
class Sprite;

// HUD weapon panel, bottom left. The group is centred on its position; the dial image is
// drawn at half its own size.
class HUD_WeaponBox : public Group {
public:
    Sprite* dial;              // Resources::hud_power_dials_tex, owned, the group's first child
    ScoreCounter* counters[3]; // owned, not children; the third is the game's weaponCounter

    HUD_WeaponBox();
    virtual ~HUD_WeaponBox();
};

#endif
