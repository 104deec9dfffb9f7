#ifndef VORLANE_GAME_HUD_BAR_H
#define VORLANE_GAME_HUD_BAR_H

#include "scene/Drawable.h"

// A solid HUD rectangle filled from its left edge: the energy and hull bars
// of the weapon panel and the spare-life lamps of the score panel. Its
// position is its top-left corner; its colour is the blend colour.
class HUD_Bar : public Drawable {
public:
    float fill; // share of the width drawn, 0..1

    // w x h pixels, colour bytes 0-255, full.
    HUD_Bar(float w, float h, unsigned char r, unsigned char g, unsigned char b, unsigned char a);
    virtual void draw(SceneState& state);
    // fill = value / max clamped to [0, 1]; 0 when max is not positive.
    void setFill(float value, float max);
};

#endif
