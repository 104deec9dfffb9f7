#ifndef SCENE_SPRITE_H
#define SCENE_SPRITE_H

#include "scene/Drawable.h"

namespace quenth {
class Texture;
}

// One textured rectangle centred on its hot spot, showing either the whole
// texture or one cell of a columns x rows sprite sheet.
class Sprite : public Drawable {
public:
    quenth::Texture* texture;       // the image; not owned; null draws nothing
    quenth::Texture* secondTexture; // kept for owners that pair two images; never drawn
    bool animated;                  // false: whole texture; true: cell `frame` of the sheet
    int columns;                    // cells across the sheet
    int rows;                       // cells down the sheet
    int frame;                      // cell index, row by row from texture coordinate (0, 0)

    // A size of exactly -1 is taken from the texture: the image's own pixels.
    Sprite(quenth::Texture* tex, float w, float h);
    Sprite(quenth::Texture* tex, quenth::Texture* second, float w, float h);
    ~Sprite() override;

    void init(quenth::Texture* tex, quenth::Texture* second, float w, float h);
    void draw(SceneState& state) override;

    // The texture coordinates of the four corners (top left, top right,
    // bottom right, bottom left) for the current frame.
    void texCoords(float out[8]) const;
};

#endif
