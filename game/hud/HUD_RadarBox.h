#ifndef VORLANE_GAME_HUD_RADARBOX_H
#define VORLANE_GAME_HUD_RADARBOX_H

#include "scene/Group.h"

class HUD_RadarBlips;
class Sprite;

// HUD radar panel, bottom right. The group is centred on its position; the dial image is
// drawn at half its own size.
class HUD_RadarBox : public Group {
public:
    Sprite* dial;          // Resources::hud_radar_dials_tex, owned, the group's first child
    HUD_RadarBlips* blips; // enemies and power-ups around the player, owned child over the dial

    HUD_RadarBox();
    virtual ~HUD_RadarBox();
};

#endif
