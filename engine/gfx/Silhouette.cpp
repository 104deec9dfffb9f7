#include "engine/gfx/Silhouette.h"

#include "engine/gfx/Color.h"
#include "engine/gfx/Surface.h"

#include <cmath>

namespace quenth {

namespace {

// Unit direction of side i.
struct Directions {
    float x[Silhouette::SIDES], y[Silhouette::SIDES];
    Directions() {
        for (int i = 0; i < Silhouette::SIDES; i++) {
            double a = 2.0 * M_PI * i / Silhouette::SIDES;
            x[i] = (float)cos(a);
            y[i] = (float)sin(a);
        }
    }
};

const Directions& directions() {
    static const Directions d;
    return d;
}

} // namespace

Silhouette::Silhouette() : empty(false) {
    // The support function of the unit square.
    Directions const& d = directions();
    for (int i = 0; i < SIDES; i++) extent[i] = std::fmax(d.x[i], 0.0f) + std::fmax(d.y[i], 0.0f);
}

Silhouette::Silhouette(Surface const* s) : empty(true) {
    for (float& e : extent) e = -INFINITY;
    if (!s) return;
    Directions const& d = directions();
    float w = (float)s->width, h = (float)s->height;
    for (int y = 0; y < s->height; y++) {
        // A side's distance is linear along a row, so only the first and the
        // last showing texel of each row can reach it.
        unsigned const* row = s->pixels + (size_t)y * s->width;
        int first = 0, last = s->width - 1;
        while (first <= last && Color::getA(row[first]) == 0) first++;
        if (first > last) continue;
        while (Color::getA(row[last]) == 0) last--;
        empty = false;
        // The texels grown by one texel on each side, kept inside the image.
        float u0 = std::fmax(first - 1.0f, 0.0f) / w, u1 = std::fmin(last + 2.0f, w) / w;
        float v0 = std::fmax(y - 1.0f, 0.0f) / h, v1 = std::fmin(y + 2.0f, h) / h;
        for (int i = 0; i < SIDES; i++) {
            float u = d.x[i] > 0 ? u1 : u0, v = d.y[i] > 0 ? v1 : v0;
            extent[i] = std::fmax(extent[i], u * d.x[i] + v * d.y[i]);
        }
    }
}

void Silhouette::add(Silhouette const& other) {
    if (other.empty) return;
    for (int i = 0; i < SIDES; i++)
        extent[i] = empty ? other.extent[i] : std::fmax(extent[i], other.extent[i]);
    empty = false;
}

void Silhouette::corners(float* uv) const {
    // Corner i is where side i meets side i + 1.
    Directions const& d = directions();
    for (int i = 0; i < SIDES; i++) {
        int j = (i + 1) % SIDES;
        float det = d.x[i] * d.y[j] - d.y[i] * d.x[j];
        uv[2 * i] = (extent[i] * d.y[j] - extent[j] * d.y[i]) / det;
        uv[2 * i + 1] = (d.x[i] * extent[j] - d.x[j] * extent[i]) / det;
    }
}

float Silhouette::area() const {
    if (empty) return 0;
    float uv[2 * SIDES];
    corners(uv);
    float twice = 0;
    for (int i = 0; i < SIDES; i++) {
        int j = (i + 1) % SIDES;
        twice += uv[2 * i] * uv[2 * j + 1] - uv[2 * j] * uv[2 * i + 1];
    }
    return 0.5f * std::fabs(twice);
}

int Silhouette::cornersOf(Silhouette const* outline, float* uv) {
    static const float square[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    if (outline) {
        outline->corners(uv);
        return SIDES;
    }
    for (int i = 0; i < 8; i++) uv[i] = square[i];
    return 4;
}

} // namespace quenth
