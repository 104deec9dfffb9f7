#define GL_GLEXT_PROTOTYPES
#include "scene/GlowSprite.h"
#include "engine/gfx/Color.h"
#include "engine/gfx/Framebuffer.h"
#include "engine/gfx/Silhouette.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "scene/Group.h"
#include "scene/Scene2D.h"
#include "scene/Shaders.h"
#include "tests/support/GLContext.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

using quenth::Color;
using quenth::Silhouette;
using quenth::Surface;
using quenth::Texture;
using quenth::vec3;
using testsupport::Pixel;

namespace {

// A 32 x 32 image of one colour whose alpha falls off with the distance d
// from the centre as alpha(d), 0-255.
template <typename F>
Surface radial(unsigned r, unsigned g, unsigned b, F alpha) {
    Surface s(32, 32);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) {
            float d = std::hypot(x + 0.5f - 16, y + 0.5f - 16);
            s.setPixel(x, y,
                       Color::getColor(r, g, b, (unsigned)std::fmax(0.0f, std::fmin(255.0f, alpha(d)))));
        }
    return s;
}

} // namespace

// A hull with its glow drawn as one outline in one pass leaves the world
// image as the hull drawn with alpha blending and the glow added after it:
// colour and alpha, over a half-transparent backdrop, tinted, faded and
// turned. The two-pass path for GLs without dual-source blending too.
TEST(GlowSpriteTest, OnePassEqualsTheSpriteThenItsGlowAdded) {
    testsupport::ensureGLContext();
    testsupport::resetGLState();
    Scene2D world(-1, -1);
    world.worldSize = quenth::vec2(4096, 4096);
    world.debugDraw = false;
    world.defaultCamera = Camera2D{2048, 2048, 1, 0};
    ASSERT_TRUE(Shaders::dualSourceBlending) << "this GL should draw glowing sprites in one pass";

    Surface hullImage = radial(200, 120, 60, [](float d) { return (10 - d) * 128; });
    Surface glowImage = radial(80, 160, 255, [](float d) { return (1 - d / 14) * 230; });
    Texture hull(&hullImage), glow(&glowImage);
    Surface whiteImage(8, 8);
    for (int i = 0; i < 64; i++) whiteImage.pixels[i] = Color::getColor(255, 255, 255, 255);
    Texture backdropTexture(&whiteImage);
    Silhouette outline(&hullImage);
    outline.add(Silhouette(&glowImage));
    ASSERT_LT(outline.area(), 0.8f);

    // A backdrop that leaves colour and alpha partial, as the sky does.
    Sprite backdrop(&backdropTexture, 1000, 600);
    backdrop.position = vec3(2048, 2048, 0);
    backdrop.blendColor = Drawable::RGBA{60, 90, 120, 180};
    backdrop.setDrawMode(DRAW_MODE_ADD);
    // Left: the two sprites as drawn before. Right: the glowing sprite.
    Group left, right;
    Sprite leftHull(&hull, 64, 64), leftGlow(&glow, 64, 64);
    leftGlow.setDrawMode(DRAW_MODE_ADD);
    left.add(&leftHull);
    left.add(&leftGlow);
    GlowSprite oneSprite(&hull, &glow, 64, 64);
    oneSprite.outline = &outline;
    right.add(&oneSprite);
    left.position = vec3(2048 - 200, 2048, 0);
    right.position = vec3(2048 + 200, 2048, 0);
    left.blendColor = right.blendColor = Drawable::RGBA{255, 200, 150, 170};
    left.setRotation(30);
    right.setRotation(30);
    world.add(&backdrop);
    world.add(&left);
    world.add(&right);

    for (bool onePass : {true, false}) {
        SCOPED_TRACE(onePass ? "one pass" : "two passes");
        Shaders::dualSourceBlending = onePass;
        world.drawWorld();
        unsigned fb = world.framebuffer->id;
        std::vector<Pixel> a = testsupport::readFramebufferPixels(fb, 720, 640 - 240, 320, 80, 80);
        std::vector<Pixel> b = testsupport::readFramebufferPixels(fb, 720, 640 + 160, 320, 80, 80);
        int worst = 0, lit = 0;
        for (size_t i = 0; i < a.size(); i++) {
            worst = std::max({worst, std::abs(a[i].r - b[i].r), std::abs(a[i].g - b[i].g),
                              std::abs(a[i].b - b[i].b), std::abs(a[i].a - b[i].a)});
            if (a[i].a > 180) lit++;
        }
        EXPECT_LE(worst, 2);
        EXPECT_EQ(a[0].a, b[0].a);
        EXPECT_GT(a[0].a, 100); // the backdrop's alpha in the corner
        EXPECT_GT(lit, 200);    // the hull is there to compare
    }
    Shaders::dualSourceBlending = true;
    world.clear();
}
