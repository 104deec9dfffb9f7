#ifndef QUENTH_MATH_MAT4_H
#define QUENTH_MATH_MAT4_H

#include "engine/math/vec2.h"
#include "engine/math/vec3.h"
#include "engine/math/vec4.h"

namespace quenth {

// 4x4 float matrix, column-major (element index = column * 4 + row), the layout OpenGL takes
// without transposing; translation in elements 12, 13, 14. Operations that change the matrix
// post-multiply (M = M * X). A default-constructed matrix is uninitialised.
struct mat4 {
    float m[16]; // column-major elements

    mat4() = default;

    float& operator[](unsigned i) { return m[i]; }
    float const& operator[](unsigned i) const { return m[i]; }

    mat4& identity();
    // Elements 12..14 += first three rows of column0*x + column1*y + column2*z; 15 unchanged.
    mat4& translate(vec3 const& v);
    // All 16 elements multiplied.
    mat4& scale(float f);
    // Columns 0, 1, 2 (first three rows) multiplied by x, y, z.
    mat4& scale(vec3 const& v);
    // Column i (all four rows) multiplied by component i.
    mat4& scale(vec4 const& v);
    // M = M * Rx(-x) * Ry(-y) * Rz(-z), angles in radians; translation column unchanged.
    mat4& rotate(vec3 const& radians);
    // Axis (x, y, z), expected unit length, and angle w in radians (Rodrigues); M = M * R.
    mat4& rotate(vec4 const& axisAngle);
    mat4& transpose();
    float determinant() const;
    // Full inverse; a matrix with determinant 0 is left unchanged.
    mat4& invert();
    // Columns 0, 1, 2 (all four components) divided by their lengths when not 0.
    mat4& normalize();

    mat4& operator+=(mat4 const& o);
    // this = this * o.
    mat4& operator*=(mat4 const& o);

    // Orthographic projection; t maps to clip y = +1 and b to -1 (t = 0, b = height: y-down
    // screen). Degenerate ranges are widened by 1.
    static mat4 createOrthoMatrix(float l, float r, float t, float b, float n, float f);
    // Perspective frustum (element 15 = 0).
    static mat4 createProjectionMatrix(float l, float r, float t, float b, float n, float f);
    // View matrix looking from eye at target; rows of the rotation part are s, u, -f.
    static mat4 createLookAtMatrix(vec3 eye, vec3 target, vec3 up);
};

mat4 operator*(mat4 const& l, mat4 const& r);
// The vector-on-the-left forms compute the very same product M * p (no transpose).
// vec2 is taken as (x, y, 0, 1), vec3 as (x, y, z, 1), with no division by w.
vec2 operator*(mat4 const& m, vec2 const& v);
vec2 operator*(vec2 const& v, mat4 const& m);
vec3 operator*(mat4 const& m, vec3 const& v);
vec3 operator*(vec3 const& v, mat4 const& m);
vec4 operator*(mat4 const& m, vec4 const& v);
vec4 operator*(vec4 const& v, mat4 const& m);

} // namespace quenth

#endif
