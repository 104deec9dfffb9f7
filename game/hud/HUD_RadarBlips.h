#ifndef VORLANE_GAME_HUD_RADARBLIPS_H
#define VORLANE_GAME_HUD_RADARBLIPS_H

#include "engine/math/vec2.h"
#include "engine/util/Stack.h"
#include "scene/Drawable.h"

// The dots of the radar panel: every enemy (red) and power-up (gold) around
// the player on the wrapping arena, at their shortest offset across the
// seams, the player at the centre. Read from the game's lists when drawn.
class HUD_RadarBlips : public Drawable {
public:
    // One dot: screen offset from the radar's centre and its colour.
    struct Blip {
        quenth::vec2 offset;      // pixels
        unsigned char r, g, b, a; // colour
    };

    float screenRadius;        // radius of the radar screen, pixels
    float range;               // world units shown at the rim
    quenth::Stack<Blip> blips; // the dots of the last collect(), reused every frame

    HUD_RadarBlips();
    // Fills blips from the game's enemies and power-ups around the player.
    void collect();
    // Where a world offset from the player shows on the radar: scaled to the
    // screen and pulled in to the rim when beyond range.
    quenth::vec2 toRadar(quenth::vec2 const& worldOffset) const;
    virtual void draw(SceneState& state);
};

#endif
