#ifndef QUENTH_MATH_MAT2_H
#define QUENTH_MATH_MAT2_H

#include "engine/math/vec2.h"

namespace quenth {

struct mat4;

// 2D affine transform, column-major 2x3: x' = a*x + c*y + tx, y' = b*x + d*y + ty.
// The six floats are contiguous in this order, ready for a 3-column, 2-row uniform upload.
// Operations that change the matrix post-multiply: the last one applied acts first on a point.
// A default-constructed matrix is uninitialised; call identity() or assign before use.
struct mat2 {
    union {
        struct {
            float a, b;   // first column
            float c, d;   // second column
            float tx, ty; // translation column
        };
        float m[6]; // the same six values, in upload order
    };

    mat2() = default;
    mat2(float a, float b, float c, float d, float tx, float ty) : a(a), b(b), c(c), d(d), tx(tx), ty(ty) {}

    mat2& identity();
    mat2& translate(float x, float y);
    mat2& translate(vec2 const& v) { return translate(v.x, v.y); }
    // Positive angles turn counter-clockwise as seen on the y-down screen.
    mat2& rotate(float radians);
    mat2& scale(float f);
    mat2& scale(vec2 const& v);
    // Swaps b and c only.
    mat2& transpose();
    float determinant() const { return a * d - b * c; }
    // Affine inverse; a matrix with determinant 0 is left unchanged.
    mat2& invert();
    // Each column (a, b), (c, d), (tx, ty) divided by its own length when that is not 0.
    mat2& normalize();

    operator mat4() const;

    mat2& operator+=(mat2 const& o);
    // this = this * o (affine product).
    mat2& operator*=(mat2 const& o);
};

mat2 operator*(mat2 const& l, mat2 const& r);
// Both orders compute the same product M * p.
vec2 operator*(mat2 const& m, vec2 const& v);
vec2 operator*(vec2 const& v, mat2 const& m);

} // namespace quenth

#endif
