#ifndef VORLANE_GAME_RETICLE_H
#define VORLANE_GAME_RETICLE_H

#include "scene/Group.h"

class Sprite;

// The mouse crosshair in the HUD scene, with a glow that pulses between
// alpha 64 and 192 over about 1257 ms.
class Reticle : public Group {
public:
    Sprite* sprite; // Resources::reticle_tex at 38 x 38, owned
    Sprite* glow;   // Resources::reticle_glow_tex at 40 x 40, owned; drawn over the crosshair

    Reticle();
    virtual ~Reticle();
    // Follows the mouse and pulses the glow.
    void update();
};

#endif
