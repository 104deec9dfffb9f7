#include "engine/math/Math.h"

#include <gtest/gtest.h>

#include <cmath>

using quenth::Math;
using quenth::vec2;
using quenth::vec3;

TEST(MathWrap, IntegerWrapStaysInHalfOpenRange) {
    EXPECT_EQ(Math::wrapi(-1, 0, 10), 9);
    EXPECT_EQ(Math::wrapi(10, 0, 10), 0);
    EXPECT_EQ(Math::wrapi(-10, 0, 10), 0);
    EXPECT_EQ(Math::wrapi(-21, 0, 10), 9);
    EXPECT_EQ(Math::wrapi(5, 3, 3), 3);
    EXPECT_EQ(Math::wrapi(7, -5, 5), -3);
    for (int v = -25; v <= 25; v++) EXPECT_EQ(Math::wrapi(v, 10, 0), Math::wrapi(v, 0, 10)) << v;
}

TEST(MathWrap, FloatWrapStaysInHalfOpenRange) {
    EXPECT_FLOAT_EQ(Math::wrapf(-1, 0, 4096), 4095);
    EXPECT_FLOAT_EQ(Math::wrapf(4096, 0, 4096), 0);
    EXPECT_FLOAT_EQ(Math::wrapf(4096 * 3 + 10.5f, 0, 4096), 10.5f);
    EXPECT_FLOAT_EQ(Math::wrapf(-4096 * 2 - 0.5f, 0, 4096), 4095.5f);
    EXPECT_FLOAT_EQ(Math::wrapf(2.5f, 1, 1), 1);
    EXPECT_FLOAT_EQ(Math::wrapf(-1, 10, 0), 9);
    EXPECT_FLOAT_EQ(Math::wrapf(370, 0, 360), 10);
    // A value a hair below lo must not come out as hi itself after rounding.
    for (float v : {-1e-6f, -1e-4f, -4096.0001f, -0.0f, 4e9f, -4e9f, -4.0001e9f}) {
        float w = Math::wrapf(v, 0, 4096);
        EXPECT_GE(w, 0) << v;
        EXPECT_LT(w, 4096) << v;
        float a = Math::wrapf(v * 250, 0, 360); // far out the float remainder loses all precision
        EXPECT_GE(a, 0) << v;
        EXPECT_LT(a, 360) << v;
    }
}

TEST(MathWrap, BounceIsTriangleWave) {
    EXPECT_EQ(Math::bounce(12, 0, 10), 8);
    EXPECT_EQ(Math::bounce(25, 0, 10), 5);
    EXPECT_EQ(Math::bounce(10, 0, 10), 10);
    EXPECT_EQ(Math::bounce(20, 0, 10), 0);
    EXPECT_EQ(Math::bounce(-3, 0, 10), 3);
    EXPECT_FLOAT_EQ(Math::bounce(12.5f, 0.0f, 10.0f), 7.5f);
    EXPECT_FLOAT_EQ(Math::bounce(3.0f, 2.0f, 4.0f), 3.0f);
    EXPECT_FLOAT_EQ(Math::bounce(5.0f, 2.0f, 4.0f), 3.0f);
    EXPECT_EQ(Math::bounce(7, 4, 4), 4);
}

TEST(MathClamp, ClampAndMinMax) {
    EXPECT_EQ(Math::clampi(11, 0, 10), 10);
    EXPECT_EQ(Math::clampi(-1, 0, 10), 0);
    EXPECT_FLOAT_EQ(Math::clampf(0.5f, 0, 1), 0.5f);
    // Above hi is tested first: with crossed bounds hi wins.
    EXPECT_EQ(Math::clampi(5, 10, 0), 0);
    int iv[] = {4, -2, 9, 3};
    float fv[] = {1.5f, -0.5f, 8.25f};
    EXPECT_EQ(Math::miniv(iv, 4), -2);
    EXPECT_EQ(Math::maxiv(iv, 4), 9);
    EXPECT_FLOAT_EQ(Math::minfv(fv, 3), -0.5f);
    EXPECT_FLOAT_EQ(Math::maxfv(fv, 3), 8.25f);
    int iout[2];
    float fout[2];
    Math::minmaxiv(iout, iv, 4);
    Math::minmaxfv(fout, fv, 3);
    EXPECT_EQ(iout[0], -2);
    EXPECT_EQ(iout[1], 9);
    EXPECT_FLOAT_EQ(fout[0], -0.5f);
    EXPECT_FLOAT_EQ(fout[1], 8.25f);
    // n = 0 must not read the (empty) array.
    EXPECT_EQ(Math::miniv(nullptr, 0), 0);
    EXPECT_FLOAT_EQ(Math::maxfv(nullptr, 0), 0);
    Math::minmaxfv(fout, nullptr, 0);
    EXPECT_FLOAT_EQ(fout[0], 0);
    EXPECT_FLOAT_EQ(fout[1], 0);
}

TEST(MathLerp, EasedEndPointsMidpointAndFallback) {
    const float a = 10, b = 30;
    EXPECT_FLOAT_EQ(Math::sin_lerp(0, a, b), a);
    EXPECT_FLOAT_EQ(Math::sin_lerp(1, a, b), b);
    EXPECT_NEAR(Math::sin_lerp(0.5f, a, b), 20, 1e-5);
    EXPECT_NEAR(Math::sin_lerp(0.25f, a, b), 10 + 20 * (1 - std::sqrt(0.5)) / 2, 1e-4);
    EXPECT_FLOAT_EQ(Math::sinh_lerp(0, a, b), a);
    EXPECT_FLOAT_EQ(Math::sinh_lerp(1, a, b), b);
    EXPECT_NEAR(Math::sinh_lerp(0.5f, a, b), 10 + 20 * std::sqrt(0.5), 1e-4); // ease out: ahead
    EXPECT_FLOAT_EQ(Math::sinl_lerp(0, a, b), a);
    EXPECT_FLOAT_EQ(Math::sinl_lerp(1, a, b), b);
    EXPECT_NEAR(Math::sinl_lerp(0.5f, a, b), 10 + 20 * (1 - std::sqrt(0.5)), 1e-4); // ease in: behind
    for (float t : {-0.5f, 1.5f, 3.0f}) {
        EXPECT_FLOAT_EQ(Math::sin_lerp(t, a, b), Math::lerp(t, a, b)) << t;
        EXPECT_FLOAT_EQ(Math::sinh_lerp(t, a, b), Math::lerp(t, a, b)) << t;
        EXPECT_FLOAT_EQ(Math::sinl_lerp(t, a, b), Math::lerp(t, a, b)) << t;
    }
    EXPECT_FLOAT_EQ(Math::lerp(1.5f, a, b), 40);
    vec2 v = Math::sin_lerp(0.5f, vec2(0, 10), vec2(2, 30));
    EXPECT_NEAR(v.x, 1, 1e-5);
    EXPECT_NEAR(v.y, 20, 1e-5);
    vec3 w = Math::sinh_lerp(1, vec3(0, 0, 0), vec3(1, 2, 3));
    EXPECT_FLOAT_EQ(w.z, 3);
    EXPECT_FLOAT_EQ(Math::scurve3(0.5f), 0.5f);
    EXPECT_FLOAT_EQ(Math::scurve3(1), 1);
    EXPECT_FLOAT_EQ(Math::scurve5(0.5f), 0.5f);
    EXPECT_FLOAT_EQ(Math::scurve5(1), 1);
    EXPECT_FLOAT_EQ(Math::scurve5(0), 0);
}

TEST(MathAngle, HeadingQuadrantsInHalfOpenRange) {
    vec2 o(100, 100);
    EXPECT_FLOAT_EQ(Math::angle(o, vec2(101, 100)), 360);
    EXPECT_FLOAT_EQ(Math::angle(o, vec2(100, 99)), 90);
    EXPECT_FLOAT_EQ(Math::angle(o, vec2(99, 100)), 180);
    EXPECT_FLOAT_EQ(Math::angle(o, vec2(100, 101)), 270);
    EXPECT_NEAR(Math::angle(o, vec2(101, 99)), 45, 1e-4);
    EXPECT_NEAR(Math::angle(o, vec2(99, 99)), 135, 1e-4);
    EXPECT_NEAR(Math::angle(o, vec2(99, 101)), 225, 1e-4);
    EXPECT_NEAR(Math::angle(o, vec2(101, 101)), 315, 1e-4);
    // Negative zeros must not push the result out of (0, 360].
    EXPECT_FLOAT_EQ(Math::angle(vec2(0, 0), vec2(-1, -0.0f)), 180);
    EXPECT_FLOAT_EQ(Math::angle(vec2(0, 0), vec2(-0.0f, -0.0f)), 360);
    EXPECT_NEAR(Math::toDegree(Math::toRadian(90)), 90, 1e-4);
}

TEST(MathPow2, PowersAndFixedPoint) {
    EXPECT_EQ(Math::getNextPow2(0), 1u);
    EXPECT_EQ(Math::getNextPow2(1), 1u);
    EXPECT_EQ(Math::getNextPow2(5), 8u);
    EXPECT_EQ(Math::getNextPow2(64), 64u);
    EXPECT_EQ(Math::getNextPow2(0x80000000u), 0x80000000u);
    EXPECT_EQ(Math::getClosestPow2(0), 0u);
    EXPECT_EQ(Math::getClosestPow2(1), 1u);
    EXPECT_EQ(Math::getClosestPow2(3), 4u);
    EXPECT_EQ(Math::getClosestPow2(5), 4u);
    EXPECT_EQ(Math::getClosestPow2(6), 8u);
    EXPECT_EQ(Math::getClosestPow2(7), 8u);
    EXPECT_EQ(Math::getClosestPow2(1000), 1024u);
    EXPECT_EQ(Math::getShiftPow2(0), 0u);
    EXPECT_EQ(Math::getShiftPow2(1), 0u);
    EXPECT_EQ(Math::getShiftPow2(5), 3u);
    EXPECT_EQ(Math::getShiftPow2(1024), 10u);
    EXPECT_EQ(Math::getShiftPow2(0xffffffffu), 31u);
    EXPECT_FALSE(Math::isPowerOf2(0));
    EXPECT_TRUE(Math::isPowerOf2(1));
    EXPECT_TRUE(Math::isPowerOf2(0x80000000u));
    EXPECT_FALSE(Math::isPowerOf2(12));
    EXPECT_EQ(Math::toFixed(1.5f, 8), 384);
    EXPECT_EQ(Math::toFixed(-1.7f, 1), -3); // truncated toward zero
    EXPECT_FLOAT_EQ(Math::toFloat(384, 8), 1.5f);
    EXPECT_FLOAT_EQ(Math::toFloat(-384, 8), -1.5f);
    EXPECT_FLOAT_EQ(Math::toFloat(0, 8), 0);
    EXPECT_NEAR(Math::gauss(0, 1), 1 / std::sqrt(2 * M_PI), 1e-6);
}

TEST(MathGeometry, RotationsAgreeWithEachOther) {
    vec2 r = Math::rotate(vec2(1, 0), (float)M_PI / 2);
    EXPECT_NEAR(r.x, 0, 1e-6);
    EXPECT_NEAR(r.y, 1, 1e-6);
    EXPECT_NEAR(Math::dot(vec2(1, 2), vec2(3, 4)), 11, 1e-6);
    vec3 c = Math::cross(vec3(1, 0, 0), vec3(0, 1, 0));
    EXPECT_FLOAT_EQ(c.z, 1);
    // The Euler form rotates each axis by the negated angle; Rodrigues by the angle as given.
    vec3 v(0.3f, -1.2f, 2.5f);
    const float ang = 0.7f;
    struct {
        vec3 euler, axis;
    } cases[] = {
        {vec3(ang, 0, 0), vec3(1, 0, 0)}, {vec3(0, ang, 0), vec3(0, 1, 0)}, {vec3(0, 0, ang), vec3(0, 0, 1)}};
    for (auto& k : cases) {
        vec3 e = Math::rotate(v, k.euler.x, k.euler.y, k.euler.z);
        vec3 q = Math::rotate(v, k.axis, -ang);
        EXPECT_NEAR(e.x, q.x, 1e-5);
        EXPECT_NEAR(e.y, q.y, 1e-5);
        EXPECT_NEAR(e.z, q.z, 1e-5);
    }
    // Combined: Rx(-x) * Ry(-y) * Rz(-z), so z acts first on the vector.
    vec3 e = Math::rotate(v, 0.4f, -0.9f, 1.3f);
    vec3 q = Math::rotate(Math::rotate(Math::rotate(v, vec3(0, 0, 1), -1.3f), vec3(0, 1, 0), 0.9f),
                          vec3(1, 0, 0), -0.4f);
    EXPECT_NEAR(e.x, q.x, 1e-5);
    EXPECT_NEAR(e.y, q.y, 1e-5);
    EXPECT_NEAR(e.z, q.z, 1e-5);
    vec3 z = Math::rotate(vec3(1, 0, 0), vec3(0, 0, 1), (float)M_PI / 2);
    EXPECT_NEAR(z.y, 1, 1e-6);
}

TEST(MathGeometry, DistanceToLine) {
    EXPECT_FLOAT_EQ(Math::distanceTo(vec2(0, 0), vec2(10, 0), vec2(5, 3)), 3);
    EXPECT_FLOAT_EQ(Math::distanceTo(vec2(0, 0), vec2(10, 0), vec2(50, -4)), 4); // not clamped
    EXPECT_NEAR(Math::distanceTo(vec2(0, 0), vec2(1, 1), vec2(1, 0)), std::sqrt(0.5), 1e-6);
    // A zero-length segment has no line: NaN, which every "radius > d" test reads as a miss.
    float d = Math::distanceTo(vec2(5, 5), vec2(5, 5), vec2(5, 6));
    EXPECT_TRUE(std::isnan(d));
    EXPECT_FALSE(100.0f > d);
}

TEST(MathGeometry, LineCircleIntersection) {
    vec2 a(0, 0), b(1, 0), c(10, 1);
    vec2 n = Math::getNearIntersectPoint(a, b, c, 2);
    vec2 f = Math::getFarIntersectPoint(a, b, c, 2);
    EXPECT_NEAR(n.x, 10 - std::sqrt(3.0), 1e-5);
    EXPECT_NEAR(n.y, 0, 1e-6);
    EXPECT_NEAR(f.x, 10 + std::sqrt(3.0), 1e-5);
    // The direction comes from b, not its distance: a far-off b gives the same points.
    vec2 n2 = Math::getNearIntersectPoint(a, vec2(1000, 0), c, 2);
    EXPECT_NEAR(n2.x, n.x, 1e-4);
    // Behind the start the parameter is negative; from inside, near lies behind a.
    vec2 back = Math::getNearIntersectPoint(vec2(10, 0), vec2(11, 0), vec2(10, 0), 3);
    EXPECT_NEAR(back.x, 7, 1e-5);
    vec2 miss = Math::getNearIntersectPoint(a, b, vec2(10, 5), 2);
    EXPECT_FLOAT_EQ(miss.x, 0);
    EXPECT_FLOAT_EQ(miss.y, 0);
    vec2 none = Math::getNearIntersectPoint(vec2(3, 3), vec2(3, 3), vec2(3, 3), 2);
    EXPECT_FLOAT_EQ(none.x, 0);
    EXPECT_FLOAT_EQ(none.y, 0);
    vec3 s = Math::getNearIntersectPoint(vec3(0, 0, -10), vec3(0, 0, 0), vec3(0, 0, 0), 4);
    vec3 t = Math::getFarIntersectPoint(vec3(0, 0, -10), vec3(0, 0, 0), vec3(0, 0, 0), 4);
    EXPECT_NEAR(s.z, -4, 1e-5);
    EXPECT_NEAR(t.z, 4, 1e-5);
}
