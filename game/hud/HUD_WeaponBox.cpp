#include "game/hud/HUD_WeaponBox.h"

#include <cmath>

#include "engine/core/GameClock.h"
#include "engine/math/vec3.h"
#include "game/actors/Player.h"
#include "game/base/Resources.h"
#include "game/hud/HUD_Bar.h"
#include "game/hud/HudDial.h"
#include "game/hud/ScoreCounter.h"
#include "scene/Text.h"

#include <cstdio>

HUD_WeaponBox::HUD_WeaponBox() {
    dial = makeHudDial(Resources::hud_power_dials_tex);
    add(dial);
    // Inside the three bar slots of the panel, in the box's frame.
    energyBar = new HUD_Bar(119, 7, 90, 200, 255, 230);
    energyBar->position = quenth::vec3(-36.5f, -32.5f, 0);
    hullBar = new HUD_Bar(119, 7, 120, 255, 140, 230);
    hullBar->position = quenth::vec3(-36.5f, -15.5f, 0);
    shieldBar = new HUD_Bar(119, 7, 120, 215, 255, 230);
    shieldBar->position = quenth::vec3(-36.5f, 1.5f, 0);
    add(energyBar);
    add(hullBar);
    add(shieldBar);
    // Above the panel, right of the energy readout.
    boostText = new Text(Resources::font_medium, nullptr);
    boostText->textScale = 15;
    boostText->color = Text::RGBAf{1.0f, 0.85f, 0.3f, 1.0f};
    boostText->setHotSpot(TOP_LEFT);
    boostText->position = quenth::vec3(45, -62, 0);
    boostText->setVisible(false);
    add(boostText);
    // Over the eight lamps along the bottom of the panel.
    for (int i = 0; i < 8; ++i) {
        levelMarks[i] = new HUD_Bar(10, 4, 255, 200, 80, 255);
        levelMarks[i]->position = quenth::vec3(-37.5f + 15.5f * i, 26.5f, 0);
        levelMarks[i]->setVisible(false);
        add(levelMarks[i]);
    }
    markDirty();
    for (int i = 0; i < 3; ++i) counters[i] = new ScoreCounter();
}

void HUD_WeaponBox::showPlayer(Player const* player) {
    energyBar->setFill(player->energy, player->maxEnergy);
    float now = (float)quenth::GameClock::currentTime;
    hullBar->setFill(player->hull, 125);
    // Red for a moment after a hit; below a quarter of a fresh hull it blinks.
    bool flash = player->hitTime > 0 && now - player->hitTime < flashTime;
    hullBar->blendColor.r = flash ? 255 : 120;
    hullBar->blendColor.g = flash ? 50 : 255;
    hullBar->blendColor.b = flash ? 40 : 140;
    bool low = player->hull > 0 && player->hull < 0.25f * 125;
    hullBar->setVisible(!low || fmodf(now, blinkPeriod) < blinkPeriod * 0.5f);
    shieldBar->setFill(player->shield, player->maxShield);
    bool boost = player->boosting(now);
    boostText->setVisible(boost);
    if (boost) {
        static char buf[32];
        snprintf(buf, sizeof buf, "BOOST %.1f", (player->speedBoostEnd - now) * 0.001f);
        boostText->setText(buf);
        boostText->setHotSpot(TOP_LEFT);
    }
    for (int i = 0; i < 8; ++i) levelMarks[i]->setVisible(i < player->weaponLevel);
}

HUD_WeaponBox::~HUD_WeaponBox() {
    for (int i = 0; i < 3; ++i) delete counters[i];
    delete energyBar;
    delete hullBar;
    delete shieldBar;
    delete boostText;
    for (int i = 0; i < 8; ++i) delete levelMarks[i];
    delete dial;
}
