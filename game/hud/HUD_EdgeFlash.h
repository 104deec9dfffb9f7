#ifndef VORLANE_GAME_HUD_EDGEFLASH_H
#define VORLANE_GAME_HUD_EDGEFLASH_H

#include "scene/Drawable.h"

// A red glow along the four edges of the screen, strongest at the edge and
// clear a band's width inside it: the cue that the ship has been hit. Covers
// the whole HUD from its top-left corner; show() sets its strength. The node
// itself stays opaque so that the scene walk reaches it between hits (see draw()).
class HUD_EdgeFlash : public Drawable {
public:
    static constexpr float flashTime = 300; // ms from full strength to nothing after a hit
    float band;                             // width of the glow, screen pixels
    unsigned char glow;                     // 0-255, strength at the edge now; 0: not drawn
    bool primed; // drawn once while clear, so the GL driver has prepared its pipeline

    HUD_EdgeFlash();
    // Strength from the time of the last hit (0: never) at now, both ms, and
    // the damage of that hit: harder hits flash brighter.
    void show(float hitTime, float hitAmount, float now);
    virtual void draw(SceneState& state);
};

#endif
