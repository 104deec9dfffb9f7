#include "game/hud/HUD_RadarBox.h"

#include "game/base/Resources.h"
#include "game/hud/HUD_RadarBlips.h"
#include "game/hud/HudDial.h"

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
