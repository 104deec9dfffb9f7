#include "engine/math/Math.h"

#include "engine/math/mat4.h"

#include <cmath>
#include <limits>

namespace quenth {

static const double PI = 3.14159265358979323846;

int Math::miniv(int* v, unsigned n) {
    if (n == 0) return 0;
    int r = v[0];
    for (unsigned i = 1; i < n; i++)
        if (v[i] < r) r = v[i];
    return r;
}

int Math::maxiv(int* v, unsigned n) {
    if (n == 0) return 0;
    int r = v[0];
    for (unsigned i = 1; i < n; i++)
        if (v[i] > r) r = v[i];
    return r;
}

float Math::minfv(float* v, unsigned n) {
    if (n == 0) return 0;
    float r = v[0];
    for (unsigned i = 1; i < n; i++)
        if (v[i] < r) r = v[i];
    return r;
}

float Math::maxfv(float* v, unsigned n) {
    if (n == 0) return 0;
    float r = v[0];
    for (unsigned i = 1; i < n; i++)
        if (v[i] > r) r = v[i];
    return r;
}

void Math::minmaxiv(int* out, int* in, unsigned n) {
    out[0] = miniv(in, n);
    out[1] = maxiv(in, n);
}

void Math::minmaxfv(float* out, float* in, unsigned n) {
    out[0] = minfv(in, n);
    out[1] = maxfv(in, n);
}

int Math::wrapi(int v, int lo, int hi) {
    if (lo == hi) return lo;
    if (hi < lo) {
        int t = lo;
        lo = hi;
        hi = t;
    }
    int range = hi - lo;
    int r = (v - lo) % range;
    if (r < 0) r += range;
    return lo + r;
}

float Math::wrapf(float v, float lo, float hi) {
    if (lo == hi) return lo;
    if (hi < lo) {
        float t = lo;
        lo = hi;
        hi = t;
    }
    float range = hi - lo;
    float d = v - lo;
    float r = d - truncf(d / range) * range;
    if (std::signbit(r)) r += range;
    float w = lo + r;
    // A remainder a hair below 0 (or below the range) can round onto hi itself, and for huge
    // |v| the float remainder is meaningless; callers index and compare on [lo, hi), and hi is
    // the same place as lo.
    if (w >= hi || w < lo) w = lo;
    return w;
}

int Math::bounce(int v, int lo, int hi) {
    int w = wrapi(v, lo, 2 * hi - lo);
    return w > hi ? 2 * hi - w : w;
}

float Math::bounce(float v, float lo, float hi) {
    float w = wrapf(v, lo, 2 * hi - lo);
    return w > hi ? 2 * hi - w : w;
}

static bool outsideUnit(float t) {
    return !(t >= 0 && t <= 1);
}

float Math::sin_lerp(float t, float a, float b) {
    if (outsideUnit(t)) return lerp(t, a, b);
    double u = (sin(t * PI + 4.71238898038469) + 1) / 2;
    return lerp((float)u, a, b);
}

float Math::sinh_lerp(float t, float a, float b) {
    if (outsideUnit(t)) return lerp(t, a, b);
    double u = sin(t * PI / 2);
    return lerp((float)u, a, b);
}

float Math::sinl_lerp(float t, float a, float b) {
    if (outsideUnit(t)) return lerp(t, a, b);
    double u = 1 - cos(t * PI / 2);
    return lerp((float)u, a, b);
}

vec2 Math::lerp(float t, vec2 const& a, vec2 const& b) {
    return vec2(lerp(t, a.x, b.x), lerp(t, a.y, b.y));
}
vec2 Math::sin_lerp(float t, vec2 const& a, vec2 const& b) {
    return vec2(sin_lerp(t, a.x, b.x), sin_lerp(t, a.y, b.y));
}
vec2 Math::sinh_lerp(float t, vec2 const& a, vec2 const& b) {
    return vec2(sinh_lerp(t, a.x, b.x), sinh_lerp(t, a.y, b.y));
}
vec2 Math::sinl_lerp(float t, vec2 const& a, vec2 const& b) {
    return vec2(sinl_lerp(t, a.x, b.x), sinl_lerp(t, a.y, b.y));
}
vec3 Math::lerp(float t, vec3 const& a, vec3 const& b) {
    return vec3(lerp(t, a.x, b.x), lerp(t, a.y, b.y), lerp(t, a.z, b.z));
}
vec3 Math::sin_lerp(float t, vec3 const& a, vec3 const& b) {
    return vec3(sin_lerp(t, a.x, b.x), sin_lerp(t, a.y, b.y), sin_lerp(t, a.z, b.z));
}
vec3 Math::sinh_lerp(float t, vec3 const& a, vec3 const& b) {
    return vec3(sinh_lerp(t, a.x, b.x), sinh_lerp(t, a.y, b.y), sinh_lerp(t, a.z, b.z));
}
vec3 Math::sinl_lerp(float t, vec3 const& a, vec3 const& b) {
    return vec3(sinl_lerp(t, a.x, b.x), sinl_lerp(t, a.y, b.y), sinl_lerp(t, a.z, b.z));
}

float Math::scurve3(float t) {
    double d = t;
    return (float)(d * d * (3 - 2 * d));
}

float Math::scurve5(float t) {
    double d = t;
    double d3 = d * d * d;
    return (float)(6 * d3 * d * d - 15 * d3 * d + 10 * d3);
}

float Math::angle(vec2 const& from, vec2 const& to) {
    double dx = to.x - from.x;
    double dy = to.y - from.y;
    // A negative zero would flip atan2 to the other side of the seam and leave (0, 360].
    if (dx == 0) dx = 0;
    if (dy == 0) dy = 0;
    double a = -atan2(dy, dx) * 57.295780181884766;
    return (float)(dy >= 0 ? a + 360 : a);
}

unsigned Math::getNextPow2(unsigned n) {
    if (n < 2) return 1;
    n--;
    n |= n >> 1;
    n |= n >> 2;
    n |= n >> 4;
    n |= n >> 8;
    n |= n >> 16;
    return n + 1;
}

unsigned Math::getClosestPow2(unsigned n) {
    if (n < 2) return n;
    unsigned next = getNextPow2(n);
    if (next == n) return n;
    unsigned prev = next >> 1;
    return (n - prev < next - n) ? prev : next;
}

unsigned Math::getShiftPow2(unsigned n) {
    for (unsigned k = 0; k < 32; k++)
        if ((1u << k) >= n) return k;
    return 31;
}

int Math::toFixed(float f, unsigned char bits) {
    return (int)ldexpf(f, bits);
}

float Math::toFloat(int v, unsigned char bits) {
    if (v == 0) return 0;
    int mask = (int)((1u << bits) - 1);
    return (float)(v >> bits) + (float)(v & mask) / ldexpf(1, bits);
}

float Math::gauss(float x, float s) {
    double xd = x, sd = s;
    return (float)(exp(-xd * xd / (2 * sd * sd)) / sqrt(2 * PI * sd));
}

vec2 Math::rotate(vec2 const& v, float radians) {
    float s = sinf(radians), c = cosf(radians);
    return vec2(v.x * c - v.y * s, v.y * c + v.x * s);
}

vec3 Math::rotate(vec3 const& v, float ax, float ay, float az) {
    mat4 m;
    m.identity().rotate(vec3(ax, ay, az));
    return m * v;
}

vec3 Math::rotate(vec3 const& v, vec3 const& axis, float radians) {
    mat4 m;
    m.identity().rotate(vec4(axis.x, axis.y, axis.z, radians));
    return m * v;
}

float Math::distanceTo(vec2 const& a, vec2 const& b, vec2 const& p) {
    double abx = b.x - a.x, aby = b.y - a.y;
    double len = sqrt(abx * abx + aby * aby);
    if (len == 0) return std::numeric_limits<float>::quiet_NaN();
    double cross = (p.x - a.x) * aby - (p.y - a.y) * abx;
    return (float)(fabs(cross) / len);
}

// Ray parameters (distances from a) where the ray towards b crosses the circle / sphere.
template <typename V>
static bool intersectParams(V const& a, V const& b, V const& c, float r, V& d, float& t1, float& t2) {
    d = b - a;
    d.normalize();
    V f = a - c;
    float A = Math::dot(d, d);
    if (A == 0) return false;
    float B = 2 * Math::dot(f, d);
    float C = Math::dot(f, f) - r * r;
    float disc = B * B - 4 * A * C;
    if (disc < 0) return false;
    float sq = sqrtf(disc);
    t1 = (-B + sq) / (2 * A);
    t2 = (-B - sq) / (2 * A);
    return true;
}

vec2 Math::getNearIntersectPoint(vec2 const& a, vec2 const& b, vec2 const& c, float r) {
    vec2 d;
    float t1, t2;
    if (!intersectParams(a, b, c, r, d, t1, t2)) return vec2(0, 0);
    return a + d * (t1 < t2 ? t1 : t2);
}

vec2 Math::getFarIntersectPoint(vec2 const& a, vec2 const& b, vec2 const& c, float r) {
    vec2 d;
    float t1, t2;
    if (!intersectParams(a, b, c, r, d, t1, t2)) return vec2(0, 0);
    return a + d * (t1 > t2 ? t1 : t2);
}

vec3 Math::getNearIntersectPoint(vec3 const& a, vec3 const& b, vec3 const& c, float r) {
    vec3 d;
    float t1, t2;
    if (!intersectParams(a, b, c, r, d, t1, t2)) return vec3(0, 0, 0);
    return a + d * (t1 < t2 ? t1 : t2);
}

vec3 Math::getFarIntersectPoint(vec3 const& a, vec3 const& b, vec3 const& c, float r) {
    vec3 d;
    float t1, t2;
    if (!intersectParams(a, b, c, r, d, t1, t2)) return vec3(0, 0, 0);
    return a + d * (t1 > t2 ? t1 : t2);
}

} // namespace quenth
