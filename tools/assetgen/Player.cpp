// The player's round ship: three stacked layers that spin at different rates
// (so every layer is drawn without a light direction and reads the same at
// any angle) and two glows. All five share one centre; user space -1..1.
#include "tools/assetgen/Art.h"
#include "tools/assetgen/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

const Rgb kBlue = {0.30f, 0.62f, 1.0f};
const Rgb kDark = {0.03f, 0.035f, 0.06f};
const int kSize = 128;      // picture side
const double kU = 2.0 / 64; // one display pixel of the 64 px layers, in user units

void radialFill(cairo_t* cr, double r0, double r1, Rgb inner, Rgb outer) {
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, r0, 0, 0, r1);
    cairo_pattern_add_color_stop_rgb(g, 0, inner.r, inner.g, inner.b);
    cairo_pattern_add_color_stop_rgb(g, 1, outer.r, outer.g, outer.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
}

void lamp(cairo_t* cr, double x, double y, double r, Rgb c, double a = 1.0) {
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
    cairo_pattern_add_color_stop_rgba(g, 0.0, 1, 1, 1, a);
    cairo_pattern_add_color_stop_rgba(g, 0.35, c.r * 0.5 + 0.5, c.g * 0.5 + 0.5, c.b * 0.5 + 0.5, a);
    cairo_pattern_add_color_stop_rgba(g, 0.8, c.r, c.g, c.b, 0.9 * a);
    cairo_pattern_add_color_stop_rgba(g, 1.0, c.r, c.g, c.b, 0.0);
    cairo_set_source(cr, g);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void ring(cairo_t* cr, double r, double w, Rgb c, double a) {
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
    setColor(cr, c, a);
    cairo_set_line_width(cr, w);
    cairo_stroke(cr);
}

void sector(cairo_t* cr, double r0, double r1, double a0, double a1) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, r1, a0, a1);
    cairo_arc_negative(cr, 0, 0, r0, a1, a0);
    cairo_close_path(cr);
}

// Angle of the k-th of n evenly spaced features, starting straight up.
double at(int k, int n) {
    return -M_PI / 2 + k * 2 * M_PI / n;
}

const int kBlocks = 12; // turbine blocks on the bottom ring
const double kLampR = 0.80;

void bottomLayer(cairo_t* cr, bool glowOnly) {
    if (!glowOnly) {
        sector(cr, 0.62, 0.97, 0, 2 * M_PI);
        setColor(cr, kDark);
        cairo_fill(cr);
        for (int k = 0; k < kBlocks; ++k) {
            double a = at(k, kBlocks), h = M_PI / kBlocks - 0.07;
            sector(cr, 0.68, 0.94, a - h, a + h);
            radialFill(cr, 0.68, 0.94, {0.16f, 0.19f, 0.26f}, {0.42f, 0.46f, 0.56f});
            setColor(cr, {1, 1, 1}, 0.15);
            cairo_set_line_width(cr, 0.6 * kU);
            cairo_stroke(cr);
        }
        ring(cr, 0.955, 1.1 * kU, kBlue, 0.9);
        ring(cr, 0.65, 0.8 * kU, kBlue, 0.5);
    }
    for (int k = 0; k < kBlocks; k += 2) {
        double a = at(k, kBlocks);
        lamp(cr, kLampR * std::cos(a), kLampR * std::sin(a), 0.085, kBlue);
    }
}

void middleLayer(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 0.70, 0, 2 * M_PI);
    radialFill(cr, 0.2, 0.70, {0.10f, 0.11f, 0.16f}, {0.24f, 0.27f, 0.35f});
    setColor(cr, kDark);
    cairo_set_line_width(cr, 1.5 * kU);
    cairo_stroke(cr);
    for (int k = 0; k < 6; ++k) {
        double a = at(k, 6) + M_PI / 6;
        cairo_move_to(cr, 0.44 * std::cos(a), 0.44 * std::sin(a));
        cairo_line_to(cr, 0.68 * std::cos(a), 0.68 * std::sin(a));
    }
    setColor(cr, kDark, 0.8);
    cairo_set_line_width(cr, 0.9 * kU);
    cairo_stroke(cr);
    for (int k = 0; k < 3; ++k) {
        double a = at(k, 3), h = 0.34;
        sector(cr, 0.46, 0.66, a - h, a + h);
        radialFill(cr, 0.46, 0.66, {0.46f, 0.50f, 0.60f}, {0.20f, 0.22f, 0.30f});
        setColor(cr, kDark);
        cairo_set_line_width(cr, 0.9 * kU);
        cairo_stroke(cr);
        lamp(cr, 0.56 * std::cos(a), 0.56 * std::sin(a), 0.07, kBlue);
        for (int s = -1; s <= 1; s += 2) {
            double b = a + s * 0.22;
            lamp(cr, 0.56 * std::cos(b), 0.56 * std::sin(b), 0.03, kBlue, 0.8);
        }
    }
    ring(cr, 0.685, 0.9 * kU, kBlue, 0.7);
}

void topLayer(cairo_t* cr) {
    const double R = 0.42;
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, R + 0.06, 0, 2 * M_PI);
    radialFill(cr, R, R + 0.06, {0.50f, 0.55f, 0.66f}, {0.18f, 0.20f, 0.27f});
    setColor(cr, kDark);
    cairo_set_line_width(cr, 1.2 * kU);
    cairo_stroke(cr);
    // Glass dome with the core light inside.
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, R, 0, 2 * M_PI);
    radialFill(cr, 0, R, {0.10f, 0.24f, 0.50f}, {0.02f, 0.05f, 0.14f});
    cairo_new_path(cr);
    lamp(cr, 0, 0, 0.24, kBlue);
    // Highlights on the glass: a soft crescent up-left, a rim light down-right.
    cairo_save(cr);
    cairo_arc(cr, 0, 0, R, 0, 2 * M_PI);
    cairo_clip(cr);
    cairo_pattern_t* hl = cairo_pattern_create_radial(-0.16, -0.18, 0.0, -0.16, -0.18, 0.26);
    cairo_pattern_add_color_stop_rgba(hl, 0, 1, 1, 1, 0.55);
    cairo_pattern_add_color_stop_rgba(hl, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, hl);
    cairo_paint(cr);
    cairo_pattern_destroy(hl);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, R - 0.03, 0.1, 1.4);
    setColor(cr, {0.7f, 0.85f, 1.0f}, 0.6);
    cairo_set_line_width(cr, 1.0 * kU);
    cairo_stroke(cr);
    ring(cr, R, 1.0 * kU, kBlue, 0.9);
}

Image glowRing(double r, double sigmaPx, Rgb c, float k) {
    Canvas cv(kSize, kSize, true);
    ring(cv.cr, r, 2.0 / kSize * 2.0, c, 1.0);
    Image img = cv.image();
    img.blur(static_cast<float>(sigmaPx));
    img.scale(k);
    return img;
}

// The desktop icon: the ship on a dark rounded tile, drawn k times too large
// and box-filtered down for smooth edges.
void icon(const Paths& paths, int size) {
    const int k = size < 128 ? 4 : 2, n = size * k;
    Canvas tile(n, n, true);
    cairo_t* cr = tile.cr;
    const double r = 0.22, e = 0.94;
    cairo_new_sub_path(cr);
    cairo_arc(cr, e - r, -e + r, r, -M_PI / 2, 0);
    cairo_arc(cr, e - r, e - r, r, 0, M_PI / 2);
    cairo_arc(cr, -e + r, e - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, -e + r, -e + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, -0.2, 0.1, 0, 0, 1.3);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.07, 0.10, 0.22);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.01, 0.015, 0.04);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColor(cr, kBlue, 0.8);
    cairo_set_line_width(cr, 0.025);
    cairo_stroke(cr);
    Image img = tile.image();

    Canvas ship(n, n, true);
    cairo_scale(ship.cr, 0.74, 0.74);
    bottomLayer(ship.cr, false);
    middleLayer(ship.cr);
    topLayer(ship.cr);
    Image s = ship.image();
    Image glow = s;
    glow.tint(kBlue.r, kBlue.g, kBlue.b);
    glow.blur(n / 28.0f);
    glow.scale(0.9f);
    for (size_t i = 3; i < glow.p.size(); i += 4) glow.p[i] = 0.0f; // light only, no cover
    img.add(glow);
    img.over(s);
    for (float& v : img.p) v = std::min(v, 1.0f);
    std::string dir = paths.icons + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    save(img.downsample(k), dir + "/vorlane.png", true);
}

} // namespace

void addPlayerJobs(std::vector<Job>& jobs, const Paths& paths) {
    jobs.push_back([paths] {
        {
            Canvas cv(kSize, kSize, true);
            bottomLayer(cv.cr, false);
            save(cv.image(), paths.gfx + "/player_bot.png", true);
        }
        {
            Canvas cv(kSize, kSize, true);
            middleLayer(cv.cr);
            save(cv.image(), paths.gfx + "/player_mid.png", true);
        }
        {
            Canvas cv(kSize, kSize, true);
            topLayer(cv.cr);
            save(cv.image(), paths.gfx + "/player_top.png", true);
        }
        // The bottom glow is drawn at 60 px against the layer's 64, turning
        // with it: its lamps sit at the same angles, scaled to its frame.
        {
            Canvas cv(kSize, kSize, true);
            cairo_scale(cv.cr, 64.0 / 60.0, 64.0 / 60.0);
            bottomLayer(cv.cr, true);
            Image lamps = cv.image();
            Image glow(kSize, kSize);
            Image a = lamps;
            a.blur(2.0f);
            glow.add(a, 1.2f);
            Image b = lamps;
            b.blur(6.0f);
            glow.add(b, 1.5f);
            glow.add(glowRing(0.86, 5.0, kBlue, 1.6f));
            glow.fadeBorder(10.0f);
            save(asCoverage(glow), paths.gfx + "/player_glow_bot.png", true);
        }
        // The top glow (72 px) is an aura around the hull and the core's shine.
        {
            const double f = 64.0 / 72.0;
            Image glow(kSize, kSize);
            glow.add(glowRing(0.95 * f, 6.0, kBlue, 2.2f));
            glow.add(glowRing(0.44 * f, 3.0, mix(kBlue, {1, 1, 1}, 0.3f), 1.0f));
            Canvas core(kSize, kSize, true);
            lamp(core.cr, 0, 0, 0.30 * f, mix(kBlue, {1, 1, 1}, 0.2f));
            Image c = core.image();
            c.blur(3.0f);
            glow.add(c, 0.6f);
            glow.fadeBorder(10.0f);
            save(asCoverage(glow), paths.gfx + "/player_glow_top.png", true);
        }
    });
    jobs.push_back([paths] {
        for (int size : {48, 128, 256}) icon(paths, size);
    });
}
