#include "game/HUD_WeaponBox.h"

#include "game/HudDial.h"
#include "game/Resources.h"
#include "game/ScoreCounter.h"

HUD_WeaponBox::HUD_WeaponBox() {
    dial = makeHudDial(Resources::hud_power_dials_tex);
    add(dial);
    for (int i = 0; i < 3; ++i) counters[i] = new ScoreCounter();
}

HUD_WeaponBox::~HUD_WeaponBox() {
    for (int i = 0; i < 3; ++i) delete counters[i];
    delete dial;
}
