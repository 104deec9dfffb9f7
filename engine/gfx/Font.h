#ifndef QUENTH_GFX_FONT_H
#define QUENTH_GFX_FONT_H

namespace quenth {

class Surface;
class Texture;

// A bitmap font: one sheet holding all 256 byte codes as a 16 x 16 grid of
// equal cells (cell = sheet size / 16, integer division), code c in column
// c % 16 and row c / 16, row 0 at the top. Fixed advance, alpha from the sheet.
class Font {
public:
    Surface* surface; // the sheet; owned; null when it could not be loaded
    Texture* texture; // the sheet as a texture; owned; null until first needed

    // Takes ownership of sheet, which may be null (such a font draws nothing).
    explicit Font(Surface* sheet);
    ~Font();

    Font(Font const&) = delete;
    Font& operator=(Font const&) = delete;

    // text in one line on a new Surface of (length * cell width) x cell
    // height; codes 128-255 stay transparent. Null when sheet is null.
    static Surface* render(Surface const* sheet, char const* text);
    Surface* render(char const* text) const;
    // render() made into a Texture (padded, with extents); a font without a
    // sheet gives a texture without storage.
    Texture* render_tex(char const* text) const;

    // Draws text at the current matrices: one quad per byte, each 1 unit high
    // and (sheet width / sheet height) wide, from the origin along +x, y = 0
    // at the top of the glyphs, tinted by rgba (r, g, b, a in 0..1; white when
    // null). The quads go out a run of up to RUN in one draw. Leaves
    // texturing and the vertex, texture-coordinate and colour arrays enabled,
    // the colour array pointing at the font's own.
    void draw_gl(char const* text, float const* rgba = nullptr);
    // Nothing for a null font.
    static void draw_gl(Font* font, char const* text, float const* rgba = nullptr);

    static const int RUN = 64; // glyphs drawn by one glDrawArrays
};

} // namespace quenth

#endif
