// The "VORLANE" logo: wide, slanted capitals in a chrome gradient with a neon
// rim and a coloured halo, between two light rails.
#include "tools/assetgen/Art.h"
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/FontFace.h"

#include <cmath>

namespace {

const char* kWord = "VORLANE";
const int kW = 1024, kH = 256;
const double kEm = 138, kStretch = 1.12, kSlant = -0.2, kBaseline = 178;

const double kSpacing = 0.03; // extra space between letters, in em

double wordWidth(const FontFace& font) {
    double width = -kSpacing * kEm;
    for (const char* p = kWord; *p; ++p) {
        FT_Load_Char(font.face, static_cast<unsigned char>(*p), FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING);
        width += font.face->glyph->advance.x / static_cast<double>(font.face->units_per_EM) * kEm * kStretch;
        width += kSpacing * kEm;
    }
    return width;
}

// The word's outline, centred across the picture.
void wordPath(cairo_t* cr, const FontFace& font, double dx, double dy) {
    const double width = wordWidth(font);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_matrix_t slant;
    cairo_matrix_init(&slant, 1, 0, kSlant, 1, -kSlant * kBaseline, 0);
    cairo_transform(cr, &slant);
    double x = 0.5 * (kW - width) + dx;
    for (const char* p = kWord; *p; ++p) {
        x += font.glyphPath(cr, static_cast<unsigned char>(*p), x, kBaseline + dy, kEm * kStretch, kEm) *
             kEm * kStretch;
        x += kSpacing * kEm;
    }
    cairo_restore(cr);
}

// Light rails from the picture's sides up to the word, which spans half a
// width w around the centre.
void rails(cairo_t* cr, double y, double w, double alpha) {
    for (int side = 0; side < 2; ++side) {
        double inner = 0.5 * (kW - w) - 14;
        double x0 = side ? kW - 12 : 12, x1 = side ? kW - inner : inner;
        cairo_pattern_t* g = cairo_pattern_create_linear(x0, 0, x1, 0);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.3, 0.85, 1, 0);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.6, 0.95, 1, alpha);
        cairo_set_source(cr, g);
        cairo_rectangle(cr, std::min(x0, x1), y - 1.5, std::fabs(x1 - x0), 3);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

void title(const Paths& paths) {
    FontFace font(paths.fonts + "/DejaVuSans-Bold.ttf");
    const double capTop = kBaseline - 0.73 * kEm;

    // Halo: the word in magenta and cyan, spread wide.
    Canvas halo(kW, kH, false);
    wordPath(halo.cr, font, 0, 0);
    cairo_pattern_t* hg = cairo_pattern_create_linear(0, capTop, 0, kBaseline);
    cairo_pattern_add_color_stop_rgba(hg, 0, 0.2, 0.7, 1.0, 1);
    cairo_pattern_add_color_stop_rgba(hg, 1, 1.0, 0.2, 0.8, 1);
    cairo_set_source(halo.cr, hg);
    cairo_set_line_width(halo.cr, 10);
    cairo_stroke(halo.cr);
    cairo_pattern_destroy(hg);
    rails(halo.cr, kBaseline - 0.36 * kEm, wordWidth(font), 1.0);
    Image out = halo.image();
    out.blur(12.0f);
    out.scale(0.85f);

    Canvas cv(kW, kH, false);
    cairo_t* cr = cv.cr;
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Extrusion: the word repeated down and right in deep blue.
    for (int i = 7; i >= 1; --i) {
        wordPath(cr, font, i * 0.9, i * 0.9);
        cairo_set_source_rgba(cr, 0.04 + 0.01 * i, 0.03, 0.16 + 0.02 * i, 1);
        cairo_fill(cr);
    }
    // Chrome face: sky above the horizon, sunset below.
    wordPath(cr, font, 0, 0);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, capTop, 0, kBaseline);
    cairo_pattern_add_color_stop_rgb(g, 0.00, 0.96, 0.99, 1.00);
    cairo_pattern_add_color_stop_rgb(g, 0.30, 0.62, 0.86, 1.00);
    cairo_pattern_add_color_stop_rgb(g, 0.52, 0.10, 0.20, 0.48);
    cairo_pattern_add_color_stop_rgb(g, 0.55, 0.55, 0.20, 0.62);
    cairo_pattern_add_color_stop_rgb(g, 0.80, 1.00, 0.55, 0.80);
    cairo_pattern_add_color_stop_rgb(g, 1.00, 1.00, 0.88, 0.95);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgba(cr, 0.3, 0.9, 1.0, 1);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    rails(cr, kBaseline - 0.36 * kEm, wordWidth(font), 0.95);
    out.over(cv.image());
    for (size_t i = 3; i < out.p.size(); i += 4) out.p[i] = std::min(out.p[i], 1.0f);
    save(out, paths.gfx + "/title.png", true);
}

} // namespace

void addTitleJobs(std::vector<Job>& jobs, const Paths& paths) {
    jobs.push_back([paths] { title(paths); });
}
