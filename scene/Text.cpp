#include "scene/Text.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Surface.h"
#include "scene/SceneState.h"
#include "scene/Shaders.h"

#include <GL/gl.h>

// A font without a sheet has no glyph size: such a text measures 0 and draws
// nothing, where the atlas size would otherwise be read through null.
static bool hasSheet(quenth::Font const* font) {
    return font && font->surface;
}

Text::Text(quenth::Font* f, char const* s) : font(f) {
    color = RGBAf{1.0f, 1.0f, 1.0f, 1.0f};
    outline = RGBAf{0.0f, 0.0f, 0.0f, 0.0f};
    textScale = hasSheet(font) ? (float)(font->surface->height >> 4) : 0.0f;
    setText(s);
    setHotSpot(TOP_LEFT);
}

Text::~Text() {}

float Text::glyphAspect() const {
    if (!hasSheet(font)) return 0.0f;
    return (float)font->surface->width / (float)font->surface->height;
}

void Text::updateTextSize() {
    size.y = textScale;
    size.x = text.length() * glyphAspect() * textScale;
}

void Text::setText(char const* s) {
    text = s ? s : "";
    updateTextSize();
}

void Text::draw(SceneState&) {
    float originX = hotSpot.x - size.x * 0.5f;
    float originY = hotSpot.y - size.y * 0.5f;
    updateTextSize();
    if (!hasSheet(font)) return;
    Shaders::texture_shader_fixed->bind();
    if (outline.a > 0) {
        // The glyphs again, a little off to each diagonal, under the text:
        // a dark rim about one pixel wide that fades with the text.
        const float rim[4] = {outline.r, outline.g, outline.b, outline.a * color.a};
        static const float offsets[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (auto const& o : offsets) {
            glPushMatrix();
            glTranslatef(originX + o[0] * rimWidth, originY + o[1] * rimWidth, 0);
            glScalef(textScale, textScale, 1);
            font->draw_gl(text.getCString(), rim);
            glPopMatrix();
        }
    }
    const float tint[4] = {color.r, color.g, color.b, color.a};
    glTranslatef(originX, originY, 0);
    glScalef(textScale, textScale, 1);
    font->draw_gl(text.getCString(), tint);
}
