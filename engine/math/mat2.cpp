#include "engine/math/mat2.h"

#include "engine/math/mat4.h"

#include <cmath>

namespace quenth {

mat2& mat2::identity() {
    a = d = 1;
    b = c = tx = ty = 0;
    return *this;
}

mat2& mat2::translate(float x, float y) {
    tx += a * x + c * y;
    ty += b * x + d * y;
    return *this;
}

mat2& mat2::rotate(float radians) {
    float s = sinf(radians), k = cosf(radians);
    float na = k * a - s * c, nb = k * b - s * d;
    float nc = s * a + k * c, nd = s * b + k * d;
    a = na;
    b = nb;
    c = nc;
    d = nd;
    return *this;
}

mat2& mat2::scale(float f) {
    a *= f;
    b *= f;
    c *= f;
    d *= f;
    return *this;
}

mat2& mat2::scale(vec2 const& v) {
    a *= v.x;
    b *= v.x;
    c *= v.y;
    d *= v.y;
    return *this;
}

mat2& mat2::transpose() {
    float t = b;
    b = c;
    c = t;
    return *this;
}

mat2& mat2::invert() {
    float det = determinant();
    if (det == 0) return *this;
    float r = 1.0f / det;
    float ia = d * r, ib = -b * r, ic = -c * r, id = a * r;
    float itx = -(ia * tx + ic * ty);
    float ity = -(ib * tx + id * ty);
    a = ia;
    b = ib;
    c = ic;
    d = id;
    tx = itx;
    ty = ity;
    return *this;
}

static void normalizeColumn(float& x, float& y) {
    float l = sqrtf(x * x + y * y);
    if (l != 0) {
        x /= l;
        y /= l;
    }
}

mat2& mat2::normalize() {
    normalizeColumn(a, b);
    normalizeColumn(c, d);
    normalizeColumn(tx, ty);
    return *this;
}

mat2::operator mat4() const {
    mat4 r;
    for (float& e : r.m) e = 0;
    r.m[0] = a;
    r.m[1] = b;
    r.m[4] = c;
    r.m[5] = d;
    r.m[12] = tx;
    r.m[13] = ty;
    r.m[10] = 1;
    r.m[15] = 1;
    return r;
}

mat2& mat2::operator+=(mat2 const& o) {
    for (int i = 0; i < 6; i++) m[i] += o.m[i];
    return *this;
}

mat2& mat2::operator*=(mat2 const& o) {
    *this = *this * o;
    return *this;
}

mat2 operator*(mat2 const& l, mat2 const& r) {
    return mat2(l.a * r.a + l.c * r.b, l.b * r.a + l.d * r.b, l.a * r.c + l.c * r.d, l.b * r.c + l.d * r.d,
                l.a * r.tx + l.c * r.ty + l.tx, l.b * r.tx + l.d * r.ty + l.ty);
}

vec2 operator*(mat2 const& m, vec2 const& v) {
    return vec2(m.a * v.x + m.c * v.y + m.tx, m.b * v.x + m.d * v.y + m.ty);
}

vec2 operator*(vec2 const& v, mat2 const& m) {
    return m * v;
}

} // namespace quenth
