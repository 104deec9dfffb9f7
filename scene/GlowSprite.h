#ifndef SCENE_GLOWSPRITE_H
#define SCENE_GLOWSPRITE_H

#include "scene/Sprite.h"

namespace quenth {
class Silhouette;
} // namespace quenth

// A sprite with an additive glow of the same size over it, drawn as one
// polygon in one pass. The result is that of the sprite drawn with alpha
// blending and then the glow added with (source alpha, one), colour and alpha
// channels alike: the glow program writes the sum of both as its colour and
// the sprite's coverage as a second output that scales what lies below
// (dual-source blending). Only the outline is filled, not the whole square.
// Where the GL has no dual-source blending the two are drawn one after the
// other over the same outline.
class GlowSprite : public Sprite {
public:
    quenth::Texture* glowTexture;      // added over the image; not owned; null draws the sprite alone
    quenth::Silhouette const* outline; // part of the square that can show, covering both images;
                                       // not owned; null fills the whole square

    GlowSprite(quenth::Texture* tex, quenth::Texture* glow, float w, float h);
    ~GlowSprite() override;

    void draw(SceneState& state) override;
};

#endif
