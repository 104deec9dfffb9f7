#include "game/HUD_RadarBox.h"

#include "game/HUD_RadarBlips.h"
#include "game/HudDial.h"
#include "game/Resources.h"

HUD_RadarBox::HUD_RadarBox() {
    dial = makeHudDial(Resources::hud_radar_dials_tex);
    add(dial);
    blips = new HUD_RadarBlips();
    add(blips);
    markDirty();
}

HUD_RadarBox::~HUD_RadarBox() {
    delete blips;
    delete dial;
}
