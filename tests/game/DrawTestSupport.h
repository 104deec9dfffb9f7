#ifndef TESTS_GAME_DRAWTESTSUPPORT_H
#define TESTS_GAME_DRAWTESTSUPPORT_H

#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "tests/game/GameTestSupport.h"
#include "tests/support/GLContext.h"

// Drawing tests: a real GL context, the scenes drawn as the main loop draws
// them, pixels read back from the window's back buffer.
class DrawTest : public GameTest {
protected:
    void SetUp() override {
        testsupport::ensureGLContext();
        // Scenes made by logic tests of the same process have no GL objects.
        static bool madeWithGL = false;
        if (!madeWithGL) {
            g_world = new Scene2D(-1, -1);
            g_world->worldSize = quenth::vec2(4096, 4096);
            g_hud = new DirectScene2D(-1, -1);
            g_hud->debugDraw = false;
            g_fader = new Fader();
            madeWithGL = true;
        }
        g_world->debugDraw = false;
        GameTest::SetUp();
        testsupport::resetGLState();
        testsupport::clearBackBuffer(0, 0, 0, 1);
    }

    // An opaque white texture: what is drawn with it shows in its vertex colour.
    static quenth::Texture* white() {
        static quenth::Texture* tex = nullptr;
        if (!tex) {
            quenth::Surface s(32, 32);
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) s.setPixel(x, y, 0xffffffffu);
            tex = new quenth::Texture(&s);
        }
        return tex;
    }

    static void lookAt(float x, float y) {
        Camera2D* cam = g_world->getCamera();
        cam->x = x;
        cam->y = y;
        cam->zoom = 1;
        cam->rotation = 0;
    }

    static int brightness(testsupport::Pixel p) { return p.r + p.g + p.b; }
};

#endif
