#define GL_GLEXT_PROTOTYPES
#include "engine/gfx/Font.h"

#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <cstring>

namespace quenth {

Font::Font(Surface* sheet) : surface(sheet), texture(nullptr) {}

Font::~Font() {
    delete surface;
    delete texture;
}

Surface* Font::render(Surface const* sheet, char const* text) {
    if (!sheet) return nullptr;
    if (!text) text = "";
    int n = (int)strlen(text);
    int cw = sheet->width / 16, ch = sheet->height / 16;
    Surface* out = new Surface(n * cw, ch);
    for (int i = 0; i < n; i++) {
        // Signed on purpose: bytes 128-255 address cells left of and above
        // the sheet, which copy() skips, so those glyphs stay transparent.
        int c = (signed char)text[i];
        out->copy(sheet, c % 16 * cw, c / 16 * ch, i * cw, 0, cw, ch);
    }
    return out;
}

Surface* Font::render(char const* text) const {
    return render(surface, text);
}

Texture* Font::render_tex(char const* text) const {
    Surface* s = render(text);
    Texture* t = new Texture(s);
    delete s;
    return t;
}

void Font::draw_gl(char const* text, float const* rgba) {
    // A font whose sheet is missing has nothing to show.
    if (!surface || !text) return;
    if (!texture) texture = new Texture(surface);
    // A sheet too large for the card gives a texture without storage.
    if (!texture->hasStorage()) return;

    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    texture->bind(GL_TEXTURE0);

    float tw = texture->uExtent / 16.0f, th = texture->vExtent / 16.0f;
    float a = (float)surface->width / (float)surface->height;
    static const float white[4] = {1, 1, 1, 1};
    if (!rgba) rgba = white;
    // Work arrays reused by every call; GL reads them during glDrawArrays.
    static float vertices[RUN * 8];
    static float coords[RUN * 8];
    static float colors[RUN * 16];
    glVertexPointer(2, GL_FLOAT, 0, vertices);
    glTexCoordPointer(2, GL_FLOAT, 0, coords);
    glColorPointer(4, GL_FLOAT, 0, colors);
    // Each glyph starts where the last ended, the sum carried as it goes.
    float x = 0;
    int n = 0;
    for (unsigned char const* p = (unsigned char const*)text; *p; p++) {
        float s = (float)(*p % 16) * tw, t = (float)(*p / 16) * th;
        float next = x + a;
        float* v = vertices + n * 8;
        v[0] = x, v[1] = 0, v[2] = next, v[3] = 0, v[4] = next, v[5] = 1, v[6] = x, v[7] = 1;
        float* c = coords + n * 8;
        c[0] = s, c[1] = t, c[2] = s + tw, c[3] = t, c[4] = s + tw, c[5] = t + th, c[6] = s, c[7] = t + th;
        for (int k = 0; k < 16; k++) colors[n * 16 + k] = rgba[k % 4];
        x = next;
        if (++n == RUN || !p[1]) {
            glDrawArrays(GL_QUADS, 0, n * 4);
            n = 0;
        }
    }
}

void Font::draw_gl(Font* font, char const* text, float const* rgba) {
    if (font) font->draw_gl(text, rgba);
}

} // namespace quenth
