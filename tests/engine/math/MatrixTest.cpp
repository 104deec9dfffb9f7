#include "engine/math/mat2.h"
#include "engine/math/mat4.h"
#include "engine/math/vec1.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quenth;

static void expectNear(vec2 v, float x, float y, float eps = 1e-4f) {
    EXPECT_NEAR(v.x, x, eps);
    EXPECT_NEAR(v.y, y, eps);
}

static void expectIdentity(mat4 const& m, float eps = 1e-4f) {
    for (int i = 0; i < 16; i++) EXPECT_NEAR(m[i], (i % 5 == 0) ? 1.0f : 0.0f, eps) << "element " << i;
}

TEST(Vectors, DivisionNormalizeClampAndIndex) {
    vec2 z = vec2(3, 4) / 0;
    EXPECT_FLOAT_EQ(z.x, 0);
    EXPECT_FLOAT_EQ(z.y, 0);
    vec2 h = vec2(3, 4) / 2;
    EXPECT_FLOAT_EQ(h.y, 2);
    vec2 n(0, 0);
    n.normalize();
    EXPECT_FLOAT_EQ(n.x, 0);
    EXPECT_FLOAT_EQ(n.y, 0);
    EXPECT_FLOAT_EQ(vec2(3, 4).normalize().x, 0.6f);
    EXPECT_FLOAT_EQ(vec3(0, 0, 0).normalize().length(), 0);
    EXPECT_FLOAT_EQ(vec4(1, 2, 2, 4).length(), 5);
    vec4 c = vec4(-1, 0.5f, 2, 1).clamp(0, 1);
    EXPECT_FLOAT_EQ(c.x, 0);
    EXPECT_FLOAT_EQ(c.y, 0.5f);
    EXPECT_FLOAT_EQ(c.z, 1);
    EXPECT_FLOAT_EQ(vec1(7).clamp(0, 5).x, 5);
    EXPECT_FLOAT_EQ(vec1(-7).clamp(0, 5).x, 0);
    vec3 v(1, 2, 3);
    EXPECT_FLOAT_EQ(v[0], 1);
    EXPECT_FLOAT_EQ(v[1], 2);
    EXPECT_FLOAT_EQ(v[2], 3);
    EXPECT_FLOAT_EQ(v[3], 3); // bit 1 set: z
    vec4 w(1, 2, 3, 4);
    EXPECT_FLOAT_EQ(w[3], 4);
    EXPECT_FLOAT_EQ(w[2], 3);
    w[1] = 9;
    EXPECT_FLOAT_EQ(w.y, 9);
    vec2 s = 2.0f * vec2(1, 2) - vec2(1, 1) * vec2(3, 5);
    EXPECT_FLOAT_EQ(s.x, -1);
    EXPECT_FLOAT_EQ(s.y, -1);
}

TEST(Mat2, TransformOrderIsPostMultiply) {
    mat2 m;
    m.identity().translate(10, 0).rotate((float)M_PI / 2);
    expectNear(m * vec2(1, 0), 10, -1);
    expectNear(vec2(1, 0) * m, 10, -1); // same product, not transposed
    // Drawable order: translate, rotate, scale: a vertex is scaled, then rotated, then moved.
    mat2 d;
    d.identity().translate(vec2(100, 50)).rotate((float)M_PI).scale(vec2(2, 3));
    expectNear(d * vec2(1, 1), 98, 47);
    mat2 t, r, s;
    t.identity().translate(100, 50);
    r.identity().rotate((float)M_PI);
    s.identity().scale(vec2(2, 3));
    expectNear((t * r * s) * vec2(1, 1), 98, 47);
    mat2 acc = t;
    acc *= r;
    acc *= s;
    expectNear(acc * vec2(1, 1), 98, 47);
    mat2 u;
    u.identity().scale(2);
    u += u;
    expectNear(u * vec2(1, 1), 4, 4);
}

TEST(Mat2, InverseDeterminantAndConversion) {
    mat2 m;
    m.identity().translate(7, -3).rotate(0.6f).scale(vec2(2, 0.5f));
    EXPECT_NEAR(m.determinant(), 1, 1e-5);
    mat2 inv = m;
    inv.invert();
    mat2 p = inv * m;
    EXPECT_NEAR(p.a, 1, 1e-5);
    EXPECT_NEAR(p.b, 0, 1e-5);
    EXPECT_NEAR(p.c, 0, 1e-5);
    EXPECT_NEAR(p.d, 1, 1e-5);
    EXPECT_NEAR(p.tx, 0, 1e-4);
    EXPECT_NEAR(p.ty, 0, 1e-4);
    vec2 q = inv * (m * vec2(5, 9));
    expectNear(q, 5, 9);
    mat2 sing(1, 2, 2, 4, 3, 3);
    sing.invert();
    EXPECT_FLOAT_EQ(sing.a, 1);
    EXPECT_FLOAT_EQ(sing.tx, 3);
    mat2 tr(1, 2, 3, 4, 5, 6);
    tr.transpose();
    EXPECT_FLOAT_EQ(tr.b, 3);
    EXPECT_FLOAT_EQ(tr.c, 2);
    EXPECT_FLOAT_EQ(tr.m[4], 5); // contiguous upload order a, b, c, d, tx, ty
    mat2 nz(3, 4, 0, 0, 0, 2);
    nz.normalize();
    EXPECT_FLOAT_EQ(nz.a, 0.6f);
    EXPECT_FLOAT_EQ(nz.c, 0);
    EXPECT_FLOAT_EQ(nz.ty, 1);
    mat4 big = m;
    vec2 viaMat4 = big * vec2(5, 9);
    expectNear(viaMat4, (m * vec2(5, 9)).x, (m * vec2(5, 9)).y);
    EXPECT_FLOAT_EQ(big[10], 1);
    EXPECT_FLOAT_EQ(big[15], 1);
    EXPECT_FLOAT_EQ(big[2], 0);
}

TEST(Mat4, CompositionScaleAndVectorForms) {
    mat4 m;
    m.identity().translate(vec3(1, 2, 3)).scale(vec3(2, 2, 2));
    vec3 p = m * vec3(1, 1, 1);
    EXPECT_FLOAT_EQ(p.x, 3);
    EXPECT_FLOAT_EQ(p.z, 5);
    mat4 t, s;
    t.identity().translate(vec3(1, 2, 3));
    s.identity().scale(vec3(2, 2, 2));
    vec3 q = (t * s) * vec3(1, 1, 1);
    EXPECT_FLOAT_EQ(q.x, 3);
    vec3 q2 = (s * t) * vec3(1, 1, 1);
    EXPECT_FLOAT_EQ(q2.x, 4);
    mat4 acc = s;
    acc *= t;
    EXPECT_FLOAT_EQ((acc * vec3(1, 1, 1)).y, 6);
    // Post-multiplied translate leaves element 15 alone and scales with the prior transform.
    mat4 st;
    st.identity().scale(vec3(3, 3, 3)).translate(vec3(1, 0, 0));
    EXPECT_FLOAT_EQ(st[12], 3);
    EXPECT_FLOAT_EQ(st[15], 1);
    mat4 all;
    all.identity().scale(2.0f);
    EXPECT_FLOAT_EQ(all[15], 2);
    mat4 s4;
    s4.identity().scale(vec4(1, 2, 3, 4));
    vec4 r4 = s4 * vec4(1, 1, 1, 1);
    EXPECT_FLOAT_EQ(r4.w, 4);
    EXPECT_FLOAT_EQ((vec4(1, 1, 1, 1) * s4).y, 2);
    vec2 r2 = t * vec2(5, 5);
    EXPECT_FLOAT_EQ(r2.x, 6);
    EXPECT_FLOAT_EQ((vec2(5, 5) * t).y, 7);
    mat4 sum = t;
    sum += t;
    EXPECT_FLOAT_EQ(sum[12], 2);
    EXPECT_FLOAT_EQ(sum[0], 2);
    mat4 tp = t;
    tp.transpose();
    EXPECT_FLOAT_EQ(tp[3], 1);
    EXPECT_FLOAT_EQ(tp[12], 0);
    mat4 nm;
    nm.identity().scale(vec3(4, 0.5f, 1));
    nm.normalize();
    EXPECT_FLOAT_EQ(nm[0], 1);
    EXPECT_FLOAT_EQ(nm[5], 1);
}

TEST(Mat4, RotationsFollowThePostMultiplyRule) {
    // rotate(vec3) acts on a point as Rx(-x) Ry(-y) Rz(-z); rotate(vec4) as Rodrigues R(axis, w).
    mat4 e, r;
    e.identity().rotate(vec3(0, 0, 0.5f));
    r.identity().rotate(vec4(0, 0, 1, -0.5f));
    for (int i = 0; i < 16; i++) EXPECT_NEAR(e[i], r[i], 1e-6) << i;
    mat4 m;
    m.identity().translate(vec3(10, 0, 0)).rotate(vec4(0, 0, 1, (float)M_PI / 2));
    vec3 p = m * vec3(1, 0, 0);
    EXPECT_NEAR(p.x, 10, 1e-5);
    EXPECT_NEAR(p.y, 1, 1e-5);
    EXPECT_FLOAT_EQ(m[12], 10);
    mat4 inv = m;
    inv.invert();
    expectIdentity(inv * m);
}

TEST(Mat4, InverseAndDeterminant) {
    mat4 m;
    float vals[16] = {2, 0, 1, 0, 1, 3, 0, 0, 0, 1, 4, 0, 5, -2, 7, 1};
    for (int i = 0; i < 16; i++) m[i] = vals[i];
    EXPECT_NEAR(m.determinant(), 25, 1e-4); // 2*(12-0) - 1*(4-1) + 0 ... = 25
    mat4 inv = m;
    inv.invert();
    expectIdentity(inv * m);
    expectIdentity(m * inv);
    mat4 full;
    float g[16] = {1, 2, 0, 1, 0, 1, 3, 2, 4, 0, 1, 0, 2, 1, 0, 3};
    for (int i = 0; i < 16; i++) full[i] = g[i];
    mat4 gi = full;
    gi.invert();
    expectIdentity(gi * full);
    mat4 sing;
    for (int i = 0; i < 16; i++) sing[i] = (float)(i % 4);
    EXPECT_FLOAT_EQ(sing.determinant(), 0);
    sing.invert();
    EXPECT_FLOAT_EQ(sing[5], 1);
    EXPECT_FLOAT_EQ(sing[14], 2);
}

TEST(Mat4, OrthoProjectionAndLookAt) {
    mat4 o = mat4::createOrthoMatrix(0, 1280, 0, 720, -1, 1);
    vec4 tl = o * vec4(0, 0, 0, 1);
    vec4 br = o * vec4(1280, 720, 0, 1);
    EXPECT_NEAR(tl.x, -1, 1e-6);
    EXPECT_NEAR(tl.y, 1, 1e-6); // y-down screen: top maps to clip +1
    EXPECT_NEAR(br.x, 1, 1e-6);
    EXPECT_NEAR(br.y, -1, 1e-6);
    EXPECT_FLOAT_EQ(o[15], 1);
    mat4 d = mat4::createOrthoMatrix(0, 0, 0, 0, 0, 0);
    for (int i = 0; i < 16; i++) EXPECT_TRUE(std::isfinite(d[i])) << i;
    EXPECT_FLOAT_EQ(d[0], 2);
    EXPECT_FLOAT_EQ(d[5], -2);
    EXPECT_FLOAT_EQ(d[10], -2);

    mat4 p = mat4::createProjectionMatrix(-1, 1, 1, -1, 1, 100);
    EXPECT_FLOAT_EQ(p[11], -1);
    EXPECT_FLOAT_EQ(p[15], 0);
    vec4 nearP = p * vec4(1, 1, -1, 1);
    vec4 farP = p * vec4(0, 0, -100, 1);
    EXPECT_NEAR(nearP.z / nearP.w, -1, 1e-5);
    EXPECT_NEAR(nearP.x / nearP.w, 1, 1e-5);
    EXPECT_NEAR(nearP.y / nearP.w, 1, 1e-5);
    EXPECT_NEAR(farP.z / farP.w, 1, 1e-4);
    mat4 off = mat4::createProjectionMatrix(0, 2, 1, -1, 1, 10);
    EXPECT_FLOAT_EQ(off[8], 1);
    EXPECT_FLOAT_EQ(off[9], 0);

    mat4 v = mat4::createLookAtMatrix(vec3(0, 0, 5), vec3(0, 0, 0), vec3(0, 2, 0));
    vec3 t = v * vec3(0, 0, 0);
    EXPECT_NEAR(t.z, -5, 1e-5);
    EXPECT_NEAR(v[0], 1, 1e-6);
    EXPECT_NEAR(v[5], 1, 1e-6);
    EXPECT_NEAR(v[10], 1, 1e-6);
    mat4 side = mat4::createLookAtMatrix(vec3(3, 1, 0), vec3(3, 1, -1), vec3(0, 1, 0));
    vec3 eye = side * vec3(3, 1, 0);
    EXPECT_NEAR(eye.x, 0, 1e-6);
    EXPECT_NEAR(eye.y, 0, 1e-6);
    EXPECT_NEAR(eye.z, 0, 1e-6);
    mat4 lx = mat4::createLookAtMatrix(vec3(0, 0, 0), vec3(1, 0, 0), vec3(0, 1, 0));
    vec3 ahead = lx * vec3(4, 0, 0);
    EXPECT_NEAR(ahead.z, -4, 1e-5); // looking along -z in view space
    vec3 right = lx * vec3(0, 0, 1);
    EXPECT_NEAR(right.x, 1, 1e-5);
}
