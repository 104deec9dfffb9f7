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

TEST_F(DrawTest, WeaponPanelShowsEnergyHullShieldAndLevel) {
    g_hud->clear();
    g_hud->add(g_game->weaponBox);
    Player* p = g_game->player;
    p->energy = 175;
    p->hull = 125;
    p->shield = 25;
    p->setWeaponLevel(2);
    g_game->weaponBox->showPlayer(p);
    g_hud->draw();
    // The energy bar runs from x 63.5 over 119 pixels at y 637.5 to 644.5: half is lit.
    testsupport::Pixel lit = testsupport::readBackPixel(80, 641);
    EXPECT_GT(lit.b, 150);
    EXPECT_GT(lit.g, 120);
    EXPECT_EQ(brightness(testsupport::readBackPixel(150, 641)), 0);
    // The hull bar (y 654.5 to 661.5) is full.
    EXPECT_GT(testsupport::readBackPixel(175, 658).g, 150);
    // The shield bar (y 671.5 to 678.5) a quarter full.
    EXPECT_GT(testsupport::readBackPixel(70, 675).b, 150);
    EXPECT_EQ(brightness(testsupport::readBackPixel(120, 675)), 0);
    // Two WPN marks lit (x 62.5 + 15.5 i, y 696.5 to 700.5), the third dark.
    EXPECT_GT(testsupport::readBackPixel(67, 698).r, 200);
    EXPECT_GT(testsupport::readBackPixel(83, 698).r, 200);
    EXPECT_EQ(brightness(testsupport::readBackPixel(98, 698)), 0);
}
