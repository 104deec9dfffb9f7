#ifndef QUENTH_MATH_VEC4_H
#define QUENTH_MATH_VEC4_H

#include <cmath>

namespace quenth {

// 4D float vector; also used for colours with components 0 to 1.
struct vec4 {
    float x, y, z, w;

    vec4() : x(0), y(0), z(0), w(0) {}
    vec4(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}

    // 3 gives w; otherwise bit 1 set gives z, else bit 0 set gives y, else x.
    float& operator[](unsigned i) { return i == 3 ? w : ((i & 2) ? z : ((i & 1) ? y : x)); }
    float const& operator[](unsigned i) const { return i == 3 ? w : ((i & 2) ? z : ((i & 1) ? y : x)); }

    float length() const { return sqrtf(x * x + y * y + z * z + w * w); }

    // Scales to unit length; a zero-length vector stays unchanged.
    vec4& normalize() {
        float l = length();
        if (l != 0) {
            x /= l;
            y /= l;
            z /= l;
            w /= l;
        }
        return *this;
    }

    // Each component clamped to [lo, hi] (above hi wins over below lo).
    vec4& clamp(float lo, float hi) {
        x = x > hi ? hi : (x < lo ? lo : x);
        y = y > hi ? hi : (y < lo ? lo : y);
        z = z > hi ? hi : (z < lo ? lo : z);
        w = w > hi ? hi : (w < lo ? lo : w);
        return *this;
    }

    vec4& operator+=(vec4 const& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        w += o.w;
        return *this;
    }
    vec4& operator-=(vec4 const& o) {
        x -= o.x;
        y -= o.y;
        z -= o.z;
        w -= o.w;
        return *this;
    }
    vec4& operator*=(vec4 const& o) {
        x *= o.x;
        y *= o.y;
        z *= o.z;
        w *= o.w;
        return *this;
    }
    vec4& operator*=(float f) {
        x *= f;
        y *= f;
        z *= f;
        w *= f;
        return *this;
    }
    // No test for zero.
    vec4& operator/=(float f) {
        x /= f;
        y /= f;
        z /= f;
        w /= f;
        return *this;
    }
};

inline vec4 operator+(vec4 const& a, vec4 const& b) {
    return vec4(a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w);
}
inline vec4 operator-(vec4 const& a, vec4 const& b) {
    return vec4(a.x - b.x, a.y - b.y, a.z - b.z, a.w - b.w);
}
inline vec4 operator*(vec4 const& a, vec4 const& b) {
    return vec4(a.x * b.x, a.y * b.y, a.z * b.z, a.w * b.w);
}
inline vec4 operator-(vec4 const& a) {
    return vec4(-a.x, -a.y, -a.z, -a.w);
}
inline vec4 operator*(vec4 const& a, float f) {
    return vec4(a.x * f, a.y * f, a.z * f, a.w * f);
}
inline vec4 operator*(float f, vec4 const& a) {
    return vec4(a.x * f, a.y * f, a.z * f, a.w * f);
}
// The zero vector for a divisor of 0; otherwise multiplies by the reciprocal.
inline vec4 operator/(vec4 const& a, float f) {
    if (f == 0) return vec4(0, 0, 0, 0);
    float r = 1.0f / f;
    return vec4(a.x * r, a.y * r, a.z * r, a.w * r);
}

} // namespace quenth

#endif
