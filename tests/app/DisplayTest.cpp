#include "app/Display.h"

#include "engine/core/Quenth.h"
#include "engine/gfx/Framebuffer.h"
#include "engine/gfx/Texture.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "game/hud/HUD_RadarBox.h"
#include "game/world/Game.h"
#include "scene/DirectScene2D.h"
#include "scene/Scene2D.h"
#include "tests/support/GLContext.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using quenth::Quenth;

namespace {

class DisplayProcess : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

// One frame as the program draws it; the share of HUD cyan in the w x h
// block at (x, y) of what it drew.
double drawAndMeasureCyan(int x, int y, int w, int h) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    g_world->draw();
    g_hud->draw();
    std::vector<testsupport::Pixel> px = testsupport::readBackPixels(x, y, w, h);
    int cyan = 0;
    for (testsupport::Pixel const& p : px) cyan += p.b > 140 && p.g > 100 && p.r < 120;
    return (double)cyan / px.size();
}

TEST(Display, ModesFollowTheSettings) {
    Settings s;
    s.display = DISPLAY_WINDOW;
    s.windowWidth = 1024;
    s.windowHeight = 576;
    Display::Mode m = Display::modeFor(s);
    EXPECT_EQ(m.width, 1024);
    EXPECT_EQ(m.height, 576);
    EXPECT_FALSE(m.fullscreen);
    s.display = DISPLAY_FULLSCREEN;
    EXPECT_TRUE(Display::modeFor(s).fullscreen);
    EXPECT_EQ(Display::modeFor(s).width, 1024);
    for (int i = 1; i < Display::windowSizeCount; i++)
        EXPECT_GT(Display::windowSizes[i].width, Display::windowSizes[i - 1].width);
}

TEST_F(DisplayProcess, AChangeOfModeCarriesTheRunningGameToTheNewSize) {
    EXPECT_EXIT(
        {
            testsupport::startSDLVideo();
            Settings s;
            s.display = DISPLAY_WINDOW;
            Display::open(s, "display");
            Resources::load();
            g_world = new Scene2D(-1, -1);
            g_world->worldSize = quenth::vec2(4096, 4096);
            g_hud = new DirectScene2D(-1, -1);
            g_world->debugDraw = g_hud->debugDraw = false;
            g_game = new Game();
            g_game->init();
            if (drawAndMeasureCyan(1150 - 100, 590 - 100, 200, 200) < 0.01) std::exit(3);

            s.windowWidth = 800;
            s.windowHeight = 600;
            if (!Display::apply(s)) std::exit(4);
            if (Quenth::width != 800 || g_world->framebuffer->width != 800 || g_hud->width != 800 ||
                g_hud->worldSize.y != 600 || g_world->worldSize.x != 4096)
                std::exit(5);
            quenth::vec3 radar = g_game->radarBox->position;
            if (radar.x != 670 || radar.y != 470 || !Resources::star_tex->alive()) std::exit(6);
            // The radar is drawn where the new layout put it.
            if (drawAndMeasureCyan(670 - 100, 470 - 100, 200, 200) < 0.01) std::exit(7);

            // Desktop: full screen at the screen's own size (the test's X server).
            s.display = DISPLAY_DESKTOP;
            if (!Display::apply(s) || !Quenth::fullscreen || Quenth::width != Quenth::desktopWidth ||
                g_hud->width != Quenth::desktopWidth || Quenth::desktopWidth <= 0)
                std::exit(8);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
