#include <gtest/gtest.h>

#include "app/Apology.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/Surface.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "scene/DirectScene2D.h"
#include "scene/Text.h"

// The title page is built in the HUD scene without a GL context: a 256 x 256
// font sheet gives glyphs 16 pixels high and 16 wide.
class ApologyTest : public ::testing::Test {
protected:
    void SetUp() override {
        quenth::Quenth::width = 1280;
        quenth::Quenth::height = 720;
        if (!g_hud) g_hud = new DirectScene2D(-1, -1);
        if (!Resources::font_medium) Resources::font_medium = new quenth::Font(new quenth::Surface(256, 256));
    }
};

TEST_F(ApologyTest, ThirteenLinesCentredBelowEachOther) {
    Apology* page = new Apology();
    ASSERT_EQ(page->drawables.count, 13u);
    EXPECT_EQ(g_hud->getNumDrawables(), 13u);
    const float h = 16;
    // Tops: 25, 34 + h, 78 + 2h, 87 + 3h, ... with the extra gaps above lines 3, 8, 11 and 12.
    const float tops[13] = {25,           34 + h,       78 + 2 * h,  87 + 3 * h,  96 + 4 * h,
                            105 + 5 * h,  114 + 6 * h,  148 + 7 * h, 157 + 8 * h, 166 + 9 * h,
                            210 + 10 * h, 254 + 11 * h, 263 + 12 * h};
    for (unsigned i = 0; i < 13; ++i) {
        Text* t = static_cast<Text*>(page->drawables[i]);
        quenth::vec2 pos, ext;
        t->getBounds(pos, ext);
        EXPECT_FLOAT_EQ(pos.y, tops[i]) << "line " << i + 1;
        if (i == 10) {
            EXPECT_FLOAT_EQ(pos.x, 640) << "the signature starts at the centre";
        } else {
            EXPECT_FLOAT_EQ(pos.x + ext.x * 0.5f, 640) << "line " << i + 1;
        }
    }
    EXPECT_STREQ(static_cast<Text*>(page->drawables[0])->text.getCString(), "Vorlane");
    EXPECT_STREQ(static_cast<Text*>(page->drawables[10])->text.getCString(), "-- Tarnwick --");
    EXPECT_STREQ(static_cast<Text*>(page->drawables[12])->text.getCString(),
                 "But we're losing with our boots on.");

    // What main does when the game begins: clear the scene, delete the texts, then the page.
    g_hud->clear();
    for (unsigned i = 0; i < page->drawables.count; ++i) delete page->drawables[i];
    page->drawables.clear();
    delete page;
    EXPECT_EQ(g_hud->getNumDrawables(), 0u);
}
