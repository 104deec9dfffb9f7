// Weapon levels bought with upgrade points, shown by the WPN marks, lost with a ship.
#include "game/actors/Player.h"
#include "game/hud/HUD_Bar.h"
#include "game/hud/HUD_WeaponBox.h"
#include "game/weapons/Bullet.h"
#include "game/weapons/Laser.h"
#include "game/weapons/Plasma.h"
#include "game/weapons/WeaponLevel.h"
#include "tests/game/GameTestSupport.h"

#include <algorithm>
#include <cmath>

using UpgradeTest = GameTest;

namespace {

int litMarks() {
    int lit = 0;
    for (int i = 0; i < 8; ++i) lit += g_game->weaponBox->levelMarks[i]->isVisible() ? 1 : 0;
    return lit;
}

int liveBolts(Plasma* gun, quenth::vec2* velocities) {
    int n = 0;
    for (uint32_t i = 0; i < gun->capacity; ++i)
        if (quenth::GameClock::currentTime < gun->bullets[i].expiry)
            velocities[n++] = gun->bullets[i].velocity;
    return n;
}

} // namespace

TEST_F(UpgradeTest, LevelZeroIsTheGunsAsBuiltAndEachLevelAddsSomething) {
    Player* p = g_game->player;
    EXPECT_EQ(p->weaponLevel, 0);
    EXPECT_FLOAT_EQ(p->plasma->damageMin, 5);
    EXPECT_FLOAT_EQ(p->plasma->damageMax, 15);
    EXPECT_FLOAT_EQ(p->plasma->fireRate, 5);
    EXPECT_FLOAT_EQ(p->plasma->energyCost, 2);
    EXPECT_EQ(p->plasma->bolts, 1);
    EXPECT_FLOAT_EQ(p->laser->damageMin, 65);
    EXPECT_FLOAT_EQ(p->laser->damageMax, 85);
    EXPECT_FLOAT_EQ(p->laser->beamWidth, 7);
    EXPECT_FLOAT_EQ(p->laser->energyCost, 8);
    // Level 0 of the table is what the guns are built with.
    WeaponLevel const& l0 = WeaponLevel::at(0);
    EXPECT_EQ(l0.points, 0);
    EXPECT_EQ(l0.plasmaDamageMin, p->plasma->damageMin);
    EXPECT_EQ(l0.plasmaRate, p->plasma->fireRate);
    EXPECT_EQ(l0.beamWidth, p->laser->beamWidth);

    // Every step up is stronger somewhere and weaker nowhere, and costs something.
    for (int l = 1; l <= WeaponLevel::top; ++l) {
        WeaponLevel const& a = WeaponLevel::at(l - 1);
        WeaponLevel const& b = WeaponLevel::at(l);
        EXPECT_GT(b.points, 0);
        EXPECT_GE(b.plasmaDamageMax, a.plasmaDamageMax);
        EXPECT_GE(b.plasmaRate, a.plasmaRate);
        EXPECT_GE(b.bolts, a.bolts);
        EXPECT_GE(b.laserDamageMax, a.laserDamageMax);
        EXPECT_GE(b.beamWidth, a.beamWidth);
        bool more = b.plasmaDamageMax > a.plasmaDamageMax || b.plasmaRate > a.plasmaRate ||
                    b.bolts > a.bolts || b.laserDamageMax > a.laserDamageMax;
        EXPECT_TRUE(more) << "level " << l;
    }
    EXPECT_EQ(WeaponLevel::at(WeaponLevel::top).bolts, 3);
    EXPECT_EQ(&WeaponLevel::at(99), &WeaponLevel::at(WeaponLevel::top));
}

TEST_F(UpgradeTest, PointsBuyLevelsThatLightTheMarksAndAShipLostCostsOne) {
    Player* p = g_game->player;
    int first = WeaponLevel::at(1).points, second = WeaponLevel::at(2).points;
    g_game->addUpgrade(first - 10);
    EXPECT_EQ(p->weaponLevel, 0);
    EXPECT_EQ(p->levelPoints, first - 10);
    // One token may buy two levels at once; what is left over counts on.
    g_game->addUpgrade(second + 20);
    EXPECT_EQ(p->weaponLevel, 2);
    EXPECT_EQ(p->levelPoints, 10);
    EXPECT_EQ(g_game->upgrades, first + second + 10);
    EXPECT_FLOAT_EQ(p->plasma->fireRate, WeaponLevel::at(2).plasmaRate);
    advance(16);
    g_game->update();
    EXPECT_EQ(litMarks(), 2);

    p->damage(1000); // lost with spare ships left
    EXPECT_EQ(p->weaponLevel, 1);
    EXPECT_EQ(p->levelPoints, 0);
    EXPECT_FLOAT_EQ(p->plasma->damageMax, WeaponLevel::at(1).plasmaDamageMax);
    advance(16);
    g_game->update();
    EXPECT_EQ(litMarks(), 1);

    // The top level keeps all eight marks lit and gathers nothing beyond.
    g_game->addUpgrade(100000);
    EXPECT_EQ(p->weaponLevel, WeaponLevel::top);
    EXPECT_EQ(p->levelPoints, 0);
    g_game->addUpgrade(-50);
    EXPECT_EQ(p->weaponLevel, WeaponLevel::top);
    advance(16);
    g_game->update();
    EXPECT_EQ(litMarks(), 8);
}

TEST_F(UpgradeTest, AFannedShotCostsOneShotAndSpreadsEvenlyAboutTheAim) {
    Player* p = g_game->player;
    p->setWeaponLevel(WeaponLevel::top);
    float fan = WeaponLevel::at(WeaponLevel::top).fanAngle;
    p->plasma->lastShot = 0;
    EXPECT_FLOAT_EQ(p->plasma->shoot(quenth::vec2(1, 0)), p->plasma->energyCost);
    quenth::vec2 v[64];
    ASSERT_EQ(liveBolts(p->plasma, v), 3);
    float angles[3];
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(v[i].length(), p->plasma->bulletSpeed, 1e-2);
        angles[i] = atan2f(v[i].y, v[i].x) * 57.29578f;
    }
    std::sort(angles, angles + 3);
    EXPECT_NEAR(angles[0], -fan, 1e-3);
    EXPECT_NEAR(angles[1], 0, 1e-3);
    EXPECT_NEAR(angles[2], fan, 1e-3);
    // The rate limit holds for the whole fan.
    EXPECT_FLOAT_EQ(p->plasma->shoot(quenth::vec2(1, 0)), 0);
    EXPECT_EQ(liveBolts(p->plasma, v), 3);

    p->setWeaponLevel(3); // two bolts: none on the aim
    advance(1600);        // the first fan has died away
    p->plasma->shoot(quenth::vec2(0, 1));
    EXPECT_EQ(liveBolts(p->plasma, v), 2);
    EXPECT_NEAR(v[0].x, -v[1].x, 1e-3);
    EXPECT_NEAR(v[0].y, v[1].y, 1e-3);
    EXPECT_GT(fabsf(v[0].x), 1);
}
