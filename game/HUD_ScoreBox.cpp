#include "game/HUD_ScoreBox.h"

#include "game/HudDial.h"
#include "game/Resources.h"
#include "game/ScoreCounter.h"

HUD_ScoreBox::HUD_ScoreBox() {
    dial = makeHudDial(Resources::hud_score_tex);
    add(dial);
    score = new ScoreCounter();
}

HUD_ScoreBox::~HUD_ScoreBox() {
    delete score;
    delete dial;
}
