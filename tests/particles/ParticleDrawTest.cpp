#define GL_GLEXT_PROTOTYPES
#include "ParticleTestSupport.h"
#include "engine/core/GameClock.h"

#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
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

TEST_F(ParticleDrawTest, TheOctagonRoundTheDiscShowsWhatTheSquareShowed) {
    // The soft disc of radius 60 in 128 texels that the game's particles use.
    quenth::Surface disc(128, 128);
    for (int i = 0; i < 128 * 128; ++i) disc.pixels[i] = 0;
    quenth::GfxUtil::drawGradientCircle(&disc, 64, 64, 60, 0x000000, 0xffffff);
    quenth::Texture texture(&disc);
    ParticleSystem sys(16);
    sys.texture = &texture;
    TestState ts;
    // Small, middling and large, some overlapping, at fractional places.
    const float sizes[4] = {6.3f, 21.7f, 47.5f, 90.0f};
    for (int i = 0; i < 4; ++i)
        sys.emit(nullptr, 1, 10000, 10000, vec2(-250.4f + 130 * i, 20.3f - 15 * i), 0, sizes[i], sizes[i],
                 sizes[i], sizes[i], vec2(1, 0), 0, 0, 0, vec4(1, 0.6f, 0.3f, 1), vec4(1, 0.6f, 0.3f, 1));

    GLuint query = 0;
    glGenQueries(1, &query);
    std::vector<Pixel> image[2];
    GLuint fragments[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
        sys.discRadius = k == 0 ? 0.0f : 62.2f / 64.0f;
        testsupport::clearBackBuffer(0, 0, 0, 1);
        glBeginQuery(GL_SAMPLES_PASSED, query);
        sys.defaultSlice->draw(ts.state);
        glEndQuery(GL_SAMPLES_PASSED);
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &fragments[k]);
        image[k] = testsupport::readBackPixels(340, 200, 600, 320);
    }
    glDeleteQueries(1, &query);

    int worst = 0, lit = 0;
    for (size_t i = 0; i < image[0].size(); ++i) {
        Pixel a = image[0][i], b = image[1][i];
        worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
        if (a.r > 0) lit++;
    }
    EXPECT_GT(lit, 20000); // the discs are there to compare
    EXPECT_LE(worst, 2);   // the edges of the octagon's triangles round a little differently
    // The square's empty corners are not drawn: about a fifth fewer fragments.
    EXPECT_LT(fragments[1], fragments[0] * 0.82);
    EXPECT_GT(fragments[1], fragments[0] * 0.70);
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
