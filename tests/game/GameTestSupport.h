#ifndef TESTS_GAME_GAMETESTSUPPORT_H
#define TESTS_GAME_GAMETESTSUPPORT_H

#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <cstring>

#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/math/Math.h"
#include "engine/math/vec2.h"
#include "game/base/Fader.h"
#include "game/base/Globals.h"
#include "game/world/Game.h"
#include "scene/DirectScene2D.h"
#include "scene/Scene2D.h"

// Logic tests drive the real game with a set clock and set input, without a
// GL context and without the input thread: the scenes are made once per
// process (their GL calls do nothing without a context), resources are not
// loaded (sprites without texture draw nothing), and each test gets a fresh
// Game, initialised as the program does when the title is left.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        quenth::Quenth::width = 1280;
        quenth::Quenth::height = 720;
        setTime(100000);
        quenth::Quenth::sync = quenth::GameClock::sync = 0.016f;
        if (!quenth::Quenth::events) quenth::Quenth::events = new quenth::Quenth::GEvent();
        releaseAllInput();
        if (!g_world) {
            g_world = new Scene2D(-1, -1);
            g_world->worldSize = quenth::vec2(4096, 4096);
            g_hud = new DirectScene2D(-1, -1);
            g_fader = new Fader();
        }
        g_world->setCamera(nullptr);
        g_world->defaultCamera = Camera2D{640, 360, 1, 0};
        g_rand.init(1234);
        g_game = new Game();
        g_game->init();
    }

    // The game goes as a restart ends it: with everything it made.
    void TearDown() override { delete g_game; }

    // Game logic reads the game clock; the reticle and the fader read the
    // frame clock. Tests move both together.
    static void setTime(uint32_t ms) { quenth::Quenth::currentTime = quenth::GameClock::currentTime = ms; }
    static void advance(uint32_t ms) {
        setTime(quenth::GameClock::currentTime + ms);
        quenth::Quenth::sync = quenth::GameClock::sync = ms * 0.001f;
    }
    static void releaseAllInput() {
        quenth::Quenth::GEvent* e = quenth::Quenth::events;
        memset(e->keysNow, 0, sizeof e->keysNow);
        memset(e->keysPrev, 0, sizeof e->keysPrev);
        e->buttonsNow = e->buttonsPrev = 0;
        e->mouseNowX = e->mouseNowY = 0;
    }
    static void holdKey(int key) { quenth::Quenth::events->keysNow[key / 32] |= 1u << (key % 32); }
    static void holdButton(int b) { quenth::Quenth::events->buttonsNow |= 1u << b; }
    static void setMouse(int x, int y) {
        quenth::Quenth::events->mouseNowX = x;
        quenth::Quenth::events->mouseNowY = y;
    }
    // Puts the mouse where the world point shows under the world camera.
    static void aimAt(quenth::vec2 const& p) {
        quenth::vec2 s = g_world->worldToScreen(p);
        setMouse((int)s.x, (int)s.y);
    }
    // Whether d is a direct child of the world scene, and how often.
    static int countInWorld(Drawable* d) {
        int n = 0;
        for (Drawable* c = g_world->head; c; c = c->next)
            if (c == d) ++n;
        return n;
    }
};

#endif
