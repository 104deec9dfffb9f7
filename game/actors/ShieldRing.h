#ifndef VORLANE_GAME_SHIELDRING_H
#define VORLANE_GAME_SHIELDRING_H

#include "scene/Drawable.h"

// The player's shield: a soft additive ring round the ship, brightest in the
// middle of its band. Its brightness is the blend colour's alpha, which the
// player sets from the shield's strength; the ring is centred on the node.
class ShieldRing : public Drawable {
public:
    static constexpr int segments = 48; // straight pieces round the circle

    float radius;    // to the middle of the band, world units
    float thickness; // full width of the band with its soft edges, world units

    // A ring of the given size in the colour r, g, b (bytes 0-255), dark until shown.
    ShieldRing(float radius, float thickness, unsigned char r, unsigned char g, unsigned char b);
    virtual void draw(SceneState& state);
};

#endif
