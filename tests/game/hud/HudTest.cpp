#include <cstring>

#include "engine/core/GameClock.h"
#include "game/actors/Player.h"
#include "game/actors/TextIndicator.h"
#include "game/base/StackRemove.h"
#include "game/base/WrappedOffset.h"
#include "game/hud/HUD_Bar.h"
#include "game/hud/HUD_RadarBlips.h"
#include "game/hud/HUD_RadarBox.h"
#include "game/hud/HUD_ScoreBox.h"
#include "game/hud/HUD_WeaponBox.h"
#include "game/hud/Reticle.h"
#include "game/hud/ScoreCounter.h"
#include "game/hud/ScreenshotNotice.h"
#include "game/world/Starfield.h"
#include "scene/Sprite.h"
#include "scene/Text.h"
#include "tests/game/GameTestSupport.h"

using HudTest = GameTest;

namespace {
int shown(ScoreCounter* c) {
    return atoi(c->text->text.getCString());
}
} // namespace

TEST_F(HudTest, ScoreRollsUpEasingOut) {
    ScoreCounter* c = g_game->scoreCounter;
    c->update();
    EXPECT_STREQ(c->text->text.getCString(), "0");
    c->addValue(100);
    uint32_t start = quenth::GameClock::currentTime;
    EXPECT_EQ(c->endTime, start + 500);
    c->update();
    EXPECT_EQ(shown(c), 0);
    setTime(start + 250);
    c->update();
    EXPECT_EQ(shown(c), 70); // 100 sin 45 degrees, truncated
    setTime(start + 500);
    c->update();
    EXPECT_EQ(shown(c), 100);
    setTime(start + 501);
    c->update();
    EXPECT_EQ(shown(c), 100);
    EXPECT_EQ(c->endTime, 0u);
    EXPECT_EQ(c->startValue, 100);
}

TEST_F(HudTest, QuickKillsLengthenTheRollUpByLessEachTime) {
    ScoreCounter* c = g_game->scoreCounter;
    uint32_t start = quenth::GameClock::currentTime;
    for (int i = 0; i < 5; ++i) c->addValue(10);
    EXPECT_EQ(c->endTime, start + 500 + 450 + 425 + 400 + 375);
    EXPECT_EQ(c->value, 50);

    // After the roll-up has ended a fresh one starts from the current total.
    setTime(c->endTime + 1);
    c->update();
    c->addValue(10);
    EXPECT_EQ(c->startValue, 50);
    EXPECT_EQ(c->endTime, quenth::GameClock::currentTime + 500);
    c->addValue(10);
    EXPECT_EQ(c->endTime, quenth::GameClock::currentTime + 500 + 450); // the table starts over

    // After more than 19 extensions every further one adds 5 ms.
    for (int i = 0; i < 25; ++i) c->addValue(1);
    uint32_t end = c->endTime;
    c->addValue(1);
    EXPECT_EQ(c->endTime, end + 5);
}

TEST_F(HudTest, ScoreSitsTopLeftOfTheHud) {
    ScoreCounter* c = g_game->scoreCounter;
    c->addValue(12345);
    advance(600);
    c->update();
    EXPECT_FLOAT_EQ(c->text->position.x, 15);
    EXPECT_FLOAT_EQ(c->text->position.y, 12);
    EXPECT_EQ((void*)c->text->parent, (void*)g_hud);
    EXPECT_TRUE(stackContains(g_game->actors, c));
}

TEST_F(HudTest, IndicatorFadesRisesAndDeletesItself) {
    g_game->actors.clear();
    TextIndicator* ti = new TextIndicator();
    ti->text->setText("hello");
    ti->position = quenth::vec2(500, 500);
    g_game->actors.push(ti);
    uint32_t born = ti->birthTime;

    quenth::GameClock::sync = 1.375f;
    setTime(born + 1375);
    ti->update();
    EXPECT_NEAR(ti->text->color.a, 0.5f, 1e-6);
    EXPECT_NEAR(ti->position.y, 500 - 35 * 1.375f, 1e-3);
    EXPECT_NEAR(ti->text->position.y, ti->position.y, 1e-3);

    quenth::GameClock::sync = 0.016f;
    setTime(born + 2750);
    g_game->update();
    ASSERT_EQ(g_game->actors.count, 1u); // still there at exactly the lifetime
    setTime(born + 2751);
    g_game->update();
    EXPECT_EQ(g_game->actors.count, 0u);
}

TEST_F(HudTest, IndicatorWrapsPastTheTopEdge) {
    TextIndicator* ti = new TextIndicator();
    ti->position = quenth::vec2(640, 0.1f);
    quenth::GameClock::sync = 0.016f;
    ti->update();
    EXPECT_GT(ti->position.y, 4000.0f);
    delete ti;
}

TEST_F(HudTest, ReticleGlowPulses) {
    Reticle* r = g_game->reticle;
    setTime(0);
    r->update();
    EXPECT_EQ(r->glow->blendColor.a, 128);
    setTime(314);
    r->update();
    EXPECT_NEAR(r->glow->blendColor.a, 192, 1); // 64 sin(1.57) + 128, truncated
    setTime(942);
    r->update();
    EXPECT_EQ(r->glow->blendColor.a, 64);
}

TEST_F(HudTest, ReticleFollowsTheMouse) {
    setMouse(300, 200);
    g_game->reticle->update();
    EXPECT_FLOAT_EQ(g_game->reticle->position.x, 300);
    EXPECT_FLOAT_EQ(g_game->reticle->position.y, 200);
    EXPECT_FLOAT_EQ(g_game->reticle->sprite->size.x, 38);
    EXPECT_FLOAT_EQ(g_game->reticle->glow->size.x, 40);
}

TEST_F(HudTest, StarsMoveWithDepthParallaxAndWrap) {
    Starfield sf(2);
    sf.stars[0].x = 100;
    sf.stars[0].y = 100;
    sf.stars[0].z = 1;
    sf.stars[1].x = 100;
    sf.stars[1].y = 100;
    sf.stars[1].z = 20;
    quenth::vec2 delta(-10, 5);
    sf.move(delta);
    EXPECT_FLOAT_EQ(sf.stars[0].x, 108); // 0.8 of the camera's motion, opposite
    EXPECT_FLOAT_EQ(sf.stars[0].y, 96);
    EXPECT_FLOAT_EQ(sf.stars[1].x, 100.4f); // 0.04 of it
    EXPECT_FLOAT_EQ(sf.stars[1].y, 99.8f);

    quenth::vec2 rest(0, 0);
    sf.move(rest);
    EXPECT_FLOAT_EQ(sf.stars[0].x, 108);

    sf.stars[0].x = 1325;
    quenth::vec2 left(-10, 0);
    sf.move(left); // 1333 is past 1280 + 50: back in at -50 plus the overshoot
    EXPECT_NEAR(sf.stars[0].x, -47, 1e-3);
}

TEST_F(HudTest, StarsAreScatteredOverTheScreen) {
    Starfield sf(512);
    EXPECT_EQ(sf.stars.count, 512u);
    for (unsigned i = 0; i < sf.stars.count; ++i) {
        Starfield::Vertex const& s = sf.stars[i];
        ASSERT_GE(s.x, -50);
        ASSERT_LE(s.x, 1330);
        ASSERT_GE(s.y, -50);
        ASSERT_LE(s.y, 770);
        ASSERT_GE(s.z, 1);
        ASSERT_LE(s.z, 30);
        ASSERT_GE(s.r, 168);
        ASSERT_LT(s.r, 255);
        ASSERT_EQ(s.a, 255);
        ASSERT_NEAR(s.brightness, 1 - s.size * (s.z - 1) / 29, 1e-6);
    }
}

TEST_F(HudTest, RadarShowsEnemiesAndTokensAtTheirShortestOffset) {
    HUD_RadarBlips* radar = g_game->radarBox->blips;
    Player* p = g_game->player;
    p->position = quenth::vec2(4000, 100);
    // Shortest way across both seams: (+196, -196).
    quenth::vec2 d = wrappedOffset(p->position, quenth::vec2(100, 4000), g_world->worldSize);
    EXPECT_FLOAT_EQ(d.x, 196);
    EXPECT_FLOAT_EQ(d.y, -196);

    quenth::vec2 r = radar->toRadar(quenth::vec2(1024, 0));
    EXPECT_FLOAT_EQ(r.x, radar->screenRadius * 0.5f);
    quenth::vec2 rim = radar->toRadar(quenth::vec2(2000, 2000)); // beyond the range: on the rim
    EXPECT_NEAR(rim.length(), radar->screenRadius, 1e-3);

    g_game->nextWave();
    radar->collect();
    EXPECT_EQ(radar->blips.count, g_game->enemies.count);
    for (unsigned i = 0; i < radar->blips.count; ++i)
        EXPECT_LE(radar->blips[i].offset.length(), radar->screenRadius + 1e-3f);
}

TEST_F(HudTest, PanelsShowEnergyHullAndSpareLives) {
    Player* p = g_game->player;
    p->energy = 175;
    p->hull = 50;
    g_game->lives = 2;
    advance(16);
    g_game->update();
    // The player regains a little energy during the frame.
    EXPECT_NEAR(g_game->weaponBox->energyBar->fill, p->energy / 350, 1e-6);
    EXPECT_FLOAT_EQ(g_game->weaponBox->hullBar->fill, 0.4f);
    int lit = 0;
    for (int i = 0; i < 4; ++i) lit += g_game->scoreBox->lifeLamps[i]->isVisible() ? 1 : 0;
    EXPECT_EQ(lit, 2);
    EXPECT_EQ((void*)p->energyText->parent, (void*)g_hud);
    EXPECT_STREQ(p->energyText->text.getCString(), "Energy: 175");
}

TEST_F(HudTest, ScreenshotNoticeNamesTheFileForTwoSecondsAndStaysOutOfTheNextShot) {
    setTime(5000);
    ScreenshotNotice::announce("screenshot_3.bmp");
    ScreenshotNotice* notice = ScreenshotNotice::instance;
    ASSERT_NE(notice, nullptr);
    EXPECT_STREQ(notice->text.getCString(), "Screenshot saved: screenshot_3.bmp");
    EXPECT_EQ((void*)notice->parent, (void*)g_hud);
    EXPECT_FLOAT_EQ(notice->alphaAt(5000 + 2000), 1);
    EXPECT_FLOAT_EQ(notice->alphaAt(5000 + 2250), 0.5f);
    EXPECT_FLOAT_EQ(notice->alphaAt(5000 + 2500), 0);

    // Gone from the frame a new shot is taken of; then back with the new
    // name, the same notice, also after a new game has cleared the HUD.
    ScreenshotNotice::hideForShot();
    EXPECT_FLOAT_EQ(notice->alphaAt(5000 + 100), 0);
    g_hud->clear();
    setTime(5100);
    ScreenshotNotice::announce("screenshot_4.bmp");
    EXPECT_EQ(ScreenshotNotice::instance, notice);
    EXPECT_EQ((void*)notice->parent, (void*)g_hud);
    EXPECT_STREQ(notice->text.getCString(), "Screenshot saved: screenshot_4.bmp");
    EXPECT_FLOAT_EQ(notice->alphaAt(5100 + 200), 1);
    g_hud->remove(notice);
}
