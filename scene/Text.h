#ifndef SCENE_TEXT_H
#define SCENE_TEXT_H

#include "engine/util/String.h"
#include "scene/Drawable.h"

namespace quenth {
class Font;
}

// One line of bitmap-font text. Its position is the top-left corner of the
// first glyph (hot spot TOP_LEFT for the text it was made with). The glyphs
// are drawn in the text's own colour; the scene's composed colour does not
// tint them, but a composed alpha of 0 still hides the node.
class Text : public Drawable {
public:
    // A colour as four floats 0-1.
    struct RGBAf {
        float r, g, b, a;
    };

    quenth::Font* font;  // 16 x 16 glyph atlas; not owned
    quenth::String text; // the characters
    RGBAf color;         // colour of the glyphs, 0-1; game code fades text through color.a
    RGBAf outline; // rim drawn round the glyphs so they read over any background; alpha 0 (the default): none
    float textScale; // glyph height in pixels: atlas height / 16

    static constexpr float rimWidth =
        1.2f; // offset of the outline, in the text's own frame (pixels at scale 1)

    Text(quenth::Font* font, char const* text);
    ~Text() override;

    // A null s counts as empty. Sets the size; the hot spot stays as it was.
    void setText(char const* s);
    void draw(SceneState& state) override;

private:
    // Width of one glyph cell when its height is 1: atlas width / atlas height.
    float glyphAspect() const;
    void updateTextSize();
};

#endif
