// The power-up token: a golden crystal marked with a white cross, spinning
// inside a tilted gold ring with a spark running round it, the whole token
// beating gently in size, as a 16 x 16 sheet of 256 frames (a loop of 10.24 s
// at 25 frames per second) and a matching sheet of glows. Warm gold and a
// heartbeat tell it from the green enemy bolts at a glance. Every motion turns
// a whole number of times per loop, so frame 255 leads back into frame 0.
#include "tools/assetgen/Art.h"
#include "tools/assetgen/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

const int kCell = 64;       // cell side in the sheet
const int kFrames = 256;    // 16 x 16 cells
const double kU = 2.0 / 48; // one display pixel (tokens are drawn 48 px) in user units
const double kTwoPi = 2 * M_PI;

Rgb hsv(double h, double s, double v) {
    h = h - std::floor(h);
    double i = std::floor(h * 6), f = h * 6 - i;
    double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (static_cast<int>(i) % 6) {
        case 0:
            return {float(v), float(t), float(p)};
        case 1:
            return {float(q), float(v), float(p)};
        case 2:
            return {float(p), float(v), float(t)};
        case 3:
            return {float(p), float(q), float(v)};
        case 4:
            return {float(t), float(p), float(v)};
        default:
            return {float(v), float(p), float(q)};
    }
}

struct V3 {
    double x, y, z;
};

V3 sub(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
V3 norm(V3 a) {
    double l = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return {a.x / l, a.y / l, a.z / l};
}

struct Frame {
    double t; // 0..1 through the loop
};

// Ring: an ellipse tilted towards the viewer, turning once per loop in the
// picture plane. front selects the half nearer the viewer.
void ringHalf(cairo_t* cr, double t, bool front, Rgb c, double width, double alpha) {
    cairo_save(cr);
    cairo_rotate(cr, 0.35 * std::sin(kTwoPi * t));
    cairo_scale(cr, 1.0, 0.30);
    cairo_new_path(cr);
    if (front)
        cairo_arc(cr, 0, 0, 0.80, 0, M_PI);
    else
        cairo_arc(cr, 0, 0, 0.80, M_PI, kTwoPi);
    cairo_restore(cr);
    setColor(cr, c, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// The spark's position on the ring (three laps per loop) and whether it is in front.
void sparkAt(double t, double& x, double& y, bool& front) {
    double a = kTwoPi * 3 * t, rot = 0.35 * std::sin(kTwoPi * t);
    double ex = 0.80 * std::cos(a), ey = 0.80 * 0.30 * std::sin(a);
    x = ex * std::cos(rot) - ey * std::sin(rot);
    y = ex * std::sin(rot) + ey * std::cos(rot);
    front = std::sin(a) > 0;
}

void spark(cairo_t* cr, double x, double y, double r, double a) {
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, a);
    cairo_pattern_add_color_stop_rgba(g, 0.4, 1, 0.9, 0.55, 0.7 * a);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.65, 0.15, 0);
    cairo_set_source(cr, g);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, kTwoPi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// The crystal: an octahedron turning about its upright axis four times per loop.
void crystal(cairo_t* cr, double t, bool glowPass) {
    const double yaw = kTwoPi * 2 * t, pitch = 0.38, h = 0.56, r = 0.36;
    const double bob = 0.04 * std::sin(kTwoPi * 2 * t);
    std::vector<V3> v;
    v.push_back({0, h, 0});
    v.push_back({0, -h, 0});
    for (int k = 0; k < 4; ++k) {
        double a = yaw + k * M_PI / 2;
        v.push_back({r * std::cos(a), 0, r * std::sin(a)});
    }
    for (V3& p : v) {
        double y = p.y * std::cos(pitch) - p.z * std::sin(pitch);
        double z = p.y * std::sin(pitch) + p.z * std::cos(pitch);
        p.y = y + bob;
        p.z = z;
    }
    const V3 light = norm({-0.5, 0.7, 0.6});
    for (int k = 0; k < 4; ++k) {
        for (int half = 0; half < 2; ++half) {
            V3 apex = v[half], a = v[2 + k], b = v[2 + (k + 1) % 4];
            if (half) std::swap(a, b);
            V3 n = norm(cross(sub(a, apex), sub(b, apex)));
            if (n.z <= 0) continue; // faces away from the viewer
            double lit = std::max(0.0, n.x * light.x + n.y * light.y + n.z * light.z);
            // Gold to amber from facet to facet.
            double hue = 0.11 + 0.035 * std::sin(kTwoPi * (t + k * 0.25)) - half * 0.02;
            Rgb c = hsv(hue, glowPass ? 0.9 : 0.75, glowPass ? 1.0 : 0.35 + 0.65 * lit);
            cairo_move_to(cr, apex.x, -apex.y);
            cairo_line_to(cr, a.x, -a.y);
            cairo_line_to(cr, b.x, -b.y);
            cairo_close_path(cr);
            setColor(cr, c, 1.0);
            cairo_fill_preserve(cr);
            setColor(cr, {1, 1, 1}, glowPass ? 0.0 : 0.7);
            cairo_set_line_width(cr, 0.9 * kU);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke(cr);
        }
    }
    if (!glowPass) {
        // The pick-up's mark: a white cross with a dark rim on the crystal's face.
        const double arm = 0.17, w = 0.055;
        cairo_new_path(cr);
        cairo_rectangle(cr, -arm, -w + bob * -1, 2 * arm, 2 * w);
        cairo_rectangle(cr, -w, -arm + bob * -1, 2 * w, 2 * arm);
        setColor(cr, {0.25f, 0.12f, 0.0f}, 0.9);
        cairo_set_line_width(cr, 2.2 * kU);
        cairo_stroke_preserve(cr);
        setColor(cr, {1, 1, 0.92f}, 1.0);
        cairo_fill(cr);
        // A glint that flares twice per loop on the upper facets.
        double flare = std::pow(std::max(0.0, std::sin(kTwoPi * 2 * t)), 8.0);
        if (flare > 0.01) spark(cr, -0.08, -0.22 + bob * -1, 0.22, flare * 0.9);
    }
}

Image frameImage(double t, bool glow) {
    Canvas cv(kCell, kCell, true);
    cairo_t* cr = cv.cr;
    double sx, sy;
    bool front;
    sparkAt(t, sx, sy, front);
    const Rgb ringColor = {1.0f, 0.78f, 0.28f};
    // The heartbeat: four beats per loop, each a quick swell and a slow ebb.
    const double beat = std::pow(0.5 + 0.5 * std::sin(kTwoPi * 4 * t), 3.0);
    const double size = 0.92 * (0.9 + 0.1 * beat);
    if (!glow) {
        // Scale leaves a transparent margin so neighbouring cells never bleed in.
        cairo_scale(cr, size, size);
        ringHalf(cr, t, false, ringColor, 1.2 * kU, 0.55);
        if (!front) spark(cr, sx, sy, 0.16, 0.7);
        crystal(cr, t, false);
        ringHalf(cr, t, true, ringColor, 1.4 * kU, 0.95);
        if (front) spark(cr, sx, sy, 0.18, 1.0);
        return cv.image();
    }
    cairo_scale(cr, size, size);
    crystal(cr, t, true);
    Image gem = cv.image();
    Canvas rc(kCell, kCell, true);
    cairo_scale(rc.cr, size, size);
    ringHalf(rc.cr, t, false, ringColor, 2.0 * kU, 0.6);
    ringHalf(rc.cr, t, true, ringColor, 2.0 * kU, 1.0);
    spark(rc.cr, sx, sy, 0.24, 1.0);
    Image ring = rc.image();
    const double pulse = 0.6 + 0.4 * beat;
    Image out(kCell, kCell);
    Image a = gem;
    a.blur(5.0f);
    out.add(a, static_cast<float>(0.7 * pulse));
    Image b = ring;
    b.blur(2.0f);
    out.add(b, 0.8f);
    Image c = ring;
    c.blur(5.0f);
    out.add(c, 0.8f);
    // Fade to black before the cell's border.
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            double dx = (x + 0.5) / kCell * 2 - 1, dy = (y + 0.5) / kCell * 2 - 1;
            double e = std::max(std::fabs(dx), std::fabs(dy));
            float k = static_cast<float>(std::min(1.0, std::max(0.0, (1.0 - e) / 0.12)));
            float* p = out.at(x, y);
            for (int ch = 0; ch < 4; ++ch) p[ch] *= k;
        }
    return out;
}

void sheet(const Paths& paths, bool glow) {
    Image img(kCell * 16, kCell * 16);
    for (int f = 0; f < kFrames; ++f)
        img.blit(frameImage(static_cast<double>(f) / kFrames, glow), (f % 16) * kCell, (f / 16) * kCell);
    save(glow ? asCoverage(img) : img, paths.gfx + (glow ? "/powerup_glow_anim.png" : "/powerup_anim.png"),
         true);
}

} // namespace

void addPowerupJobs(std::vector<Job>& jobs, const Paths& paths) {
    jobs.push_back([paths] { sheet(paths, false); });
    jobs.push_back([paths] { sheet(paths, true); });
}
