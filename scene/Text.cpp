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
        static float rim[16];
        for (int i = 0; i < 4; i++) {
            rim[i * 4 + 0] = outline.r;
            rim[i * 4 + 1] = outline.g;
            rim[i * 4 + 2] = outline.b;
            rim[i * 4 + 3] = outline.a * color.a;
        }
        static const float offsets[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        glColorPointer(4, GL_FLOAT, 0, rim);
        for (auto const& o : offsets) {
            glPushMatrix();
            glTranslatef(originX + o[0] * rimWidth, originY + o[1] * rimWidth, 0);
            glScalef(textScale, textScale, 1);
            font->draw_gl(text.getCString());
            glPopMatrix();
        }
    }
    float colors[16];
    for (int i = 0; i < 4; i++) {
        colors[i * 4 + 0] = color.r;
        colors[i * 4 + 1] = color.g;
        colors[i * 4 + 2] = color.b;
        colors[i * 4 + 3] = color.a;
    }
    glTranslatef(originX, originY, 0);
    glScalef(textScale, textScale, 1);
    glColorPointer(4, GL_FLOAT, 0, colors);
    font->draw_gl(text.getCString());
}
