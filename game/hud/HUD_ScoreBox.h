// game/hud: the screen panels: score and weapon boxes, bars, radar, dials, score counters and
// the reticle.
// Folders build one way, base <- settings <- scores <- weapons <- actors <- hud <- world: a file includes only its
// own folder and those before it (tests/game/LayoutTest checks this).
#ifndef VORLANE_GAME_HUD_SCOREBOX_H
#define VORLANE_GAME_HUD_SCOREBOX_H

#include "scene/Group.h"

class HUD_Bar;
class ScoreCounter;
class Sprite;

// HUD score panel, top left: the dial and the rolling score. The group is centred on its position; the dial
// image is drawn at half its own size.
class HUD_ScoreBox : public Group {
public:
    Sprite* dial;          // Resources::hud_score_tex, owned, the group's first child
    ScoreCounter* score;   // the score display, owned; not a child of the group
    HUD_Bar* lifeLamps[4]; // lamps under the box, owned children; one lit per spare life

    HUD_ScoreBox();
    virtual ~HUD_ScoreBox();
    // Lights one lamp per spare life (at most four).
    void showLives(int lives);
};

#endif
