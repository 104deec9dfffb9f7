#include "game/hud/HUD_ScoreBox.h"

#include "engine/math/vec3.h"
#include "game/base/Resources.h"
#include "game/hud/HUD_Bar.h"
#include "game/hud/HudDial.h"
#include "game/hud/ScoreCounter.h"

HUD_ScoreBox::HUD_ScoreBox() {
    dial = makeHudDial(Resources::hud_score_tex);
    add(dial);
    score = new ScoreCounter();
    // Over the four small marks right under the box, in the box's frame.
    for (int i = 0; i < 4; ++i) {
        lifeLamps[i] = new HUD_Bar(6, 3, 255, 235, 140, 255);
        lifeLamps[i]->position = quenth::vec3(50.0f + 9 * i, 8.5f, 0);
        add(lifeLamps[i]);
    }
    markDirty();
}

void HUD_ScoreBox::showLives(int lives) {
    for (int i = 0; i < 4; ++i) lifeLamps[i]->setVisible(i < lives);
}

HUD_ScoreBox::~HUD_ScoreBox() {
    delete score;
    for (int i = 0; i < 4; ++i) delete lifeLamps[i];
    delete dial;
}
