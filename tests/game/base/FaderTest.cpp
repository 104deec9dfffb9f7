#include "game/base/Fader.h"
#include "engine/core/Quenth.h"
#include "scene/Shaders.h"
#include "tests/support/GLContext.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

using quenth::Quenth;

namespace {

// The fader computes its opacity as it draws, so every case runs with a GL
// context; the clock is set by hand.
class FaderTest : public ::testing::Test {
protected:
    uint32_t savedTime = 0;

    void SetUp() override {
        testsupport::ensureGLContext();
        testsupport::resetGLState();
        savedTime = Quenth::currentTime;
    }
    void TearDown() override {
        Quenth::currentTime = savedTime;
        testsupport::resetGLState();
    }

    float alphaAt(Fader& f, uint32_t now) {
        Quenth::currentTime = now;
        f.draw();
        return f.alpha;
    }
};

TEST_F(FaderTest, NewFaderIsFinishedAndTransparent) {
    Fader f;
    Quenth::currentTime = 1;
    EXPECT_TRUE(f.done());
    EXPECT_EQ(alphaAt(f, 500), 0.0f);
    EXPECT_EQ(f.from, 1.0f);
    EXPECT_EQ(f.to, 0.0f);
}

TEST_F(FaderTest, FadeOutOfZeroLastsOneSecondAndEndsStrictlyAfterEndTime) {
    Fader f;
    Quenth::currentTime = 5000;
    f.fadeOut(0);
    EXPECT_EQ(f.startTime, 5000u);
    EXPECT_EQ(f.endTime, 6000u);
    EXPECT_FALSE(f.done());
    Quenth::currentTime = 6000;
    EXPECT_FALSE(f.done());
    Quenth::currentTime = 6001;
    EXPECT_TRUE(f.done());

    f.fadeIn(0);
    EXPECT_EQ(f.endTime - f.startTime, 1000u);
    f.fadeIn(250);
    EXPECT_EQ(f.endTime - f.startTime, 250u);
}

TEST_F(FaderTest, OpacityFollowsTheEaseInOutCurve) {
    Fader f;
    Quenth::currentTime = 10000;
    f.fadeOut(1000);
    EXPECT_FLOAT_EQ(alphaAt(f, 10000), 0.0f);
    EXPECT_NEAR(alphaAt(f, 10250), (1 - std::cos(M_PI / 4)) / 2, 1e-4); // about 0.146
    EXPECT_NEAR(alphaAt(f, 10500), 0.5f, 1e-4);
    EXPECT_NEAR(alphaAt(f, 10750), (1 + std::cos(M_PI / 4)) / 2, 1e-4);
    // Past the end it lands exactly on 1 and stays there.
    EXPECT_EQ(alphaAt(f, 11001), 1.0f);
    EXPECT_EQ(alphaAt(f, 20000), 1.0f);

    Quenth::currentTime = 30000;
    f.fadeIn(1000);
    EXPECT_FLOAT_EQ(alphaAt(f, 30000), 1.0f);
    EXPECT_NEAR(alphaAt(f, 30250), 1 - (1 - std::cos(M_PI / 4)) / 2, 1e-4);
    EXPECT_EQ(alphaAt(f, 31001), 0.0f);
}

TEST_F(FaderTest, ANewFadeStartsFromItsFixedValue) {
    Fader f;
    Quenth::currentTime = 1000;
    f.fadeOut(1000);
    EXPECT_NEAR(alphaAt(f, 1500), 0.5f, 1e-4);
    f.fadeIn(1000);
    EXPECT_FLOAT_EQ(alphaAt(f, 1500), 1.0f);
    f.fadeOut(1000);
    EXPECT_FLOAT_EQ(alphaAt(f, 1500), 0.0f);
}

// Covers a white screen with the veil at the given time and returns the
// middle pixel.
testsupport::Pixel veilOverWhite(Fader& f, uint32_t now) {
    testsupport::clearBackBuffer(1, 1, 1, 1);
    Quenth::currentTime = now;
    f.draw();
    return testsupport::readBackPixel(640, 360);
}

TEST_F(FaderTest, FinishedFadeOutKeepsTheScreenCoveredUntilFadeIn) {
    Shaders::init();
    Fader f;
    f.r = 0;
    f.g = 0;
    f.b = 0.5f;
    f.a = 1;
    Quenth::currentTime = 1000;
    f.fadeOut(1000);
    testsupport::Pixel half = veilOverWhite(f, 1500);
    EXPECT_NEAR(half.r, 128, 2);
    EXPECT_NEAR(half.b, 191, 2);
    for (uint32_t t : {2001u, 2500u, 60000u}) {
        testsupport::Pixel p = veilOverWhite(f, t);
        EXPECT_EQ(p.r, 0) << t;
        EXPECT_EQ(p.g, 0) << t;
        EXPECT_NEAR(p.b, 128, 1) << t;
    }
    // Corners too: the veil spans the whole viewport.
    EXPECT_EQ(testsupport::readBackPixel(0, 0).r, 0);
    EXPECT_EQ(testsupport::readBackPixel(1279, 719).r, 0);

    Quenth::currentTime = 70000;
    f.fadeIn(500);
    EXPECT_EQ(veilOverWhite(f, 70000).r, 0);
    testsupport::Pixel gone = veilOverWhite(f, 70501);
    EXPECT_EQ(gone.r, 255);
    EXPECT_EQ(gone.g, 255);
    EXPECT_EQ(gone.b, 255);
}

TEST_F(FaderTest, DrawsWithoutTheShaderPrograms) {
    quenth::ShaderProgram* saved = Shaders::color_shader_fixed;
    Shaders::color_shader_fixed = nullptr;
    Fader f;
    f.r = 1;
    f.g = 0;
    f.b = 0;
    Quenth::currentTime = 100;
    f.fadeOut(100);
    testsupport::clearBackBuffer(0, 0, 0, 1);
    Quenth::currentTime = 300;
    f.draw();
    testsupport::Pixel p = testsupport::readBackPixel(640, 360);
    Shaders::color_shader_fixed = saved;
    EXPECT_EQ(p.r, 255);
    EXPECT_EQ(p.g, 0);
}

} // namespace
