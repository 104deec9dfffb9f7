// The four bitmap font sheets: 16 x 16 cells for the byte codes 0-255 (code c
// in column c % 16, row c / 16), white glyphs on transparent, every glyph on
// the same baseline. The game advances each character by one cell, so the
// cell's width sets the letter spacing: the sheets are narrower than high,
// giving cells a little wider than the face's own advance (0.602 em).
// Control codes, 127 and the no-break space stay empty; 161-255 carry the
// Latin-1 characters.
#include "tools/assetgen/Art.h"
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/FontFace.h"

#include <algorithm>
#include <cmath>

namespace {

// Advance of every glyph of DejaVu Sans Mono, in em.
const double kAdvance = 0.6021;

struct Sheet {
    const char* file; // picture name
    int width;        // sheet width in pixels (cells are width / 16 across)
    int height;       // sheet height in pixels (cells are height / 16 high)
    const char* face; // DejaVu file
    double em;        // em size as a fraction of the cell height
};

void drawSheet(const Paths& paths, const Sheet& s) {
    FontFace font(paths.fonts + "/" + s.face);
    const int cw = s.width / 16, ch = s.height / 16;
    const double em = s.em * ch;
    // One baseline for every cell, placing the span from the top of the
    // brackets (0.765 em) to the bottom of the descenders (0.24 em) in the
    // middle of the cell, on a pixel boundary so that the feet of the
    // letters end sharply instead of in a half-covered row.
    const double baseline = std::round(0.5 * (ch - 1.005 * em) + 0.765 * em);
    Canvas cv(s.width, s.height, false);
    cairo_t* cr = cv.cr;
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    for (unsigned code = 33; code < 256; ++code) {
        if (code >= 127 && code <= 160) continue;
        double x0, y0, x1, y1;
        if (!font.inkBounds(code, x0, y0, x1, y1)) continue;
        const int col = code % 16, row = code / 16;
        const double left = col * cw + 1, right = (col + 1) * cw - 1;
        // Nothing may reach a cell's outer pixels: linear filtering would pull
        // it into the neighbour. A glyph too wide for the rest (the full-width
        // W, M, # in the smallest cells) is narrowed to fit; one too tall (the
        // accented capitals, the dot of i in the smallest cells, the
        // underscore) is flattened towards its baseline.
        const double emX = em * std::min(1.0, (right - left) / ((x1 - x0) * em));
        const double above = baseline - 1, below = ch - 1 - baseline;
        double emY = em;
        if (y1 * emY > above) emY = above / y1;
        if (-y0 * emY > below) emY = below / -y0;
        // Monospace: centre the advance box, not the ink, so glyphs line up;
        // then move the ink inside the cell where it would overhang.
        double ox = col * cw + 0.5 * (cw - kAdvance * emX);
        ox += std::max(0.0, left - (ox + x0 * emX));
        ox -= std::max(0.0, (ox + x1 * emX) - right);
        const double oy = row * ch + baseline;
        cairo_save(cr);
        cairo_rectangle(cr, left, row * ch + 1, right - left, ch - 2);
        cairo_clip(cr);
        cairo_new_path(cr);
        font.glyphPath(cr, code, ox, oy, emX, emY);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    save(cv.image(), paths.gfx + "/" + s.file + ".png", true);
}

} // namespace

void addFontJobs(std::vector<Job>& jobs, const Paths& paths) {
    // Cells of about 0.62 of their height: the face's advance plus a little
    // letter spacing. The heights set the glyph heights in the game.
    static const Sheet sheets[] = {
        {"hugefont", 320, 512, "DejaVuSansMono-Bold.ttf", 0.84},
        {"medfont", 160, 256, "DejaVuSansMono-Bold.ttf", 0.84},
        {"smallfont", 128, 192, "DejaVuSansMono-Bold.ttf", 0.80},
        {"minifont", 96, 160, "DejaVuSansMono-Bold.ttf", 0.80},
    };
    for (const Sheet& s : sheets) jobs.push_back([&s, paths] { drawSheet(paths, s); });
}
