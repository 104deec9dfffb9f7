#ifndef VORLANE_GAME_SHIELDRING_H
#define VORLANE_GAME_SHIELDRING_H

#include "scene/Drawable.h"

// The player's shield: a soft additive ring round the ship, brightest in the
// middle of its band. The player sets its brightness from the shield's
// strength; the ring is centred on the node. The node itself stays opaque so
// that the scene walk reaches it while the ring is dark (see draw()).
class ShieldRing : public Drawable {
public:
    static constexpr int segments = 48; // straight pieces round the circle

    float radius;             // to the middle of the band, world units
    float thickness;          // full width of the band with its soft edges, world units
    unsigned char brightness; // 0-255, scaled by the node's own alpha; 0: not drawn
    bool primed;              // drawn once while dark, so the GL driver has prepared its pipeline

    // A ring of the given size in the colour r, g, b (bytes 0-255), dark until shown.
    ShieldRing(float radius, float thickness, unsigned char r, unsigned char g, unsigned char b);
    virtual void draw(SceneState& state);
};

#endif
