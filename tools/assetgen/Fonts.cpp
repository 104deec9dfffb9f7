// The four bitmap font sheets: 16 x 16 cells for the byte codes 0-255 (code c
// in column c % 16, row c / 16), white glyphs on transparent, one fixed
// advance (the cell), every glyph on the same baseline and centred in its
// cell. Control codes, 127 and the no-break space stay empty; 161-255 carry
// the Latin-1 characters.
#include "tools/assetgen/Art.h"
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/FontFace.h"

namespace {

struct Sheet {
    const char* file; // picture name
    int size;         // sheet side in pixels (cells are size / 16)
    const char* face; // DejaVu file
    double em;        // em size as a fraction of the cell height
    double stretch;   // horizontal widening of the glyphs
};

void drawSheet(const Paths& paths, const Sheet& s) {
    FontFace font(paths.fonts + "/" + s.face);
    const int cell = s.size / 16;
    const double em = s.em * cell, emX = em * s.stretch;
    // One baseline for every cell, placing the span from the top of the
    // brackets (0.765 em) to the bottom of the descenders (0.24 em) in the
    // middle of the cell.
    const double baseline = 0.5 * (cell - 1.005 * em) + 0.765 * em;
    Canvas cv(s.size, s.size, false);
    cairo_t* cr = cv.cr;
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    for (unsigned code = 33; code < 256; ++code) {
        if (code >= 127 && code <= 160) continue;
        double x0, y0, x1, y1;
        if (!font.inkBounds(code, x0, y0, x1, y1)) continue;
        const int col = code % 16, row = code / 16;
        // Monospace: centre the advance box, not the ink, so glyphs line up.
        const double advance = 0.6021 * emX;
        double ox = col * cell + 0.5 * (cell - advance);
        double oy = row * cell + baseline;
        cairo_save(cr);
        // Nothing may reach a neighbouring cell: linear filtering would pull it in.
        cairo_rectangle(cr, col * cell + 1, row * cell + 1, cell - 2, cell - 2);
        cairo_clip(cr);
        cairo_new_path(cr);
        font.glyphPath(cr, code, ox, oy, emX, em);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    save(cv.image(), paths.gfx + "/" + s.file + ".png", true);
}

} // namespace

void addFontJobs(std::vector<Job>& jobs, const Paths& paths) {
    static const Sheet sheets[] = {
        {"hugefont", 512, "DejaVuSansMono-Bold.ttf", 0.84, 1.34},
        {"medfont", 256, "DejaVuSansMono-Bold.ttf", 0.84, 1.30},
        {"smallfont", 192, "DejaVuSansMono-Bold.ttf", 0.82, 1.25},
        {"minifont", 160, "DejaVuSansMono-Bold.ttf", 0.80, 1.20},
    };
    for (const Sheet& s : sheets) jobs.push_back([&s, paths] { drawSheet(paths, s); });
}
