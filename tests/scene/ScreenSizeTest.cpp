// The scenes under a new window size, and their programs under a new context.
#include "engine/core/Quenth.h"
#include "engine/gfx/Color.h"
#include "engine/gfx/Framebuffer.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "scene/DirectScene2D.h"
#include "scene/Scene2D.h"
#include "scene/Shaders.h"
#include "tests/support/GLContext.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>

using quenth::Quenth;
using quenth::Texture;
using quenth::vec2;

namespace {

TEST(ScreenSize, TheWorldSceneTakesANewSizeAndKeepsTheGamesCamera) {
    testsupport::ensureGLContext();
    Scene2D world(1280, 720);
    world.worldSize = vec2(4096, 4096);
    Scene2D screen(1280, 720);
    unsigned memory = Texture::usedMemory;
    Camera2D* cam = world.getCamera();
    cam->x = 3000;
    cam->y = 100;

    world.resize(800, 600);
    screen.resize(800, 600);
    EXPECT_EQ(world.width, 800);
    EXPECT_EQ(world.height, 600);
    EXPECT_EQ(world.framebuffer->width, 800u);
    EXPECT_EQ(world.colorTextures[0], world.framebuffer->color[0]);
    EXPECT_EQ(world.colorTextures[0]->width, 800u);
    // One colour texture at the new size instead of the old, for each scene.
    EXPECT_EQ((long)Texture::usedMemory - (long)memory, 2L * 4 * (800 * 600 - 1280 * 720));
    // The arena and the game's camera stay; a screen-sized scene follows.
    EXPECT_EQ(world.worldSize.x, 4096);
    EXPECT_EQ(cam->x, 3000);
    EXPECT_EQ(cam->y, 100);
    EXPECT_EQ(screen.worldSize.x, 800);
    EXPECT_EQ(screen.worldSize.y, 600);
    EXPECT_EQ(screen.getCamera()->x, 400);
    EXPECT_EQ(screen.getCamera()->y, 300);
}

TEST(ScreenSize, TheScreenSceneKeepsOneUnitPerPixel) {
    DirectScene2D hud(1280, 720);
    hud.resize(1920, 1080);
    EXPECT_EQ(hud.width, 1920);
    EXPECT_EQ(hud.worldSize.y, 1080);
    vec2 p = hud.screenToWorld(vec2(1900, 1000));
    EXPECT_FLOAT_EQ(p.x, 1900);
    EXPECT_FLOAT_EQ(p.y, 1000);
}

class ShadersProcess : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(ShadersProcess, ProgramsAreLoadedAgainAfterQuitAndInit) {
    EXPECT_EXIT(
        {
            for (int run = 0; run < 2; run++) {
                testsupport::startSDLVideo();
                Quenth::init(64, 64, "shaders", false, false);
                Shaders::init();
                // A red texture under the vertex-colour program draws white;
                // without that program GL would draw the texture.
                quenth::Surface s(8, 8);
                for (int i = 0; i < 64; i++) s.pixels[i] = quenth::Color::getColor(255, 0, 0, 255);
                Texture* red = new Texture(&s);
                testsupport::resetGLState();
                glEnable(GL_TEXTURE_2D);
                red->bind(GL_TEXTURE0);
                Shaders::color_shader_fixed->bind();
                Quenth::fillScreen();
                testsupport::Pixel p = testsupport::readBackPixel(32, 32);
                if (!Shaders::color_shader_fixed->alive() || p.g != 255) std::exit(3 + run);
                delete red;
                Quenth::quit();
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
