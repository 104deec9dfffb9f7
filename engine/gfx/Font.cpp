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

void Font::draw_gl(char const* text) {
    // A font whose sheet is missing has nothing to show.
    if (!surface || !text) return;
    if (!texture) texture = new Texture(surface);
    // A sheet too large for the card gives a texture without storage.
    if (!texture->hasStorage()) return;

    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    texture->bind(GL_TEXTURE0);

    float tw = texture->uExtent / 16.0f, th = texture->vExtent / 16.0f;
    float a = (float)surface->width / (float)surface->height;
    // Work arrays reused by every call; GL reads them during glDrawArrays.
    static float vertices[8];
    static float coords[8];
    vertices[0] = 0, vertices[1] = 0;
    vertices[2] = a, vertices[3] = 0;
    vertices[4] = a, vertices[5] = 1;
    vertices[6] = 0, vertices[7] = 1;
    glVertexPointer(2, GL_FLOAT, 0, vertices);
    glTexCoordPointer(2, GL_FLOAT, 0, coords);
    for (unsigned char const* p = (unsigned char const*)text; *p; p++) {
        float s = (float)(*p % 16) * tw, t = (float)(*p / 16) * th;
        coords[0] = s, coords[1] = t;
        coords[2] = s + tw, coords[3] = t;
        coords[4] = s + tw, coords[5] = t + th;
        coords[6] = s, coords[7] = t + th;
        glDrawArrays(GL_QUADS, 0, 4);
        for (int k = 0; k < 8; k += 2) vertices[k] += a;
    }
}

void Font::draw_gl(Font* font, char const* text) {
    if (font) font->draw_gl(text);
}

} // namespace quenth
