#include "engine/math/mat4.h"

#include <cmath>

namespace quenth {

mat4& mat4::identity() {
    for (float& e : m) e = 0;
    m[0] = m[5] = m[10] = m[15] = 1;
    return *this;
}

mat4& mat4::translate(vec3 const& v) {
    for (int r = 0; r < 3; r++) m[12 + r] += m[r] * v.x + m[4 + r] * v.y + m[8 + r] * v.z;
    return *this;
}

mat4& mat4::scale(float f) {
    for (float& e : m) e *= f;
    return *this;
}

mat4& mat4::scale(vec3 const& v) {
    for (int c = 0; c < 3; c++)
        for (int r = 0; r < 3; r++) m[c * 4 + r] *= v[c];
    return *this;
}

mat4& mat4::scale(vec4 const& v) {
    for (int c = 0; c < 4; c++)
        for (int r = 0; r < 4; r++) m[c * 4 + r] *= v[c];
    return *this;
}

// Replaces columns 0..2 of m by m * R for the 3x3 block R (R[row][col]).
static void postMultiply3(float* m, float const R[3][3]) {
    float out[12];
    for (int c = 0; c < 3; c++)
        for (int r = 0; r < 4; r++) out[c * 4 + r] = m[r] * R[0][c] + m[4 + r] * R[1][c] + m[8 + r] * R[2][c];
    for (int i = 0; i < 12; i++) m[i] = out[i];
}

// The Euler block R = Rx(-ax) * Ry(-ay) * Rz(-az).
static void eulerRotation(float ax, float ay, float az, float R[3][3]) {
    float sx = sinf(ax), cx = cosf(ax);
    float sy = sinf(ay), cy = cosf(ay);
    float sz = sinf(az), cz = cosf(az);
    R[0][0] = cy * cz;
    R[1][0] = sx * sy * cz - cx * sz;
    R[2][0] = cx * sy * cz + sx * sz;
    R[0][1] = cy * sz;
    R[1][1] = sx * sy * sz + cx * cz;
    R[2][1] = cx * sy * sz - sx * cz;
    R[0][2] = -sy;
    R[1][2] = sx * cy;
    R[2][2] = cx * cy;
}

// Rodrigues' rotation about a unit axis.
static void axisRotation(float x, float y, float z, float radians, float R[3][3]) {
    float c = cosf(radians), s = sinf(radians), C = 1 - c;
    R[0][0] = c + x * x * C;
    R[0][1] = x * y * C - z * s;
    R[0][2] = x * z * C + y * s;
    R[1][0] = x * y * C + z * s;
    R[1][1] = c + y * y * C;
    R[1][2] = y * z * C - x * s;
    R[2][0] = x * z * C - y * s;
    R[2][1] = y * z * C + x * s;
    R[2][2] = c + z * z * C;
}

mat4& mat4::rotate(vec3 const& radians) {
    float R[3][3];
    eulerRotation(radians.x, radians.y, radians.z, R);
    postMultiply3(m, R);
    return *this;
}

mat4& mat4::rotate(vec4 const& axisAngle) {
    float R[3][3];
    axisRotation(axisAngle.x, axisAngle.y, axisAngle.z, axisAngle.w, R);
    postMultiply3(m, R);
    return *this;
}

mat4& mat4::transpose() {
    for (int c = 0; c < 4; c++)
        for (int r = c + 1; r < 4; r++) {
            float t = m[c * 4 + r];
            m[c * 4 + r] = m[r * 4 + c];
            m[r * 4 + c] = t;
        }
    return *this;
}

// Adjugate (transposed cofactor matrix) of m into inv; returns the determinant.
static float adjugate(float const* m, float* inv) {
    inv[0] = m[5] * m[10] * m[15] - m[5] * m[11] * m[14] - m[9] * m[6] * m[15] + m[9] * m[7] * m[14] +
             m[13] * m[6] * m[11] - m[13] * m[7] * m[10];
    inv[4] = -m[4] * m[10] * m[15] + m[4] * m[11] * m[14] + m[8] * m[6] * m[15] - m[8] * m[7] * m[14] -
             m[12] * m[6] * m[11] + m[12] * m[7] * m[10];
    inv[8] = m[4] * m[9] * m[15] - m[4] * m[11] * m[13] - m[8] * m[5] * m[15] + m[8] * m[7] * m[13] +
             m[12] * m[5] * m[11] - m[12] * m[7] * m[9];
    inv[12] = -m[4] * m[9] * m[14] + m[4] * m[10] * m[13] + m[8] * m[5] * m[14] - m[8] * m[6] * m[13] -
              m[12] * m[5] * m[10] + m[12] * m[6] * m[9];
    inv[1] = -m[1] * m[10] * m[15] + m[1] * m[11] * m[14] + m[9] * m[2] * m[15] - m[9] * m[3] * m[14] -
             m[13] * m[2] * m[11] + m[13] * m[3] * m[10];
    inv[5] = m[0] * m[10] * m[15] - m[0] * m[11] * m[14] - m[8] * m[2] * m[15] + m[8] * m[3] * m[14] +
             m[12] * m[2] * m[11] - m[12] * m[3] * m[10];
    inv[9] = -m[0] * m[9] * m[15] + m[0] * m[11] * m[13] + m[8] * m[1] * m[15] - m[8] * m[3] * m[13] -
             m[12] * m[1] * m[11] + m[12] * m[3] * m[9];
    inv[13] = m[0] * m[9] * m[14] - m[0] * m[10] * m[13] - m[8] * m[1] * m[14] + m[8] * m[2] * m[13] +
              m[12] * m[1] * m[10] - m[12] * m[2] * m[9];
    inv[2] = m[1] * m[6] * m[15] - m[1] * m[7] * m[14] - m[5] * m[2] * m[15] + m[5] * m[3] * m[14] +
             m[13] * m[2] * m[7] - m[13] * m[3] * m[6];
    inv[6] = -m[0] * m[6] * m[15] + m[0] * m[7] * m[14] + m[4] * m[2] * m[15] - m[4] * m[3] * m[14] -
             m[12] * m[2] * m[7] + m[12] * m[3] * m[6];
    inv[10] = m[0] * m[5] * m[15] - m[0] * m[7] * m[13] - m[4] * m[1] * m[15] + m[4] * m[3] * m[13] +
              m[12] * m[1] * m[7] - m[12] * m[3] * m[5];
    inv[14] = -m[0] * m[5] * m[14] + m[0] * m[6] * m[13] + m[4] * m[1] * m[14] - m[4] * m[2] * m[13] -
              m[12] * m[1] * m[6] + m[12] * m[2] * m[5];
    inv[3] = -m[1] * m[6] * m[11] + m[1] * m[7] * m[10] + m[5] * m[2] * m[11] - m[5] * m[3] * m[10] -
             m[9] * m[2] * m[7] + m[9] * m[3] * m[6];
    inv[7] = m[0] * m[6] * m[11] - m[0] * m[7] * m[10] - m[4] * m[2] * m[11] + m[4] * m[3] * m[10] +
             m[8] * m[2] * m[7] - m[8] * m[3] * m[6];
    inv[11] = -m[0] * m[5] * m[11] + m[0] * m[7] * m[9] + m[4] * m[1] * m[11] - m[4] * m[3] * m[9] -
              m[8] * m[1] * m[7] + m[8] * m[3] * m[5];
    inv[15] = m[0] * m[5] * m[10] - m[0] * m[6] * m[9] - m[4] * m[1] * m[10] + m[4] * m[2] * m[9] +
              m[8] * m[1] * m[6] - m[8] * m[2] * m[5];
    // Cofactor expansion along the first column.
    return m[0] * inv[0] + m[1] * inv[4] + m[2] * inv[8] + m[3] * inv[12];
}

float mat4::determinant() const {
    float inv[16];
    return adjugate(m, inv);
}

mat4& mat4::invert() {
    float inv[16];
    float det = adjugate(m, inv);
    if (det == 0) return *this;
    float r = 1.0f / det;
    for (int i = 0; i < 16; i++) m[i] = inv[i] * r;
    return *this;
}

mat4& mat4::normalize() {
    for (int c = 0; c < 3; c++) {
        float* col = m + c * 4;
        float l = sqrtf(col[0] * col[0] + col[1] * col[1] + col[2] * col[2] + col[3] * col[3]);
        if (l != 0)
            for (int r = 0; r < 4; r++) col[r] /= l;
    }
    return *this;
}

mat4& mat4::operator+=(mat4 const& o) {
    for (int i = 0; i < 16; i++) m[i] += o.m[i];
    return *this;
}

mat4& mat4::operator*=(mat4 const& o) {
    *this = *this * o;
    return *this;
}

mat4 mat4::createOrthoMatrix(float l, float r, float t, float b, float n, float f) {
    if (r == l) r = l + 1;
    if (b == t) b = t + 1;
    if (f == n) f = n + 1;
    mat4 o;
    for (float& e : o.m) e = 0;
    o.m[0] = 2 / (r - l);
    o.m[5] = 2 / (t - b);
    o.m[10] = -2 / (f - n);
    o.m[12] = -(r + l) / (r - l);
    o.m[13] = -(t + b) / (t - b);
    o.m[14] = -(f + n) / (f - n);
    o.m[15] = 1;
    return o;
}

mat4 mat4::createProjectionMatrix(float l, float r, float t, float b, float n, float f) {
    mat4 p;
    for (float& e : p.m) e = 0;
    p.m[0] = 2 * n / (r - l);
    p.m[5] = 2 * n / (t - b);
    p.m[8] = (r + l) / (r - l);
    p.m[9] = (t + b) / (t - b);
    p.m[10] = -(f + n) / (f - n);
    p.m[11] = -1;
    p.m[14] = -2 * f * n / (f - n);
    return p;
}

static vec3 cross3(vec3 const& a, vec3 const& b) {
    return vec3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

static float dot3(vec3 const& a, vec3 const& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

mat4 mat4::createLookAtMatrix(vec3 eye, vec3 target, vec3 up) {
    vec3 f = (target - eye).normalize();
    vec3 s = cross3(f, up.normalize()).normalize();
    vec3 u = cross3(s, f).normalize();
    mat4 v;
    v.m[0] = s.x;
    v.m[4] = s.y;
    v.m[8] = s.z;
    v.m[1] = u.x;
    v.m[5] = u.y;
    v.m[9] = u.z;
    v.m[2] = -f.x;
    v.m[6] = -f.y;
    v.m[10] = -f.z;
    v.m[3] = v.m[7] = v.m[11] = 0;
    v.m[12] = -dot3(s, eye);
    v.m[13] = -dot3(u, eye);
    v.m[14] = dot3(f, eye);
    v.m[15] = 1;
    return v;
}

mat4 operator*(mat4 const& l, mat4 const& r) {
    mat4 p;
    for (int c = 0; c < 4; c++)
        for (int row = 0; row < 4; row++)
            p.m[c * 4 + row] = l.m[row] * r.m[c * 4] + l.m[4 + row] * r.m[c * 4 + 1] +
                               l.m[8 + row] * r.m[c * 4 + 2] + l.m[12 + row] * r.m[c * 4 + 3];
    return p;
}

vec2 operator*(mat4 const& m, vec2 const& v) {
    return vec2(m.m[0] * v.x + m.m[4] * v.y + m.m[12], m.m[1] * v.x + m.m[5] * v.y + m.m[13]);
}

vec2 operator*(vec2 const& v, mat4 const& m) {
    return m * v;
}

vec3 operator*(mat4 const& m, vec3 const& v) {
    return vec3(m.m[0] * v.x + m.m[4] * v.y + m.m[8] * v.z + m.m[12],
                m.m[1] * v.x + m.m[5] * v.y + m.m[9] * v.z + m.m[13],
                m.m[2] * v.x + m.m[6] * v.y + m.m[10] * v.z + m.m[14]);
}

vec3 operator*(vec3 const& v, mat4 const& m) {
    return m * v;
}

vec4 operator*(mat4 const& m, vec4 const& v) {
    return vec4(m.m[0] * v.x + m.m[4] * v.y + m.m[8] * v.z + m.m[12] * v.w,
                m.m[1] * v.x + m.m[5] * v.y + m.m[9] * v.z + m.m[13] * v.w,
                m.m[2] * v.x + m.m[6] * v.y + m.m[10] * v.z + m.m[14] * v.w,
                m.m[3] * v.x + m.m[7] * v.y + m.m[11] * v.z + m.m[15] * v.w);
}

vec4 operator*(vec4 const& v, mat4 const& m) {
    return m * v;
}

} // namespace quenth
