#include "game/HUD_RadarBox.h"

#include "game/HudDial.h"
#include "game/Resources.h"

HUD_RadarBox::HUD_RadarBox() {
    dial = makeHudDial(Resources::hud_radar_dials_tex);
    add(dial);
}

HUD_RadarBox::~HUD_RadarBox() {
    delete dial;
}
