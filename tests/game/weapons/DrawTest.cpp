#include "game/actors/Player.h"
#include "game/hud/HUD_Bar.h"
#include "game/hud/HUD_WeaponBox.h"
#include "game/weapons/Laser.h"
#include "game/weapons/Plasma.h"
#include "tests/game/DrawTestSupport.h"
#include "tests/support/GLContext.h"

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
