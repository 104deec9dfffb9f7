// Light sprites drawn with additive blending (plasma bolt, laser band, star
// glint) and the mouse reticle. The additive ones are white light so that the
// vertex colour the game draws them with decides their hue; they fade out
// before every border because the textures repeat.
#include "tools/assetgen/Art.h"
#include "tools/assetgen/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

float smoothstep(float a, float b, float x) {
    float t = std::min(std::max((x - a) / (b - a), 0.0f), 1.0f);
    return t * t * (3 - 2 * t);
}

void grey(Image& img, int x, int y, float v) {
    float* p = img.at(x, y);
    p[0] = p[1] = p[2] = v;
    p[3] = 1.0f;
}

// Round bolt: a hot core, a faint shell and a wide soft halo.
void plasmaBullet(const Paths& paths) {
    const int n = 64;
    Image img(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            float dx = (x + 0.5f) / n * 2 - 1, dy = (y + 0.5f) / n * 2 - 1;
            float r = std::sqrt(dx * dx + dy * dy);
            float v = 1.0f * std::exp(-(r / 0.20f) * (r / 0.20f)) +
                      0.22f * std::exp(-std::pow((r - 0.36f) / 0.08f, 2.0f)) +
                      0.60f * std::exp(-(r / 0.48f) * (r / 0.48f));
            v *= 1.0f - smoothstep(0.75f, 1.0f, r);
            grey(img, x, y, v);
        }
    save(asCoverage(img), paths.gfx + "/plasmabullet.png", true);
}

// Laser band: u runs along the beam (the picture repeats along it), v across
// it with the core on v = 0.5. Two thin strands braid around the core; all
// ripples have whole periods per picture so the repeat has no seam.
void laser(const Paths& paths) {
    const int w = 128, h = 32;
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float u = (x + 0.5f) / w, v = (y + 0.5f) / h;
            float d = std::fabs(v - 0.5f) * 2;
            float ripple = 0.88f + 0.12f * std::cos(2 * static_cast<float>(M_PI) * 4 * u);
            float val = 1.0f * std::exp(-(d / 0.16f) * (d / 0.16f)) +
                        0.45f * ripple * std::exp(-(d / 0.5f) * (d / 0.5f));
            for (int s = 0; s < 2; ++s) {
                float c = 0.5f + 0.22f * std::sin(2 * static_cast<float>(M_PI) * (2 * u + 0.5f * s));
                float dd = (v - c) / 0.045f;
                val += 0.24f * std::exp(-dd * dd);
            }
            // Scaled so the brightest crossing of the strands just reaches white.
            val *= 0.6f * (1.0f - smoothstep(0.7f, 1.0f, d));
            grey(img, x, y, val);
        }
    save(asCoverage(img), paths.gfx + "/slaser.png", true);
}

// Star glint for 32 x 15 quads: a round core with a horizontal flare.
void star(const Paths& paths) {
    const int w = 64, h = 32;
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float sx = (x + 0.5f) / w * 2 - 1, sy = (y + 0.5f) / h * 2 - 1;
            float X = sx * 16.0f, Y = sy * 7.5f; // quad pixels at size 1
            float r = std::sqrt(X * X + Y * Y);
            float v = 1.0f * std::exp(-(r / 2.0f) * (r / 2.0f)) + 0.30f * std::exp(-(r / 4.5f) * (r / 4.5f)) +
                      0.55f * std::exp(-(Y / 0.8f) * (Y / 0.8f)) * std::exp(-std::fabs(X) / 5.0f) +
                      0.25f * std::exp(-(X / 0.8f) * (X / 0.8f)) * std::exp(-std::fabs(Y) / 2.2f);
            // Smooth windows reaching zero at the quad's sides, with no step.
            float wx = 1 - sx * sx, wy = 1 - sy * sy;
            v *= wx * wx * wy * wy;
            grey(img, x, y, v);
        }
    save(asCoverage(img), paths.gfx + "/star.png", true);
}

const Rgb kReticle = {0.45f, 0.95f, 1.0f};

// Crosshair: four arcs, four ticks pointing in, a centre dot. u is one
// display pixel in user units.
void reticlePath(cairo_t* cr, double u) {
    for (int k = 0; k < 4; ++k) {
        double a = k * M_PI / 2 + M_PI / 4;
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 0.60, a - 0.48, a + 0.48);
        double b = k * M_PI / 2;
        cairo_move_to(cr, 0.84 * std::cos(b), 0.84 * std::sin(b));
        cairo_line_to(cr, 0.40 * std::cos(b), 0.40 * std::sin(b));
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1.2 * u, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void reticle(const Paths& paths) {
    const int n = 64;
    {
        const double u = 2.0 / 38;
        Canvas cv(n, n, true);
        cairo_t* cr = cv.cr;
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        reticlePath(cr, u);
        setColor(cr, {0, 0.02f, 0.04f}, 0.65);
        cairo_set_line_width(cr, 3.4 * u);
        cairo_stroke_preserve(cr);
        setColor(cr, kReticle);
        cairo_set_line_width(cr, 1.5 * u);
        cairo_stroke_preserve(cr);
        setColor(cr, {1, 1, 1}, 0.8);
        cairo_set_line_width(cr, 0.6 * u);
        cairo_stroke(cr);
        save(cv.image(), paths.gfx + "/reticle.png", true);
    }
    {
        // The glow is drawn at 40 px over the 38 px crosshair.
        const double f = 38.0 / 40.0, u = 2.0 / 38;
        Canvas cv(n, n, true);
        cairo_t* cr = cv.cr;
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_scale(cr, f, f);
        reticlePath(cr, u);
        setColor(cr, kReticle);
        cairo_set_line_width(cr, 2.0 * u);
        cairo_stroke(cr);
        Image lines = cv.image();
        Image glow(n, n);
        Image a = lines;
        a.blur(1.5f);
        glow.add(a, 1.0f);
        Image b = lines;
        b.blur(4.0f);
        glow.add(b, 1.8f);
        glow.fadeBorder(6.0f);
        // The reticle's glow is alpha-blended over the crosshair (its alpha
        // pulses), so it carries its light as coverage.
        save(asCoverage(glow), paths.gfx + "/reticle_glow.png", true);
    }
}

} // namespace

void addEffectJobs(std::vector<Job>& jobs, const Paths& paths) {
    jobs.push_back([paths] {
        plasmaBullet(paths);
        laser(paths);
        star(paths);
        reticle(paths);
    });
}
