#include "tools/assetgen/FontFace.h"

#include FT_OUTLINE_H
#include <cstdio>
#include <cstdlib>

FontFace::FontFace(const std::string& path) {
    if (FT_Init_FreeType(&library) || FT_New_Face(library, path.c_str(), 0, &face)) {
        std::fprintf(stderr, "assetgen: cannot open font %s\n", path.c_str());
        std::exit(1);
    }
}

FontFace::~FontFace() {
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

namespace {

struct Walk {
    cairo_t* cr;
    double x, y, sx, sy; // origin and scale from font units
    double lastX, lastY; // current point in font units (for conics)
    double tx(const FT_Vector* v) const { return x + v->x * sx; }
    double ty(const FT_Vector* v) const { return y - v->y * sy; }
};

int moveTo(const FT_Vector* to, void* user) {
    Walk* w = static_cast<Walk*>(user);
    cairo_close_path(w->cr);
    cairo_move_to(w->cr, w->tx(to), w->ty(to));
    w->lastX = to->x;
    w->lastY = to->y;
    return 0;
}

int lineTo(const FT_Vector* to, void* user) {
    Walk* w = static_cast<Walk*>(user);
    cairo_line_to(w->cr, w->tx(to), w->ty(to));
    w->lastX = to->x;
    w->lastY = to->y;
    return 0;
}

int conicTo(const FT_Vector* c, const FT_Vector* to, void* user) {
    Walk* w = static_cast<Walk*>(user);
    // The quadratic curve as a cubic with control points 2/3 along.
    double c1x = w->lastX + 2.0 / 3.0 * (c->x - w->lastX), c1y = w->lastY + 2.0 / 3.0 * (c->y - w->lastY);
    double c2x = to->x + 2.0 / 3.0 * (c->x - to->x), c2y = to->y + 2.0 / 3.0 * (c->y - to->y);
    cairo_curve_to(w->cr, w->x + c1x * w->sx, w->y - c1y * w->sy, w->x + c2x * w->sx, w->y - c2y * w->sy,
                   w->tx(to), w->ty(to));
    w->lastX = to->x;
    w->lastY = to->y;
    return 0;
}

int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    Walk* w = static_cast<Walk*>(user);
    cairo_curve_to(w->cr, w->tx(c1), w->ty(c1), w->tx(c2), w->ty(c2), w->tx(to), w->ty(to));
    w->lastX = to->x;
    w->lastY = to->y;
    return 0;
}

} // namespace

double FontFace::glyphPath(cairo_t* cr, unsigned code, double x, double y, double emX, double emY) const {
    FT_UInt index = FT_Get_Char_Index(face, code);
    if (!index || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING)) return 0.0;
    const double units = face->units_per_EM;
    if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE && face->glyph->outline.n_points > 0) {
        Walk w{cr, x, y, emX / units, emY / units, 0, 0};
        FT_Outline_Funcs funcs = {moveTo, lineTo, conicTo, cubicTo, 0, 0};
        cairo_new_sub_path(cr);
        FT_Outline_Decompose(&face->glyph->outline, &funcs, &w);
        cairo_close_path(cr);
    }
    return face->glyph->advance.x / units;
}

bool FontFace::inkBounds(unsigned code, double& x0, double& y0, double& x1, double& y1) const {
    FT_UInt index = FT_Get_Char_Index(face, code);
    if (!index || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING)) return false;
    if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE || face->glyph->outline.n_points == 0) return false;
    FT_BBox box;
    FT_Outline_Get_CBox(&face->glyph->outline, &box);
    const double units = face->units_per_EM;
    x0 = box.xMin / units;
    y0 = box.yMin / units;
    x1 = box.xMax / units;
    y1 = box.yMax / units;
    return true;
}
