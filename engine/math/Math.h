#ifndef QUENTH_MATH_MATH_H
#define QUENTH_MATH_MATH_H

#include "engine/math/vec2.h"
#include "engine/math/vec3.h"

namespace quenth {

// Static math helpers. Angles: toRadian/toDegree convert; rotations take radians; angle()
// returns degrees in (0, 360] with 90 pointing up on the y-down screen.
class Math {
public:
    static int abs(int v) { return v < 0 ? -v : v; }
    static float abs(float v) { return v < 0 ? -v : v; }
    static int mini(int a, int b) { return a < b ? a : b; }
    static int maxi(int a, int b) { return a > b ? a : b; }

    // Minimum / maximum of n values; n = 0 gives 0 without reading the array.
    static int miniv(int* v, unsigned n);
    static int maxiv(int* v, unsigned n);
    static float minfv(float* v, unsigned n);
    static float maxfv(float* v, unsigned n);
    // out[0] = minimum, out[1] = maximum of n values; n = 0 gives 0 and 0.
    static void minmaxiv(int* out, int* in, unsigned n);
    static void minmaxfv(float* out, float* in, unsigned n);

    // hi if v > hi, else lo if v < lo, else v.
    static int clampi(int v, int lo, int hi) { return v > hi ? hi : (v < lo ? lo : v); }
    static float clampf(float v, float lo, float hi) { return v > hi ? hi : (v < lo ? lo : v); }

    // v wrapped into [lo, hi); lo when lo == hi; swapped bounds behave as ordered ones.
    static int wrapi(int v, int lo, int hi);
    static float wrapf(float v, float lo, float hi);

    // Triangle wave running from lo up to hi and back with period 2 * (hi - lo).
    static int bounce(int v, int lo, int hi);
    static float bounce(float v, float lo, float hi);

    static float lerp(float t, float a, float b) { return a + (b - a) * t; }
    // Eased interpolations; t outside [0, 1] falls back to lerp. Factors in double precision.
    static float sin_lerp(float t, float a, float b);  // ease in and out
    static float sinh_lerp(float t, float a, float b); // ease out
    static float sinl_lerp(float t, float a, float b); // ease in

    static vec2 lerp(float t, vec2 const& a, vec2 const& b);
    static vec2 sin_lerp(float t, vec2 const& a, vec2 const& b);
    static vec2 sinh_lerp(float t, vec2 const& a, vec2 const& b);
    static vec2 sinl_lerp(float t, vec2 const& a, vec2 const& b);
    static vec3 lerp(float t, vec3 const& a, vec3 const& b);
    static vec3 sin_lerp(float t, vec3 const& a, vec3 const& b);
    static vec3 sinh_lerp(float t, vec3 const& a, vec3 const& b);
    static vec3 sinl_lerp(float t, vec3 const& a, vec3 const& b);

    static float scurve3(float t); // t^2 (3 - 2t)
    static float scurve5(float t); // 6t^5 - 15t^4 + 10t^3

    static float toRadian(float deg) { return deg * 0.017453292f; }
    static float toDegree(float rad) { return rad * 57.29578f; }

    // Heading from one point to another in degrees, in (0, 360]: right 360, up (y < 0) 90,
    // left 180, down 270. Equal points give 360.
    static float angle(vec2 const& from, vec2 const& to);

    // Smallest power of two >= n; 1 for n < 2. n must not exceed 2^31.
    static unsigned getNextPow2(unsigned n);
    // Nearest power of two, the higher one on a tie; 0 for 0. n must not exceed 2^31.
    static unsigned getClosestPow2(unsigned n);
    // Smallest k in 0..31 with 2^k >= n (31 if none).
    static unsigned getShiftPow2(unsigned n);
    static bool isPowerOf2(unsigned n) { return n != 0 && (n & (n - 1)) == 0; }

    // Fixed point with `bits` fraction bits (bits < 32): f * 2^bits truncated toward zero.
    static int toFixed(float f, unsigned char bits);
    static float toFloat(int v, unsigned char bits);

    // exp(-x^2 / (2 s^2)) / sqrt(2 pi s).
    static float gauss(float x, float s);

    static float dot(vec2 const& a, vec2 const& b) { return a.x * b.x + a.y * b.y; }
    static float dot(vec3 const& a, vec3 const& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
    // Right-handed.
    static vec3 cross(vec3 const& a, vec3 const& b) {
        return vec3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
    }

    // (x cos - y sin, y cos + x sin).
    static vec2 rotate(vec2 const& v, float radians);
    // The same Euler rotation that mat4::rotate(vec3) builds, applied to v.
    static vec3 rotate(vec3 const& v, float ax, float ay, float az);
    // v rotated about the unit axis (Rodrigues).
    static vec3 rotate(vec3 const& v, vec3 const& axis, float radians);

    // Distance of p from the infinite line through a and b (not clamped to the segment).
    // For a == b there is no line: the result is a quiet NaN (every comparison with it is
    // false, so a hit test reads it as a miss), computed without dividing.
    static float distanceTo(vec2 const& a, vec2 const& b, vec2 const& p);

    // Entry / exit point of the ray from a towards b through the circle (sphere) at c with
    // radius r. Distances along the ray may be negative (behind a). The zero vector when the
    // ray misses, and also when a == b (no direction).
    static vec2 getNearIntersectPoint(vec2 const& a, vec2 const& b, vec2 const& c, float r);
    static vec2 getFarIntersectPoint(vec2 const& a, vec2 const& b, vec2 const& c, float r);
    static vec3 getNearIntersectPoint(vec3 const& a, vec3 const& b, vec3 const& c, float r);
    static vec3 getFarIntersectPoint(vec3 const& a, vec3 const& b, vec3 const& c, float r);
};

} // namespace quenth

#endif
