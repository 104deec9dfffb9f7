#ifndef QUENTH_MATH_VEC2_H
#define QUENTH_MATH_VEC2_H

#include <cmath>

namespace quenth {

// 2D float vector; screen and world y grow downwards.
struct vec2 {
    float x, y;

    vec2() : x(0), y(0) {}
    vec2(float x, float y) : x(x), y(y) {}

    float length() const { return sqrtf(x * x + y * y); }

    // Scales to unit length; a zero-length vector stays unchanged.
    vec2& normalize() {
        float l = length();
        if (l != 0) {
            x /= l;
            y /= l;
        }
        return *this;
    }

    // Each component clamped to [lo, hi] (above hi wins over below lo).
    vec2& clamp(float lo, float hi) {
        x = x > hi ? hi : (x < lo ? lo : x);
        y = y > hi ? hi : (y < lo ? lo : y);
        return *this;
    }

    vec2& operator+=(vec2 const& o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    vec2& operator-=(vec2 const& o) {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    vec2& operator*=(vec2 const& o) {
        x *= o.x;
        y *= o.y;
        return *this;
    }
    vec2& operator*=(float f) {
        x *= f;
        y *= f;
        return *this;
    }
    // No test for zero: dividing by 0 gives infinities, as in plain float code.
    vec2& operator/=(float f) {
        x /= f;
        y /= f;
        return *this;
    }
};

inline vec2 operator+(vec2 const& a, vec2 const& b) {
    return vec2(a.x + b.x, a.y + b.y);
}
inline vec2 operator-(vec2 const& a, vec2 const& b) {
    return vec2(a.x - b.x, a.y - b.y);
}
inline vec2 operator*(vec2 const& a, vec2 const& b) {
    return vec2(a.x * b.x, a.y * b.y);
}
inline vec2 operator-(vec2 const& a) {
    return vec2(-a.x, -a.y);
}
inline vec2 operator*(vec2 const& a, float f) {
    return vec2(a.x * f, a.y * f);
}
inline vec2 operator*(float f, vec2 const& a) {
    return vec2(a.x * f, a.y * f);
}
// The zero vector for a divisor of 0; otherwise multiplies by the reciprocal.
inline vec2 operator/(vec2 const& a, float f) {
    if (f == 0) return vec2(0, 0);
    float r = 1.0f / f;
    return vec2(a.x * r, a.y * r);
}

} // namespace quenth

#endif
