#ifndef QUENTH_MATH_VEC3_H
#define QUENTH_MATH_VEC3_H

#include <cmath>

namespace quenth {

// 3D float vector.
struct vec3 {
    float x, y, z;

    vec3() : x(0), y(0), z(0) {}
    vec3(float x, float y, float z) : x(x), y(y), z(z) {}

    // Index by bits: bit 1 set gives z, else bit 0 set gives y, else x (so 3 gives z).
    float& operator[](unsigned i) { return (i & 2) ? z : ((i & 1) ? y : x); }
    float const& operator[](unsigned i) const { return (i & 2) ? z : ((i & 1) ? y : x); }

    float length() const { return sqrtf(x * x + y * y + z * z); }

    // Scales to unit length; a zero-length vector stays unchanged.
    vec3& normalize() {
        float l = length();
        if (l != 0) {
            x /= l;
            y /= l;
            z /= l;
        }
        return *this;
    }

    // Each component clamped to [lo, hi] (above hi wins over below lo).
    vec3& clamp(float lo, float hi) {
        x = x > hi ? hi : (x < lo ? lo : x);
        y = y > hi ? hi : (y < lo ? lo : y);
        z = z > hi ? hi : (z < lo ? lo : z);
        return *this;
    }

    vec3& operator+=(vec3 const& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    vec3& operator-=(vec3 const& o) {
        x -= o.x;
        y -= o.y;
        z -= o.z;
        return *this;
    }
    vec3& operator*=(vec3 const& o) {
        x *= o.x;
        y *= o.y;
        z *= o.z;
        return *this;
    }
    vec3& operator*=(float f) {
        x *= f;
        y *= f;
        z *= f;
        return *this;
    }
    // No test for zero.
    vec3& operator/=(float f) {
        x /= f;
        y /= f;
        z /= f;
        return *this;
    }
};

inline vec3 operator+(vec3 const& a, vec3 const& b) {
    return vec3(a.x + b.x, a.y + b.y, a.z + b.z);
}
inline vec3 operator-(vec3 const& a, vec3 const& b) {
    return vec3(a.x - b.x, a.y - b.y, a.z - b.z);
}
inline vec3 operator*(vec3 const& a, vec3 const& b) {
    return vec3(a.x * b.x, a.y * b.y, a.z * b.z);
}
inline vec3 operator-(vec3 const& a) {
    return vec3(-a.x, -a.y, -a.z);
}
inline vec3 operator*(vec3 const& a, float f) {
    return vec3(a.x * f, a.y * f, a.z * f);
}
inline vec3 operator*(float f, vec3 const& a) {
    return vec3(a.x * f, a.y * f, a.z * f);
}
// The zero vector for a divisor of 0; otherwise multiplies by the reciprocal.
inline vec3 operator/(vec3 const& a, float f) {
    if (f == 0) return vec3(0, 0, 0);
    float r = 1.0f / f;
    return vec3(a.x * r, a.y * r, a.z * r);
}

} // namespace quenth

#endif
