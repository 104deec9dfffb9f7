#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/Color.h"
#include "engine/gfx/Surface.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace quenth;

TEST(GfxUtilTest, GradientCircleEasesFromCentreColourToRimColour) {
    Color::init();
    Surface s(128, 128);
    unsigned edge = Color::getColor(0, 40, 200, 0);
    unsigned centre = Color::getColor(255, 40, 0, 0);
    GfxUtil::drawGradientCircle(&s, 64, 64, 60, edge, centre);
    // Opaque whatever the alpha of the two colours.
    EXPECT_EQ(Color::getColor(255, 40, 0, 255), s.getPixel(64, 64));
    EXPECT_EQ(Color::getColor(0, 40, 200, 255), s.getPixel(64, 4));
    EXPECT_EQ(Color::getColor(0, 40, 200, 255), s.getPixel(4, 64));
    // Halfway out the ease-in-out curve is at its midpoint.
    unsigned mid = s.getPixel(94, 64);
    EXPECT_NEAR(127, (int)Color::getR(mid), 1);
    EXPECT_NEAR(100, (int)Color::getB(mid), 1);
    // A quarter of the way in (f = 0.25) the S-curve lags a straight line.
    unsigned q = s.getPixel(109, 64);
    EXPECT_NEAR(255 * (1 - std::cos(0.25 * M_PI)) / 2, (double)Color::getR(q), 1.0);
    // Outside the radius nothing is touched; the last row and column of the
    // square (cy + r, cx + r) are not visited.
    EXPECT_EQ(0u, s.getPixel(0, 0));
    EXPECT_EQ(0u, s.getPixel(64, 3));
    EXPECT_EQ(0u, s.getPixel(124, 64));
    EXPECT_EQ(0u, s.getPixel(64, 124));
    EXPECT_EQ(0u, s.getPixel(110, 110));
}

TEST(GfxUtilTest, GradientCircleClipsAtTheSurfaceAndIgnoresNothingToDraw) {
    Surface s(16, 16);
    GfxUtil::drawGradientCircle(&s, 0, 0, 10, 0, 0xffffff);
    EXPECT_EQ(0xffffffffu, s.getPixel(0, 0));
    // (9, 0) is inside and dark; (10, 0) lies past the last visited column.
    EXPECT_EQ(255u, Color::getA(s.getPixel(9, 0)));
    EXPECT_LT(Color::getR(s.getPixel(9, 0)), 10u);
    EXPECT_EQ(0u, s.getPixel(10, 0));
    EXPECT_EQ(0u, s.getPixel(0, 10));
    EXPECT_EQ(0u, s.getPixel(15, 15));
    Surface t(4, 4);
    GfxUtil::drawGradientCircle(&t, 2, 2, 0, 0, 0xffffff);
    GfxUtil::drawGradientCircle(&t, 2, 2, -5, 0, 0xffffff);
    GfxUtil::drawGradientCircle(nullptr, 2, 2, 5, 0, 0xffffff);
    for (int i = 0; i < 16; i++) EXPECT_EQ(0u, t.pixels[i]);
    // The library's empty placeholders leave the pixels as they are.
    t.setPixel(1, 1, 5);
    GfxUtil::blurSurface(&t, 3);
    GfxUtil::drawGradientEllipse(&t, 2, 2, 3, 2, 0, 0xffffff);
    EXPECT_EQ(5u, t.getPixel(1, 1));
    EXPECT_EQ(0u, t.getPixel(2, 2));
}
