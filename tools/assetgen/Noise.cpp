#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Rng.h"

#include <cmath>

Noise::Noise(uint64_t seed) {
    Rng r(seed);
    for (int i = 0; i < 256; ++i) perm[i] = static_cast<unsigned char>(i);
    for (int i = 255; i > 0; --i) {
        int j = static_cast<int>(r.next() % (i + 1));
        unsigned char t = perm[i];
        perm[i] = perm[j];
        perm[j] = t;
    }
    for (int i = 0; i < 256; ++i) perm[256 + i] = perm[i];
    for (int i = 0; i < 256; ++i) values[i] = static_cast<float>(r.uniform(-1.0, 1.0));
}

namespace {
inline float smooth(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}
inline float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}
} // namespace

float Noise::at(float x, float y, float z) const {
    float fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    int ix = static_cast<int>(fx) & 255, iy = static_cast<int>(fy) & 255, iz = static_cast<int>(fz) & 255;
    float tx = smooth(x - fx), ty = smooth(y - fy), tz = smooth(z - fz);
    auto v = [&](int dx, int dy, int dz) { return values[perm[perm[perm[ix + dx] + iy + dy] + iz + dz]]; };
    float a = lerp(lerp(v(0, 0, 0), v(1, 0, 0), tx), lerp(v(0, 1, 0), v(1, 1, 0), tx), ty);
    float b = lerp(lerp(v(0, 0, 1), v(1, 0, 1), tx), lerp(v(0, 1, 1), v(1, 1, 1), tx), ty);
    return lerp(a, b, tz);
}

float Noise::fbm(float x, float y, float z, int octaves, float gain) const {
    float sum = 0.0f, amp = 1.0f, norm = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * at(x, y, z);
        norm += amp;
        amp *= gain;
        // Rotate-ish offsets keep octaves from lining up on the lattice.
        float nx = x * 2.03f + 17.1f, ny = y * 2.01f - 5.3f, nz = z * 1.97f + 9.7f;
        x = nx;
        y = ny;
        z = nz;
    }
    return sum / norm;
}

float Noise::cellHash(int x, int y, int z, int k) const {
    int h = perm[(perm[(perm[(x & 255)] + (y & 255)) & 511] + (z & 255) + k * 37) & 511];
    int h2 = perm[(h + (x >> 8 & 255) * 13 + k * 101) & 511];
    return (h * 256 + h2) / 65536.0f;
}
