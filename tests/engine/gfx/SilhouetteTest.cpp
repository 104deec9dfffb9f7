#include "engine/gfx/Silhouette.h"
#include "engine/gfx/Color.h"
#include "engine/gfx/Surface.h"

#include <gtest/gtest.h>

#include <cmath>

using quenth::Color;
using quenth::Silhouette;
using quenth::Surface;

namespace {

// Whether (u, v) lies inside the convex polygon (with a little slack).
bool inside(Silhouette const& s, float u, float v) {
    float c[2 * Silhouette::SIDES];
    s.corners(c);
    for (int i = 0; i < Silhouette::SIDES; i++) {
        int j = (i + 1) % Silhouette::SIDES;
        float ex = c[2 * j] - c[2 * i], ey = c[2 * j + 1] - c[2 * i + 1];
        // Corners run with the angle, clockwise on screen: inside is to the left in (u, v).
        if (ex * (v - c[2 * i + 1]) - ey * (u - c[2 * i]) < -1e-5f) return false;
    }
    return true;
}

} // namespace

TEST(SilhouetteTest, SquaresGiveThemselvesAndNothingShowingGivesNothing) {
    Silhouette whole;
    EXPECT_FALSE(whole.empty);
    EXPECT_NEAR(whole.area(), 1.0f, 1e-5f);

    Surface s(8, 8);
    Silhouette none(&s);
    EXPECT_TRUE(none.empty);
    EXPECT_EQ(none.area(), 0.0f);

    // One faint texel at (3, 2): the texel grown by one on each side, 3 x 3 of 8 x 8.
    s.setPixel(3, 2, Color::getColor(255, 255, 255, 1));
    Silhouette one(&s);
    EXPECT_FALSE(one.empty);
    EXPECT_NEAR(one.area(), 9.0f / 64.0f, 1e-5f);
    EXPECT_TRUE(inside(one, 2.0f / 8, 1.0f / 8));
    EXPECT_TRUE(inside(one, 5.0f / 8, 4.0f / 8));
    EXPECT_FALSE(inside(one, 5.1f / 8, 2.5f / 8));
    EXPECT_FALSE(inside(one, 3.5f / 8, 4.1f / 8));

    // Texels on the border grow no further than the image.
    s.setPixel(0, 0, Color::getColor(0, 0, 0, 255));
    s.setPixel(7, 7, Color::getColor(0, 0, 0, 255));
    Silhouette corners(&s);
    float c[2 * Silhouette::SIDES];
    corners.corners(c);
    for (int i = 0; i < 2 * Silhouette::SIDES; i++) {
        EXPECT_GE(c[i], -1e-5f);
        EXPECT_LE(c[i], 1 + 1e-5f);
    }
}

// A disc in a wide image: every texel that shows is inside, the corners of
// the image are not, and the polygon is close to the disc's own size. The
// union with a second image covers both.
TEST(SilhouetteTest, DiscIsCoveredTightlyAndUnionsCoverBoth) {
    const int W = 128, H = 64, R = 20;
    Surface disc(W, H);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            float d = std::hypot(x + 0.5f - 40, y + 0.5f - 32);
            if (d < R) disc.setPixel(x, y, Color::getColor(255, 0, 0, (unsigned)(255 * (1 - d / R)) + 1));
        }
    Silhouette s(&disc);
    for (int y = 0; y < H; y++) {
        for (int x = 0; x < W; x++) {
            if (Color::getA(disc.getPixel(x, y))) {
                ASSERT_TRUE(inside(s, (x + 0.5f) / W, (y + 0.5f) / H)) << x << ", " << y;
            }
        }
    }
    // Grown by one texel and rounded to sixteen sides: between the disc and
    // one of three more texels' radius.
    EXPECT_GT(s.area(), (float)M_PI * R * R / (W * H));
    EXPECT_LT(s.area(), (float)M_PI * (R + 3) * (R + 3) / (W * H));
    EXPECT_FALSE(inside(s, 0.01f, 0.01f));
    EXPECT_FALSE(inside(s, 0.99f, 0.5f));

    Surface dot(W, H);
    dot.setPixel(120, 5, Color::getColor(255, 255, 255, 255));
    Silhouette both = s;
    both.add(Silhouette(&dot));
    both.add(Silhouette(&dot)); // twice is once
    Surface blank(W, H);
    both.add(Silhouette(&blank)); // nothing showing adds nothing
    EXPECT_TRUE(inside(both, 120.5f / W, 5.5f / H));
    EXPECT_TRUE(inside(both, 40.0f / W, 32.0f / H));
    EXPECT_GT(both.area(), s.area());
    EXPECT_FALSE(inside(both, 0.99f, 0.99f));

    Silhouette fromNothing(&blank);
    fromNothing.add(s);
    EXPECT_NEAR(fromNothing.area(), s.area(), 1e-6f);
}
