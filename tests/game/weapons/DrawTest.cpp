#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "game/actors/Player.h"
#include "game/hud/HUD_Bar.h"
#include "game/hud/HUD_WeaponBox.h"
#include "game/weapons/Laser.h"
#include "game/weapons/Plasma.h"
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

TEST_F(DrawTest, PlasmaBulletsShowAcrossTheSeam) {
    Plasma* gun = g_game->player->plasma;
    g_world->clear();
    g_world->add(gun);
    gun->texture = white();
    gun->position = quenth::vec3(4090, 2000, 0);
    gun->shoot(quenth::vec2(1, 0));
    lookAt(50, 2000); // the bullet lies 56 units left of the view's centre, across the seam
    g_world->draw();
    EXPECT_GT(brightness(testsupport::readBackPixel(640 - 56, 360)), 600);
    EXPECT_EQ(brightness(testsupport::readBackPixel(640 - 56, 300)), 0);
    EXPECT_EQ(brightness(testsupport::readBackPixel(640 + 200, 360)), 0);
}

TEST_F(DrawTest, LaserBeamRunsFromTheShipTowardsTheMouse) {
    Laser* laser = g_game->player->laser;
    g_world->clear();
    g_world->add(laser);
    laser->muzzleTexture = laser->tipTexture = laser->beamTexture = white();
    laser->position = quenth::vec3(1000, 1000, 0);
    lookAt(1000, 1000);
    setMouse(1040, 360); // straight to the right
    laser->shoot(quenth::vec2(0, 0));
    advance(10);
    laser->update();
    g_world->draw();
    EXPECT_GT(brightness(testsupport::readBackPixel(640 + 300, 360)), 300);
    EXPECT_GT(testsupport::readBackPixel(640 + 300, 360).b, 200);
    EXPECT_EQ(brightness(testsupport::readBackPixel(640 + 300, 360 + 200)), 0);
}

TEST_F(DrawTest, LaserShowsWhereTheCameraLooksAcrossTheSeam) {
    Laser* laser = g_game->player->laser;
    g_world->clear();
    g_world->add(laser);
    laser->muzzleTexture = laser->tipTexture = laser->beamTexture = white();
    laser->position = quenth::vec3(4050, 2000, 0);
    // The camera leads the ship over the seam and is wrapped to x 54: the
    // ship shows 100 pixels left of the centre.
    lookAt(4150, 2000);
    setMouse(1040, 360);
    laser->shoot(quenth::vec2(0, 0));
    advance(10);
    laser->update();
    g_world->draw();
    EXPECT_GT(testsupport::readBackPixel(540, 360).b, 200);       // the muzzle
    EXPECT_GT(testsupport::readBackPixel(540 + 300, 360).b, 200); // the band
    EXPECT_EQ(brightness(testsupport::readBackPixel(540 + 300, 360 + 200)), 0);
}

TEST_F(DrawTest, WeaponPanelBarsFillWithEnergy) {
    g_hud->clear();
    g_hud->add(g_game->weaponBox);
    g_game->player->energy = 175;
    g_game->player->hull = 125;
    g_game->weaponBox->showPlayer(g_game->player);
    g_hud->draw();
    // The energy bar runs from x 63.5 over 119 pixels at y 644.5 to 654.5: half is lit.
    testsupport::Pixel lit = testsupport::readBackPixel(80, 649);
    EXPECT_GT(lit.b, 150);
    EXPECT_GT(lit.g, 120);
    EXPECT_EQ(brightness(testsupport::readBackPixel(150, 649)), 0);
    // The hull bar is full.
    EXPECT_GT(testsupport::readBackPixel(175, 675).g, 150);
}
