#include "game/base/Controls.h"

#include "engine/core/Quenth.h"
#include "game/actors/Player.h"
#include "tests/game/GameTestSupport.h"

#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <cstring>

using quenth::Quenth;
using quenth::vec2;

namespace {

// Synthetic snapshots: each test writes the input of "this frame" (now) and
// of the one before (prev), as the event thread and update() would.
class ControlsTest : public ::testing::Test {
protected:
    Quenth::GEvent ev;
    Quenth::GEvent* saved = nullptr;
    Controls c;

    void SetUp() override {
        saved = Quenth::events;
        Quenth::events = &ev;
    }
    void TearDown() override { Quenth::events = saved; }

    void key(int k) { ev.keysNow[k / 32] |= 1u << (k % 32); }
    void axis(int a, int now, int prev = 0) {
        ev.padAxesNow[a] = now;
        ev.padAxesPrev[a] = prev;
    }
    void button(int b) { ev.padButtonsNow |= 1u << b; }
    // The snapshot becomes the previous one; nothing is held now.
    void nextFrame() {
        memcpy(ev.keysPrev, ev.keysNow, sizeof ev.keysNow);
        memset(ev.keysNow, 0, sizeof ev.keysNow);
        memcpy(ev.padAxesPrev, ev.padAxesNow, sizeof ev.padAxesNow);
        ev.padButtonsPrev = ev.padButtonsNow;
        ev.padButtonsNow = 0;
        ev.padHatPrev = ev.padHatNow;
        ev.mousePrevX = ev.mouseNowX;
        ev.mousePrevY = ev.mouseNowY;
    }
};

TEST_F(ControlsTest, WithoutAPadNothingButKeysAndMouseCounts) {
    ASSERT_EQ(Quenth::pad, nullptr);
    ev.mouseNowX = 300;
    ev.mouseNowY = 200;
    EXPECT_EQ(c.thrust().x, 0);
    EXPECT_EQ(c.thrust().y, 0);
    EXPECT_FALSE(c.firePlasma() || c.fireLaser() || c.pausePressed());
    EXPECT_FALSE(c.menuUp() || c.menuDown() || c.menuLeft() || c.menuRight() || c.menuChoose() ||
                 c.menuBack());
    vec2 a = c.aim(vec2(640, 360));
    EXPECT_EQ(a.x, 300);
    EXPECT_EQ(a.y, 200);
    ev.buttonsNow = 1u << SDL_BUTTON_LEFT;
    EXPECT_TRUE(c.firePlasma());
    EXPECT_FALSE(c.fireLaser());
    EXPECT_EQ(Controls::startButton(), 7);
}

TEST_F(ControlsTest, ThrustKeysWholeAxesArrowsAlwaysAndRebinding) {
    key(SDLK_w);
    key(SDLK_d);
    EXPECT_EQ(c.thrust().x, 1);
    EXPECT_EQ(c.thrust().y, -1);
    key(SDLK_s);
    EXPECT_EQ(c.thrust().y, 0); // up and down cancel
    nextFrame();
    key(SDLK_LEFT);
    key(SDLK_DOWN);
    EXPECT_EQ(c.thrust().x, -1);
    EXPECT_EQ(c.thrust().y, 1);

    c.bindThrustKeys(SDLK_i, SDLK_k, SDLK_j, SDLK_l);
    nextFrame();
    key(SDLK_w);
    EXPECT_EQ(c.thrust().y, 0) << "W thrusts after it was rebound";
    key(SDLK_i);
    EXPECT_EQ(c.thrust().y, -1);
    EXPECT_TRUE(c.menuUp()); // the bound key moves menus too
    nextFrame();
    key(SDLK_UP);
    EXPECT_EQ(c.thrust().y, -1);
}

TEST_F(ControlsTest, TheLeftStickHasADeadZoneScalesAndAddsToTheKeys) {
    axis(Controls::AXIS_LEFT_X, 7000);
    axis(Controls::AXIS_LEFT_Y, -8000);
    EXPECT_EQ(c.thrust().x, 0);
    EXPECT_EQ(c.thrust().y, 0);
    axis(Controls::AXIS_LEFT_X, 32767);
    axis(Controls::AXIS_LEFT_Y, -32768);
    EXPECT_FLOAT_EQ(c.thrust().x, 1);
    EXPECT_FLOAT_EQ(c.thrust().y, -1);
    // Half way past the dead zone, on a diagonal.
    int half = 8000 + (32767 - 8000) / 2;
    axis(Controls::AXIS_LEFT_X, half);
    axis(Controls::AXIS_LEFT_Y, half);
    EXPECT_NEAR(c.thrust().x, 0.5f, 1e-3);
    EXPECT_NEAR(c.thrust().y, 0.5f, 1e-3);
    key(SDLK_d);
    EXPECT_FLOAT_EQ(c.thrust().x, 1); // key and stick together stay whole
    // The right stick does not thrust.
    axis(Controls::AXIS_LEFT_Y, 0);
    axis(Controls::AXIS_RIGHT_Y, 32767);
    EXPECT_EQ(c.thrust().y, 0);
}

TEST_F(ControlsTest, ShouldersAndTriggersFire) {
    button(Controls::BUTTON_RIGHT_SHOULDER);
    EXPECT_TRUE(c.firePlasma());
    EXPECT_FALSE(c.fireLaser());
    nextFrame();
    button(Controls::BUTTON_LEFT_SHOULDER);
    EXPECT_TRUE(c.fireLaser());
    EXPECT_FALSE(c.firePlasma());
    nextFrame();
    // A trigger at rest (its low end, or 0 before it is first moved) does not fire.
    axis(Controls::AXIS_RIGHT_TRIGGER, -32768);
    axis(Controls::AXIS_LEFT_TRIGGER, 0);
    EXPECT_FALSE(c.firePlasma() || c.fireLaser());
    axis(Controls::AXIS_RIGHT_TRIGGER, 20000);
    axis(Controls::AXIS_LEFT_TRIGGER, 32767);
    EXPECT_TRUE(c.firePlasma());
    EXPECT_TRUE(c.fireLaser());
}

TEST_F(ControlsTest, TheRightStickTakesTheReticleAroundTheShipUntilTheMouseMoves) {
    ev.mouseNowX = ev.mousePrevX = 100;
    ev.mouseNowY = ev.mousePrevY = 100;
    axis(Controls::AXIS_RIGHT_X, 5000); // inside the dead zone: still the mouse
    EXPECT_EQ(c.aim(vec2(640, 360)).x, 100);
    axis(Controls::AXIS_RIGHT_X, 0);
    axis(Controls::AXIS_RIGHT_Y, 32767);
    vec2 a = c.aim(vec2(640, 360));
    EXPECT_FLOAT_EQ(a.x, 640);
    EXPECT_FLOAT_EQ(a.y, 360 + 200);
    // Let go: the reticle keeps its direction and follows the ship.
    nextFrame();
    axis(Controls::AXIS_RIGHT_Y, 0);
    a = c.aim(vec2(700, 300));
    EXPECT_FLOAT_EQ(a.x, 700);
    EXPECT_FLOAT_EQ(a.y, 500);
    // A diagonal is a direction, whatever its length.
    axis(Controls::AXIS_RIGHT_X, -20000);
    axis(Controls::AXIS_RIGHT_Y, -20000);
    a = c.aim(vec2(0, 0));
    EXPECT_NEAR(a.x, -141.42f, 0.01f);
    EXPECT_NEAR(a.y, -141.42f, 0.01f);
    // The mouse moves: it aims again.
    nextFrame();
    axis(Controls::AXIS_RIGHT_X, 0);
    axis(Controls::AXIS_RIGHT_Y, 0);
    ev.mouseNowX = 101;
    EXPECT_EQ(c.aim(vec2(0, 0)).x, 101);
    EXPECT_FALSE(c.padAiming);
}

TEST_F(ControlsTest, MenusAndPauseTakePressesNotHolds) {
    ev.padHatNow = SDL_HAT_UP;
    axis(Controls::AXIS_LEFT_X, 20000, 0);
    button(Controls::BUTTON_A);
    button(Controls::startButton());
    EXPECT_TRUE(c.menuUp());
    EXPECT_TRUE(c.menuRight());
    EXPECT_FALSE(c.menuDown() || c.menuLeft());
    EXPECT_TRUE(c.menuChoose());
    EXPECT_TRUE(c.pausePressed());
    // Held into the next frame: no second press.
    nextFrame();
    ev.padHatNow = SDL_HAT_UP;
    axis(Controls::AXIS_LEFT_X, 30000, 20000);
    button(Controls::BUTTON_A);
    button(Controls::startButton());
    EXPECT_FALSE(c.menuUp() || c.menuRight() || c.menuChoose() || c.pausePressed());
    // Back: B, the Back button or Escape; pause: P, Pause or Escape too.
    nextFrame();
    button(Controls::BUTTON_B);
    EXPECT_TRUE(c.menuBack());
    nextFrame();
    nextFrame();
    button(Controls::backButton());
    EXPECT_TRUE(c.menuBack());
    for (int k : {SDLK_p, SDLK_PAUSE, SDLK_ESCAPE}) {
        nextFrame();
        nextFrame();
        key(k);
        EXPECT_TRUE(c.pausePressed()) << k;
    }
}

using ControlsPlayerTest = GameTest;

TEST_F(ControlsPlayerTest, TheShipFliesOnTheStickAndPaysForThePartOfThrustUsed) {
    Player* p = g_game->player;
    quenth::GameClock::sync = 0.1f;
    quenth::Quenth::events->padAxesNow[Controls::AXIS_LEFT_X] = 32767;
    p->update();
    EXPECT_NEAR(p->velocity.x, 50, 1e-3); // as much as the D key gives
    EXPECT_NEAR(p->energy, 350 - 2.5f, 1e-3);

    p->velocity = vec2(0, 0);
    p->energy = 300;
    quenth::Quenth::events->padAxesNow[Controls::AXIS_LEFT_X] = 8000 + (32767 - 8000) / 2;
    p->update();
    EXPECT_NEAR(p->velocity.x, 25, 0.01f);
    EXPECT_NEAR(p->energy, 300 + 3.5f - 1.25f, 0.01f); // regeneration, half the thrust's cost
    quenth::Quenth::events->padAxesNow[Controls::AXIS_LEFT_X] = 0;
}

} // namespace
