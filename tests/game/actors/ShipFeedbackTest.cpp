// What the player feels and sees of its ship: the shield, the speed boost and
// the cues of a hit.
#include <SDL/SDL.h>

#include "game/actors/Player.h"
#include "game/actors/Powerup.h"
#include "game/actors/ShieldRing.h"
#include "game/hud/HUD_Bar.h"
#include "game/hud/HUD_EdgeFlash.h"
#include "game/hud/HUD_WeaponBox.h"
#include "particles/ParticleSystem.h"
#include "scene/Text.h"
#include "tests/game/GameTestSupport.h"

class ShipFeedbackTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        g_game->nextWaveTime = 1e9f; // no enemies: only the test hits the ship
    }
    static void frame(uint32_t ms) {
        advance(ms);
        g_game->update();
    }
};

TEST_F(ShipFeedbackTest, TheShieldTakesHitsBeforeTheHullAndRingAndBarFollowIt) {
    Player* p = g_game->player;
    EXPECT_FLOAT_EQ(p->shield, 0);
    Powerup* token = new Powerup();
    token->kind = 2;
    token->position = p->position;
    token->collect();
    delete token;
    EXPECT_FLOAT_EQ(p->shield, p->maxShield);
    EXPECT_FLOAT_EQ(p->maxShield, 100);
    frame(16);
    int full = p->shieldRing->brightness;
    EXPECT_GT(full, 150);
    EXPECT_FLOAT_EQ(g_game->weaponBox->shieldBar->fill, 1);

    EXPECT_TRUE(p->damage(70));
    EXPECT_FLOAT_EQ(p->shield, 30);
    EXPECT_FLOAT_EQ(p->hull, 125);
    frame(16);
    EXPECT_NEAR(g_game->weaponBox->shieldBar->fill, 0.3f, 1e-6);
    EXPECT_LT(p->shieldRing->brightness, full * 0.4 + 10);
    EXPECT_GT(p->shieldRing->brightness, 0);

    // What the shield cannot hold goes through to the hull.
    EXPECT_TRUE(p->damage(50));
    EXPECT_FLOAT_EQ(p->shield, 0);
    EXPECT_FLOAT_EQ(p->hull, 105);
    frame(16);
    EXPECT_EQ(p->shieldRing->brightness, 0);
    EXPECT_FLOAT_EQ(g_game->weaponBox->shieldBar->fill, 0);
}

TEST_F(ShipFeedbackTest, ASpeedBoostRaisesTopSpeedOnlyInsideItsWindow) {
    Player* p = g_game->player;
    holdKey(SDLK_d);
    for (int i = 0; i < 200; ++i) frame(16);
    EXPECT_NEAR(p->velocity.length(), Player::topSpeed, 1e-3);
    EXPECT_FALSE(g_game->weaponBox->boostText->isVisible());

    float now = (float)quenth::GameClock::currentTime;
    p->speedBoost = true;
    p->speedBoostStart = now;
    p->speedBoostEnd = now + 3000;
    frame(16);
    float firstStep = p->velocity.length() - Player::topSpeed;
    EXPECT_NEAR(firstStep, 500 * Player::boostFactor * 0.016f, 0.05f);
    for (int i = 0; i < 100; ++i) frame(16);
    EXPECT_NEAR(p->velocity.length(), Player::topSpeed * Player::boostFactor, 1e-3);
    // The HUD counts the window down.
    EXPECT_TRUE(g_game->weaponBox->boostText->isVisible());
    EXPECT_STREQ(g_game->weaponBox->boostText->text.getCString(), "BOOST 1.4");
    // The boosted ship leaves its trail even while coasting.
    releaseAllInput();
    frame(16);
    EXPECT_GT(p->exhaustEmitter->rate, 100);

    holdKey(SDLK_d);
    while ((float)quenth::GameClock::currentTime < p->speedBoostEnd) frame(16);
    frame(16);
    EXPECT_LE(p->velocity.length(), Player::topSpeed + 1e-3);
    EXPECT_FALSE(p->speedBoost);
    EXPECT_FALSE(g_game->weaponBox->boostText->isVisible());
}

TEST_F(ShipFeedbackTest, AHitFlashesShakesByItsDamageAndALowHullBlinks) {
    Player* p = g_game->player;
    frame(16);
    EXPECT_EQ(g_game->edgeFlash->glow, 0);
    EXPECT_EQ(g_game->weaponBox->hullBar->blendColor.r, 120);

    p->damage(2);
    float small = g_game->shakeMagnitude;
    frame(16);
    EXPECT_GT(g_game->edgeFlash->glow, 50);
    EXPECT_EQ(g_game->weaponBox->hullBar->blendColor.r, 255);
    EXPECT_EQ(g_game->weaponBox->hullBar->blendColor.g, 50);
    int weakFlash = g_game->edgeFlash->glow;
    frame(400); // the flash is over
    EXPECT_EQ(g_game->edgeFlash->glow, 0);
    EXPECT_EQ(g_game->weaponBox->hullBar->blendColor.r, 120);

    p->damage(7);
    EXPECT_GT(g_game->shakeMagnitude, small + 5);
    frame(16);
    EXPECT_GT(g_game->edgeFlash->glow, weakFlash);

    // A nuke's big shake is not cut short by a hit during it.
    frame(2000);
    g_game->screenShake(1000, 200);
    p->damage(5);
    EXPECT_FLOAT_EQ(g_game->shakeMagnitude, 200);

    // Above a quarter the hull bar stays; below, it blinks on and off.
    frame(2000);
    p->hull = 40;
    frame(16);
    EXPECT_TRUE(g_game->weaponBox->hullBar->isVisible());
    p->hull = 30;
    int shown = 0, hidden = 0;
    for (int i = 0; i < 8; ++i) {
        frame(125);
        (g_game->weaponBox->hullBar->isVisible() ? shown : hidden)++;
    }
    EXPECT_EQ(shown, 4);
    EXPECT_EQ(hidden, 4);
}
