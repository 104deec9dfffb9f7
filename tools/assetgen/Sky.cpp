// The six sky box faces. Every pixel is coloured by a function of its 3D
// direction, found from the corner and texture-coordinate tables the sky box
// draws each face with, so the faces join without seams by construction.
#include "tools/assetgen/Art.h"
#include "tools/assetgen/Image.h"
#include "tools/assetgen/Noise.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const int kFace = 512;

struct Face {
    const char* file;   // picture name
    float corner[4][3]; // quad corners (x, y, z) in drawing order
    float tex[4][2];    // texture coordinates (s, t) of the same corners
};

// The quads and texture coordinates of the sky box's faces.
const Face kFaces[6] = {
    {"sky_front", {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}, {{0, 1}, {1, 1}, {1, 0}, {0, 0}}},
    {"sky_left", {{1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}}, {{0, 1}, {1, 1}, {1, 0}, {0, 0}}},
    {"sky_back", {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}}, {{0, 1}, {1, 1}, {1, 0}, {0, 0}}},
    {"sky_right", {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}}, {{0, 1}, {1, 1}, {1, 0}, {0, 0}}},
    {"sky_top", {{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}}, {{1, 1}, {1, 0}, {0, 0}, {0, 1}}},
    {"sky_bottom", {{-1, -1, -1}, {-1, -1, 1}, {1, -1, 1}, {1, -1, -1}}, {{1, 0}, {1, 1}, {0, 1}, {0, 0}}},
};

struct V3 {
    float x, y, z;
};
V3 operator+(V3 a, V3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
V3 operator-(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 operator*(V3 a, float k) {
    return {a.x * k, a.y * k, a.z * k};
}

// The face is an affine map P(s, t) = origin + s * du + t * dv; found from
// the corners at (0, 0), (1, 0) and (0, 1), and checked at (1, 1).
void faceMap(const Face& f, V3& origin, V3& du, V3& dv) {
    V3 at[2][2];
    for (int i = 0; i < 4; ++i)
        at[static_cast<int>(f.tex[i][0])][static_cast<int>(f.tex[i][1])] = {f.corner[i][0], f.corner[i][1],
                                                                            f.corner[i][2]};
    origin = at[0][0];
    du = at[1][0] - origin;
    dv = at[0][1] - origin;
    V3 check = origin + du + dv - at[1][1];
    if (std::fabs(check.x) + std::fabs(check.y) + std::fabs(check.z) > 1e-6f) {
        std::fprintf(stderr, "assetgen: face %s is not a parallelogram\n", f.file);
        std::exit(1);
    }
}

float smoothstep(float a, float b, float x) {
    float t = std::min(std::max((x - a) / (b - a), 0.0f), 1.0f);
    return t * t * (3 - 2 * t);
}

Rgb lerp(Rgb a, Rgb b, float t) {
    return mix(a, b, t);
}

// Palette along c in [-1, 1]: teal, deep blue, violet, magenta, ember.
Rgb palette(float c) {
    static const Rgb stops[] = {{0.04f, 0.42f, 0.52f},
                                {0.10f, 0.16f, 0.62f},
                                {0.40f, 0.12f, 0.60f},
                                {0.72f, 0.14f, 0.46f},
                                {0.80f, 0.34f, 0.12f}};
    float x = std::min(std::max((c + 0.75f) / 1.5f, 0.0f), 1.0f) * 4.0f;
    int i = std::min(static_cast<int>(x), 3);
    return lerp(stops[i], stops[i + 1], x - i);
}

// Where the game's sky camera looks, in the sky box's own frame, t (the
// camera's time parameter, one unit per 650 s) after the game starts: the
// camera circles and the box is turned by 56 degrees about z and 7 about x.
V3 viewDirection(double t) {
    double px = -std::cos(1.8 * t) * 25, py = 9 - std::sin(1.1 * t), pz = std::sin(1.4 * t) * 25;
    double dx = 0 - px, dy = std::cos(2.1 * t) + 1.5 - py, dz = 1 - pz;
    double len = std::sqrt(dx * dx + dy * dy + dz * dz);
    dx /= len, dy /= len, dz /= len;
    const double az = 56 * M_PI / 180, ax = 7 * M_PI / 180;
    double x1 = dx * std::cos(az) + dy * std::sin(az), y1 = -dx * std::sin(az) + dy * std::cos(az), z1 = dz;
    double y2 = y1 * std::cos(ax) + z1 * std::sin(ax), z2 = -y1 * std::sin(ax) + z1 * std::cos(ax);
    return {static_cast<float>(x1), static_cast<float>(y2), static_cast<float>(z2)};
}

struct Sky {
    Noise shape{11}, warp{23}, detail{37}, hue{41}, dust{53}, stars{67};
    // The part of the sky a game's first quarter hour looks at: the clouds
    // are thickened along it so the view never sits on empty sky.
    std::vector<V3> path;

    Sky() {
        for (int i = 0; i <= 30; ++i) path.push_back(viewDirection(i * 0.05));
    }

    float pathBoost(V3 d) const {
        float best = 4.0f;
        for (const V3& p : path) {
            V3 e = d - p;
            best = std::min(best, e.x * e.x + e.y * e.y + e.z * e.z);
        }
        return std::exp(-best / 0.10f);
    }

    Rgb at(V3 d) const {
        // Domain warp makes the clouds stream and curl instead of blobbing.
        V3 w = {warp.fbm(d.x * 1.3f + 3.1f, d.y * 1.3f, d.z * 1.3f, 3),
                warp.fbm(d.x * 1.3f, d.y * 1.3f + 7.7f, d.z * 1.3f, 3),
                warp.fbm(d.x * 1.3f, d.y * 1.3f, d.z * 1.3f - 5.2f, 3)};
        V3 q = d * 1.5f + w * 0.75f;
        float n = shape.fbm(q.x, q.y, q.z, 6, 0.55f) + 0.30f * pathBoost(d);
        float density = smoothstep(-0.22f, 0.50f, n);
        V3 r = d * 4.2f + w * 1.6f;
        float wisp = 1.0f - std::fabs(detail.fbm(r.x, r.y, r.z, 5, 0.5f));
        wisp = wisp * wisp * wisp * wisp;
        float lanes = smoothstep(0.05f, 0.55f, dust.fbm(d.x * 3.0f + 1.7f, d.y * 3.0f, d.z * 3.0f - 2.3f, 4));
        float c = hue.fbm(d.x * 0.9f - 4.0f, d.y * 0.9f + 2.0f, d.z * 0.9f, 3) * 1.6f + 0.25f * n;
        Rgb col = palette(c);
        float glow = density * (0.30f + 0.70f * wisp) * (1.0f - 0.75f * lanes);
        float core = density * density * density * wisp * (1.0f - lanes);
        Rgb out = {0.008f, 0.010f, 0.026f};
        out.r += col.r * glow * 1.05f + core * (0.45f * col.r + 0.25f) * 0.85f;
        out.g += col.g * glow * 1.05f + core * (0.45f * col.g + 0.22f) * 0.85f;
        out.b += col.b * glow * 1.05f + core * (0.45f * col.b + 0.28f) * 0.85f;
        // A faint haze of far stars: one candidate per lattice cell, kept only
        // when it lies well inside its cell so no star is cut by a cell wall.
        const float g = 0.05f;
        int cx = static_cast<int>(std::floor(d.x / g)), cy = static_cast<int>(std::floor(d.y / g)),
            cz = static_cast<int>(std::floor(d.z / g));
        if (stars.cellHash(cx, cy, cz, 0) < 0.45f) {
            V3 s = {(cx + 0.25f + 0.5f * stars.cellHash(cx, cy, cz, 1)) * g,
                    (cy + 0.25f + 0.5f * stars.cellHash(cx, cy, cz, 2)) * g,
                    (cz + 0.25f + 0.5f * stars.cellHash(cx, cy, cz, 3)) * g};
            float len = std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z);
            s = s * (1.0f / len);
            V3 f = {s.x / g - cx, s.y / g - cy, s.z / g - cz};
            bool inside = f.x > 0.2f && f.x < 0.8f && f.y > 0.2f && f.y < 0.8f && f.z > 0.2f && f.z < 0.8f;
            if (inside) {
                V3 e = d - s;
                float dist2 = e.x * e.x + e.y * e.y + e.z * e.z;
                const float sigma = 0.0026f;
                float b = stars.cellHash(cx, cy, cz, 4);
                b = 0.08f + 0.5f * b * b * b;
                float k = b * std::exp(-dist2 / (sigma * sigma));
                float tintT = stars.cellHash(cx, cy, cz, 5);
                out.r += k * (0.8f + 0.2f * tintT);
                out.g += k * 0.85f;
                out.b += k * (1.0f - 0.2f * tintT);
            }
        }
        return out;
    }
};

void face(const Paths& paths, const Face& f) {
    static const Sky sky;
    V3 origin, du, dv;
    faceMap(f, origin, du, dv);
    Image img(kFace, kFace);
    for (int y = 0; y < kFace; ++y)
        for (int x = 0; x < kFace; ++x) {
            float s = (x + 0.5f) / kFace, t = (y + 0.5f) / kFace; // row 0 is t = 0
            V3 p = origin + du * s + dv * t;
            float len = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
            Rgb c = sky.at(p * (1.0f / len));
            float* o = img.at(x, y);
            o[0] = c.r;
            o[1] = c.g;
            o[2] = c.b;
            o[3] = 1.0f;
        }
    save(img, paths.gfx + "/" + f.file + ".png", false);
}

} // namespace

void addSkyJobs(std::vector<Job>& jobs, const Paths& paths) {
    for (const Face& f : kFaces) jobs.push_back([&f, paths] { face(paths, f); });
}
