// The HUD panels. The game draws each at half its pixel size, centred where
// the HUD puts it, so each picture is drawn here in screen pixels of that
// placement (Cairo scaled by two). Panels are alpha-blended over the world:
// dark glass, cyan neon lines, and a soft halo made of blurred line colour.
#include "tools/assetgen/Art.h"
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/FontFace.h"

#include <cmath>

namespace {

const Rgb kCyan = {0.30f, 0.85f, 1.0f};
const Rgb kGlass = {0.015f, 0.04f, 0.08f};

void chamfered(cairo_t* cr, double x0, double y0, double x1, double y1, double tl, double tr, double br,
               double bl) {
    cairo_move_to(cr, x0 + tl, y0);
    cairo_line_to(cr, x1 - tr, y0);
    cairo_line_to(cr, x1, y0 + tr);
    cairo_line_to(cr, x1, y1 - br);
    cairo_line_to(cr, x1 - br, y1);
    cairo_line_to(cr, x0 + bl, y1);
    cairo_line_to(cr, x0, y1 - bl);
    cairo_line_to(cr, x0, y0 + tl);
    cairo_close_path(cr);
}

void glassFill(cairo_t* cr, double y0, double y1, double a0, double a1) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(g, 0, kGlass.r * 2, kGlass.g * 2, kGlass.b * 2, a0);
    cairo_pattern_add_color_stop_rgba(g, 1, kGlass.r, kGlass.g, kGlass.b, a1);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
}

void line(cairo_t* cr, double w, Rgb c, double a) {
    setColor(cr, c, a);
    cairo_set_line_width(cr, w);
    cairo_stroke(cr);
}

// Small capitals for panel labels, h screen pixels high.
void label(cairo_t* cr, const FontFace& f, const char* text, double x, double y, double h, double alpha) {
    cairo_new_path(cr);
    double em = h / 0.73;
    for (const char* p = text; *p; ++p)
        x += (f.glyphPath(cr, static_cast<unsigned char>(*p), x, y, em * 1.1, em) + 0.12) * em;
    setColor(cr, kCyan, alpha);
    cairo_fill(cr);
}

// Adds the halo: the neon layer blurred and laid under the panel picture.
Image withHalo(Image panel, const Image& neon, float sigma, float strength) {
    Image halo = neon;
    halo.blur(sigma);
    halo.scale(strength);
    for (size_t i = 3; i < halo.p.size(); i += 4) halo.p[i] = std::min(halo.p[i], 1.0f);
    Image out = halo;
    out.over(panel);
    return out;
}

void scoreBox(const Paths& paths, const FontFace& font) {
    // 512 x 128 drawn as 256 x 64 centred on (100, 30): screen x -28..228, y -2..62.
    Canvas cv(512, 128, false), nv(512, 128, false);
    for (cairo_t* cr : {cv.cr, nv.cr}) {
        cairo_scale(cr, 2, 2);
        cairo_translate(cr, 28, 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    }
    cairo_t* cr = cv.cr;
    chamfered(cr, 5, 4, 195, 36, 6, 0, 10, 0);
    glassFill(cr, 4, 36, 0.62, 0.78);
    cairo_new_path(cr);
    // The window the score rolls in (its digits cover x 15..185, y 12..27).
    chamfered(cr, 10, 8.5, 190, 31.5, 3, 0, 6, 0);
    glassFill(cr, 8, 32, 0.55, 0.75);
    line(cr, 0.8, kCyan, 0.35);
    // Label tab under the box.
    chamfered(cr, 10, 36, 64, 45, 0, 0, 6, 0);
    glassFill(cr, 36, 45, 0.7, 0.7);
    cairo_new_path(cr);
    label(cr, font, "SCORE", 14, 43.5, 5.5, 0.95);
    for (cairo_t* c : {cv.cr, nv.cr}) {
        chamfered(c, 5, 4, 195, 36, 6, 0, 10, 0);
        line(c, 1.1, kCyan, 0.95);
        chamfered(c, 10, 36, 64, 45, 0, 0, 6, 0);
        line(c, 0.9, kCyan, 0.8);
        // Tick marks along the top edge and a bar cluster on the right.
        for (int i = 0; i < 12; ++i) {
            cairo_move_to(c, 80 + i * 6, 4);
            cairo_line_to(c, 80 + i * 6, i % 4 == 0 ? 0.5 : 2);
        }
        line(c, 0.7, kCyan, 0.7);
        for (int i = 0; i < 4; ++i) cairo_rectangle(c, 150 + i * 9, 38.5, 6, 3);
        setColor(c, kCyan, 0.75);
        cairo_fill(c);
    }
    save(withHalo(cv.image(), nv.image(), 4.0f, 0.55f), paths.gfx + "/hud_score.png", true);
}

// Bar slots of the weapon box, in its screen frame (x as on screen, y from
// the top of the 128 px high placement).
struct Slot {
    double x0, y0, x1, y1;
    const char* name;
};
const Slot kSlots[3] = {{62, 30, 184, 40, "ENERGY"}, {62, 47, 184, 57, "HULL"}, {62, 64, 184, 74, "SHIELD"}};

void powerBox(const Paths& paths, const FontFace& font) {
    // 512 x 256 drawn as 256 x 128 centred on (100, height - 50).
    Canvas cv(512, 256, false), nv(512, 256, false), mask(512, 256, false);
    for (cairo_t* cr : {cv.cr, nv.cr, mask.cr}) {
        cairo_scale(cr, 2, 2);
        cairo_translate(cr, 28, 0);
    }
    cairo_t* cr = cv.cr;
    chamfered(cr, 8, 25, 192, 103, 0, 10, 0, 10);
    glassFill(cr, 25, 103, 0.6, 0.8);
    cairo_new_path(cr);
    for (const Slot& s : kSlots) {
        cairo_rectangle(cr, s.x0, s.y0, s.x1 - s.x0, s.y1 - s.y0);
        setColor(cr, {0, 0.01f, 0.02f}, 0.85);
        cairo_fill_preserve(cr);
        line(cr, 0.8, kCyan, 0.6);
        label(cr, font, s.name, 16, s.y1 - 3.5, 6.0, 0.95);
        // Scale marks under the slot.
        for (int i = 0; i <= 10; ++i) {
            double x = s.x0 + (s.x1 - s.x0) * i / 10.0;
            cairo_move_to(cr, x, s.y1 + 1.5);
            cairo_line_to(cr, x, s.y1 + (i % 5 == 0 ? 5 : 3));
        }
        line(cr, 0.6, kCyan, 0.6);
        cairo_rectangle(mask.cr, s.x0 + 1.5, s.y0 + 1.5, s.x1 - s.x0 - 3, s.y1 - s.y0 - 3);
    }
    setColor(mask.cr, {1, 1, 1});
    cairo_fill(mask.cr);
    // Weapon lamps along the bottom.
    label(cr, font, "WPN", 16, 96, 5.0, 0.8);
    for (int i = 0; i < 8; ++i) {
        cairo_rectangle(cr, 62 + i * 15.5, 90, 11, 5);
        setColor(cr, kCyan, 0.16 + 0.06 * (i % 3));
        cairo_fill_preserve(cr);
        line(cr, 0.6, kCyan, 0.7);
    }
    for (cairo_t* c : {cv.cr, nv.cr}) {
        chamfered(c, 8, 25, 192, 103, 0, 10, 0, 10);
        line(c, 1.1, kCyan, 0.95);
        cairo_move_to(c, 20, 25);
        cairo_line_to(c, 20, 21);
        cairo_line_to(c, 70, 21);
        cairo_line_to(c, 74, 25);
        line(c, 0.9, kCyan, 0.8);
        cairo_move_to(c, 8, 84);
        cairo_line_to(c, 192, 84);
        line(c, 0.5, kCyan, 0.4);
    }
    save(withHalo(cv.image(), nv.image(), 4.0f, 0.55f), paths.gfx + "/hud_power_dials.png", true);
    save(mask.image(), paths.gfx + "/hud_bars_mask.png", true);
}

const double kRadarR = 100; // radius of the radar screen, screen pixels

void radarBox(const Paths& paths) {
    // 512 x 512 drawn as 256 x 256 centred on (width - 130, height - 130).
    Canvas cv(512, 512, false), nv(512, 512, false), mask(512, 512, false);
    for (cairo_t* cr : {cv.cr, nv.cr, mask.cr}) {
        cairo_scale(cr, 2, 2);
        cairo_translate(cr, 128, 128);
    }
    cairo_t* cr = cv.cr;
    // Bezel.
    cairo_arc(cr, 0, 0, 111, 0, 2 * M_PI);
    cairo_arc_negative(cr, 0, 0, kRadarR, 2 * M_PI, 0);
    setColor(cr, {0.03f, 0.07f, 0.12f}, 0.85);
    cairo_fill(cr);
    // Screen: dark glass brightening towards the rim.
    cairo_arc(cr, 0, 0, kRadarR, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, kRadarR);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.01, 0.03, 0.06, 0.55);
    cairo_pattern_add_color_stop_rgba(g, 0.85, 0.02, 0.07, 0.12, 0.6);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.05, 0.18, 0.26, 0.7);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Range rings and cross lines.
    for (double r : {33.0, 66.0}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
    }
    line(cr, 0.7, kCyan, 0.35);
    for (int k = 0; k < 4; ++k) {
        double a = k * M_PI / 2;
        cairo_move_to(cr, 6 * std::cos(a), 6 * std::sin(a));
        cairo_line_to(cr, (kRadarR - 2) * std::cos(a), (kRadarR - 2) * std::sin(a));
        double b = a + M_PI / 4;
        cairo_move_to(cr, 40 * std::cos(b), 40 * std::sin(b));
        cairo_line_to(cr, (kRadarR - 8) * std::cos(b), (kRadarR - 8) * std::sin(b));
    }
    line(cr, 0.6, kCyan, 0.22);
    // Own-ship marker.
    cairo_move_to(cr, 0, -4.5);
    cairo_line_to(cr, 3.5, 3.5);
    cairo_line_to(cr, 0, 2);
    cairo_line_to(cr, -3.5, 3.5);
    cairo_close_path(cr);
    setColor(cr, kCyan, 0.9);
    cairo_fill(cr);
    for (cairo_t* c : {cv.cr, nv.cr}) {
        cairo_new_sub_path(c);
        cairo_arc(c, 0, 0, kRadarR, 0, 2 * M_PI);
        line(c, 1.2, kCyan, 0.95);
        cairo_new_sub_path(c);
        cairo_arc(c, 0, 0, 111, 0, 2 * M_PI);
        line(c, 1.0, kCyan, 0.85);
        for (int i = 0; i < 72; ++i) {
            double a = i * M_PI / 36, r0 = i % 6 == 0 ? 102 : 105;
            cairo_move_to(c, r0 * std::cos(a), r0 * std::sin(a));
            cairo_line_to(c, 109 * std::cos(a), 109 * std::sin(a));
        }
        line(c, 0.7, kCyan, 0.75);
        // Brackets outside the bezel at the four diagonals.
        for (int k = 0; k < 4; ++k) {
            double a = M_PI / 4 + k * M_PI / 2;
            cairo_new_sub_path(c);
            cairo_arc(c, 0, 0, 116, a - 0.18, a + 0.18);
        }
        line(c, 1.6, kCyan, 0.7);
    }
    save(withHalo(cv.image(), nv.image(), 4.0f, 0.5f), paths.gfx + "/hud_radar_dials.png", true);
    cairo_arc(mask.cr, 0, 0, kRadarR - 1, 0, 2 * M_PI);
    setColor(mask.cr, {1, 1, 1});
    cairo_fill(mask.cr);
    save(mask.image(), paths.gfx + "/hud_radar_mask.png", true);
}

} // namespace

void addHudJobs(std::vector<Job>& jobs, const Paths& paths) {
    jobs.push_back([paths] {
        FontFace font(paths.fonts + "/DejaVuSans-Bold.ttf");
        scoreBox(paths, font);
        powerBox(paths, font);
        radarBox(paths);
    });
}
