#include "game/hud/HUD_WeaponBox.h"

#include "engine/math/vec3.h"
#include "game/actors/Player.h"
#include "game/base/Resources.h"
#include "game/hud/HUD_Bar.h"
#include "game/hud/HudDial.h"
#include "game/hud/ScoreCounter.h"

HUD_WeaponBox::HUD_WeaponBox() {
    dial = makeHudDial(Resources::hud_power_dials_tex);
    add(dial);
    // Inside the two bar slots of the panel, in the box's frame.
    energyBar = new HUD_Bar(119, 10, 90, 200, 255, 230);
    energyBar->position = quenth::vec3(-36.5f, -25.5f, 0);
    hullBar = new HUD_Bar(119, 10, 120, 255, 140, 230);
    hullBar->position = quenth::vec3(-36.5f, 0.5f, 0);
    add(energyBar);
    add(hullBar);
    markDirty();
    for (int i = 0; i < 3; ++i) counters[i] = new ScoreCounter();
}

void HUD_WeaponBox::showPlayer(Player const* player) {
    energyBar->setFill(player->energy, player->maxEnergy);
    hullBar->setFill(player->hull, 125);
}

HUD_WeaponBox::~HUD_WeaponBox() {
    for (int i = 0; i < 3; ++i) delete counters[i];
    delete energyBar;
    delete hullBar;
    delete dial;
}
