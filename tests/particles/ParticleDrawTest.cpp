#define GL_GLEXT_PROTOTYPES
#include "ParticleTestSupport.h"
#include "engine/core/GameClock.h"

#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "particles/ParticleLayer.h"
#include "scene/Shaders.h"
#include "tests/support/GLContext.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

using quenth::GameClock;
using quenth::mat4;
using quenth::vec2;
using quenth::vec4;
using testsupport::Pixel;
using testsupport::readBackPixel;

namespace {

// Draws slices straight into the window's back buffer the way the world scene
// sets up a leaf: camera-relative pixel frame with the origin at the window
// centre and y down, additive blending, texture_shader_fixed.
struct ParticleDrawTest : ::testing::Test {
    quenth::Texture* white = nullptr;
    mat4 projection;

    void SetUp() override {
        testsupport::ensureGLContext();
        testsupport::resetGLState();
        Shaders::init();
        quenth::Surface s(8, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) s.setPixel(x, y, 0xffffffffu);
        white = new quenth::Texture(&s);
        projection = mat4::createOrthoMatrix(-640, 640, -360, 360, -10, 10);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(projection.m);
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        testsupport::clearBackBuffer(0, 0, 0, 1);
        GameClock::currentTime = 50000;
    }
    void TearDown() override {
        delete white;
        testsupport::resetGLState();
    }
};

// A window pixel of the camera-relative point (x, y).
Pixel at(int x, int y) {
    return readBackPixel(640 + x, 360 + y);
}

TEST_F(ParticleDrawTest, BatchesAreDrawnOncePerViewWherePlaced) {
    ParticleSystem sys(256);
    sys.texture = white;
    TestState ts;
    ts.addView(400, 0); // a second image 400 to the right, as across a seam
    // 128 red particles fill the first batch; the 129th, green, is alone in the second.
    sys.emit(nullptr, 128, 10000, 10000, vec2(-300, -100), 0, 10, 10, 10, 10, vec2(1, 0), 0, 0, 0,
             vec4(1, 0, 0, 1), vec4(1, 0, 0, 1));
    sys.emit(nullptr, 1, 10000, 10000, vec2(100, 150), 0, 10, 10, 10, 10, vec2(1, 0), 0, 0, 0,
             vec4(0, 1, 0, 1), vec4(0, 1, 0, 1));

    BatchCapture capture(true);
    sys.defaultSlice->draw(ts.state);
    ASSERT_EQ(BatchCapture::callCount, 4u);
    EXPECT_EQ(BatchCapture::calls[0].vertexCount, 512u);
    EXPECT_EQ(BatchCapture::calls[0].viewX, 400.0f);
    EXPECT_EQ(BatchCapture::calls[1].vertexCount, 512u);
    EXPECT_EQ(BatchCapture::calls[1].viewX, 0.0f);
    EXPECT_EQ(BatchCapture::calls[2].vertexCount, 4u);
    EXPECT_EQ(BatchCapture::calls[3].vertexCount, 4u);

    for (int view = 0; view < 2; ++view) {
        int dx = 400 * view;
        Pixel red = at(-300 + dx, -100);
        EXPECT_GE(red.r, 250) << view;
        EXPECT_EQ(red.g, 0) << view;
        Pixel green = at(100 + dx, 150);
        EXPECT_GE(green.g, 250) << view;
        EXPECT_EQ(green.r, 0) << view;
        // The quad is 20 units wide: inside at 8, outside at 12.
        EXPECT_GE(at(100 + dx + 8, 150 - 8).g, 250) << view;
        EXPECT_EQ(at(100 + dx + 12, 150).g, 0) << view;
        EXPECT_EQ(at(100 + dx, 150 + 12).g, 0) << view;
    }
    Pixel centre = at(0, 0);
    EXPECT_EQ(centre.r, 0);
    EXPECT_EQ(centre.g, 0);
}

TEST_F(ParticleDrawTest, ParticleMovesShrinksAndFades) {
    ParticleSystem sys(16);
    sys.texture = white;
    TestState ts;
    // Flies 200 units to the right over 1000 ms, half-size 40 down to 0.
    sys.emit(nullptr, 1, 1000, 1000, vec2(-100, 0), 0, 40, 40, 0, 0, vec2(1, 0), 200, 200, 0,
             vec4(1, 1, 1, 1), vec4(1, 1, 1, 1));
    GameClock::currentTime += 500; // at (0, 0), half-size 20, alpha 127
    sys.defaultSlice->draw(ts.state);

    Pixel c = at(0, 0);
    EXPECT_NEAR(c.r, 127, 2);
    EXPECT_NEAR(c.b, 127, 2);
    EXPECT_NEAR(at(17, -17).g, 127, 2);
    EXPECT_EQ(at(23, 0).r, 0);   // beyond the half-size
    EXPECT_EQ(at(-100, 0).r, 0); // nothing left at the start point
    EXPECT_EQ(sys.defaultSlice->count, 1u);

    // Past its death the particle is dropped and nothing is drawn.
    testsupport::clearBackBuffer(0, 0, 0, 1);
    GameClock::currentTime += 501;
    sys.defaultSlice->draw(ts.state);
    EXPECT_EQ(sys.defaultSlice->count, 0u);
    EXPECT_EQ(at(100, 0).r, 0);
    EXPECT_EQ(at(0, 0).r, 0);
}

// Draws a burst and lone particles straight and through a layer of the
// given divisor, and checks that the light is the same and lands where it
// did: worst is the largest difference allowed in a channel (0-255), share
// the largest fraction of the straight drawing's fragments.
void expectTheSameLightThroughALayer(TestState& ts, unsigned divisor, int worstAllowed, double share) {
    // The soft disc of radius 60 in 128 texels that the game's particles use.
    quenth::Surface disc(128, 128);
    for (int i = 0; i < 128 * 128; ++i) disc.pixels[i] = 0;
    quenth::GfxUtil::drawGradientCircle(&disc, 64, 64, 60, 0x000000, 0xffffff);
    quenth::Texture texture(&disc);
    ParticleSystem sys(64);
    sys.texture = &texture;
    // A burst that saturates in its middle, beside lone particles of every
    // size down to a few pixels, at fractional places.
    for (int i = 0; i < 24; ++i) {
        float s = 8.5f + 3.1f * i;
        sys.emit(nullptr, 1, 10000, 10000, vec2(-200.3f + 7.7f * (i % 5), 10.6f - 6.1f * (i % 4)), 0, s, s, s,
                 s, vec2(1, 0), 0, 0, 0, vec4(0.9f, 0.3f, 0.1f, 1), vec4(0.9f, 0.3f, 0.1f, 1));
    }
    const float lone[4] = {5.1f, 9.7f, 25.1f, 60.0f};
    for (int i = 0; i < 4; ++i)
        sys.emit(nullptr, 1, 10000, 10000, vec2(-40.4f + 90 * i, -60.2f + 41 * i), 0, lone[i], lone[i],
                 lone[i], lone[i], vec2(1, 0), 0, 0, 0, vec4(0.6f, 0.9f, 0.5f, 1), vec4(0.6f, 0.9f, 0.5f, 1));

    ParticleLayer layer(divisor);
    GLuint query = 0;
    glGenQueries(1, &query);
    std::vector<Pixel> image[2];
    GLuint fragments[2] = {0, 0};
    GLint viewport[4] = {0, 0, 0, 0}, bound = -1;
    GLfloat clear[4] = {0, 0, 0, 0};
    for (int k = 0; k < 2; ++k) {
        sys.layer = k == 0 ? nullptr : &layer;
        // The light lands on a coloured ground, as on the sky.
        testsupport::clearBackBuffer(0.25f, 0.1f, 0.4f, 1);
        glClearColor(0.5f, 0.25f, 0.75f, 1);
        glBeginQuery(GL_SAMPLES_PASSED, query);
        sys.defaultSlice->draw(ts.state);
        glEndQuery(GL_SAMPLES_PASSED);
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &fragments[k]);
        glGetIntegerv(GL_VIEWPORT, viewport);
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
        image[k] = testsupport::readBackPixels(340, 200, 600, 320);
    }
    glDeleteQueries(1, &query);

    // The target comes back as it was.
    EXPECT_EQ(bound, 0);
    EXPECT_EQ(viewport[2], 1280);
    EXPECT_EQ(viewport[3], 720);
    EXPECT_FLOAT_EQ(clear[1], 0.25f);

    Pixel ground = image[0][0];
    int worst = 0, saturated = 0;
    long light[2][3] = {{0, 0, 0}, {0, 0, 0}}, untouched = 0, changed = 0;
    for (size_t i = 0; i < image[0].size(); ++i) {
        Pixel a = image[0][i], b = image[1][i];
        worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
        for (int k = 0; k < 2; ++k) {
            Pixel p = image[k][i];
            light[k][0] += p.r - ground.r;
            light[k][1] += p.g - ground.g;
            light[k][2] += p.b - ground.b;
        }
        if (a.r == 255 && b.r == 255) saturated++;
        if (a.r == ground.r && a.g == ground.g && a.b == ground.b) {
            untouched++;
            if (b.r != a.r || b.g != a.g || b.b != a.b) changed++;
        }
    }
    EXPECT_GT(saturated, 500);          // the burst's middle is as full in both
    EXPECT_GT(untouched, 100000);       // most of the block is bare ground...
    EXPECT_LT(changed, untouched / 50); // ...and stays so, but for the soft edges' last glimmer
    // A small particle's peak spreads over the coarser pixels round it;
    // larger ones keep theirs.
    EXPECT_LE(worst, worstAllowed);
    for (int c = 0; c < 3; ++c) {
        EXPECT_GT(light[0][c], 100000) << c;
        EXPECT_NEAR((double)light[1][c], (double)light[0][c], 0.03 * light[0][c]) << c;
    }
    // The particles' fragments over divisor squared, plus the covered tiles
    // added back.
    EXPECT_LT(fragments[1], fragments[0] * share);
}

TEST_F(ParticleDrawTest, ThroughACoarserLayerTheLightIsTheSameAndNothingElseChanges) {
    TestState ts;
    // Half the resolution, as sparks and the exhaust: a ten-pixel particle's
    // peak spreads by up to a seventh.
    expectTheSameLightThroughALayer(ts, 2, 40, 0.6);
    // A quarter, as explosions, whose particles are mostly far larger: the
    // five-pixel one spreads its peak thin, yet the light is all there.
    expectTheSameLightThroughALayer(ts, 4, 160, 0.4);
}

} // namespace

TEST_F(ParticleDrawTest, WithoutAUsableTextureNothingShows) {
    TestState ts;
    // No texture: none is bound, not the one drawn with last.
    ParticleSystem bare(16);
    white->bind(GL_TEXTURE0);
    bare.emit(nullptr, 1, 10000, 10000, vec2(0, 0), 0, 20, 20, 20, 20, vec2(1, 0), 0, 0, 0, vec4(1, 1, 1, 1),
              vec4(1, 1, 1, 1));
    bare.defaultSlice->draw(ts.state);
    EXPECT_EQ(at(0, 0).r, 0);

    // A texture whose image failed to load: nothing drawn, even where the
    // blending would show black.
    quenth::Texture empty(nullptr);
    ParticleSystem failed(16);
    failed.texture = &empty;
    testsupport::clearBackBuffer(0.5f, 0.5f, 0.5f, 1);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    failed.emit(nullptr, 1, 10000, 10000, vec2(0, 0), 0, 20, 20, 20, 20, vec2(1, 0), 0, 0, 0,
                vec4(1, 1, 1, 1), vec4(1, 1, 1, 1));
    failed.defaultSlice->draw(ts.state);
    EXPECT_NEAR(at(0, 0).r, 127, 1);
    EXPECT_EQ(failed.defaultSlice->count, 1u); // still alive, only not shown
}
