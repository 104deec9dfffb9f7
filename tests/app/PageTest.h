#ifndef VORLANE_TESTS_APP_PAGETEST_H
#define VORLANE_TESTS_APP_PAGETEST_H

#include "engine/core/Quenth.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/Surface.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "scene/DirectScene2D.h"

#include <gtest/gtest.h>

// A page's logic on a 1280 x 720 screen without a GL context: the test writes
// the input snapshot a frame would take into `ev`. Font sheets of 320 x 512
// give the big font's 32-pixel glyphs.
class PageTest : public ::testing::Test {
protected:
    quenth::Quenth::GEvent ev;               // this test's input state
    quenth::Quenth::GEvent* saved = nullptr; // the input state before the test

    void SetUp() override {
        saved = quenth::Quenth::events;
        quenth::Quenth::events = &ev;
        quenth::Quenth::width = 1280;
        quenth::Quenth::height = 720;
        if (!g_hud) g_hud = new DirectScene2D(-1, -1);
        if (!Resources::font_big) Resources::font_big = new quenth::Font(new quenth::Surface(320, 512));
        if (!Resources::font_medium) Resources::font_medium = new quenth::Font(new quenth::Surface(160, 256));
    }
    void TearDown() override { quenth::Quenth::events = saved; }
};

#endif
