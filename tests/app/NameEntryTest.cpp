#include "app/NameEntry.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/Surface.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "scene/DirectScene2D.h"
#include "scene/Text.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <string>

using quenth::Quenth;

namespace {

// The name field without a window: the test types through the input state's
// ring as the event thread would, one frame at a time.
class NameEntryTest : public ::testing::Test {
protected:
    Quenth::GEvent ev;
    Quenth::GEvent* saved = nullptr;
    NameEntry entry;

    void SetUp() override {
        saved = Quenth::events;
        Quenth::events = &ev;
        Quenth::width = 1280;
        Quenth::height = 720;
        if (!g_hud) g_hud = new DirectScene2D(-1, -1);
        if (!Resources::font_big) Resources::font_big = new quenth::Font(new quenth::Surface(320, 512));
        if (!Resources::font_medium) Resources::font_medium = new quenth::Font(new quenth::Surface(160, 256));
        Quenth::textInput(true);
    }
    void TearDown() override {
        Quenth::textInput(false);
        Quenth::events = saved;
    }

    // One frame in which text was typed and the keys held.
    NameEntry::Result frame(std::string const& text, std::initializer_list<int> keys = {}) {
        for (char c : text) ev.type(c);
        for (auto& w : ev.keysLive) w.store(0);
        for (int k : keys) ev.keysLive[k >> 5].fetch_or(1u << (k & 31));
        ev.update();
        return entry.update();
    }
    std::string field() const { return entry.page.lines[entry.page.lines.count - 1]->text.getCString(); }
};

TEST_F(NameEntryTest, TypingAndBackspaceEditTheFieldUpToSixteenCharactersAndReturnEnds) {
    entry.begin("Score 275   Wave 1   Kills 5", "tester");
    entry.page.show();
    EXPECT_EQ(field(), "> tester_");
    EXPECT_EQ(entry.page.markedLine, (int)entry.page.lines.count - 1) << "the field is not marked";
    EXPECT_EQ(frame(""), NameEntry::TYPING);
    // More Backspace than characters leaves an empty field.
    EXPECT_EQ(frame(std::string(8, '\b')), NameEntry::CHANGED);
    EXPECT_EQ(field(), "> _");
    EXPECT_EQ(frame("Ace Pilox\b"), NameEntry::CHANGED);
    // Bytes the fonts do not draw are not taken.
    frame("\t\x01\x7f\xe9t");
    EXPECT_STREQ(entry.name, "Ace Pilot");
    frame(" of the Lanes and more");
    EXPECT_EQ(entry.length, (int)ScoreEntry::nameMax);
    EXPECT_STREQ(entry.name, "Ace Pilot of the");
    // Return ends the field; what follows it in the same frame is not typed.
    EXPECT_EQ(frame("\rxyz"), NameEntry::DONE);
    EXPECT_EQ(entry.result(), "Ace Pilot of the");
    entry.page.hide();
}

TEST_F(NameEntryTest, TheNameKeptIsTrimmedAndABlankFieldKeepsTheDefault) {
    // A default longer than the field is cut to it.
    entry.begin("", "a_login_name_of_twenty");
    EXPECT_STREQ(entry.name, "a_login_name_of_");
    frame(std::string(16, '\b') + "  ");
    EXPECT_EQ(frame("", {SDLK_RETURN}), NameEntry::DONE);
    EXPECT_EQ(entry.result(), "a_login_name_of_");

    entry.begin("", "\x01\x02");
    EXPECT_STREQ(entry.name, "");
    EXPECT_EQ(frame(""), NameEntry::TYPING) << "Return still held is no new press";
    EXPECT_EQ(frame("\r"), NameEntry::DONE);
    EXPECT_EQ(entry.result(), "Pilot");
    frame("  Jo  ");
    EXPECT_EQ(frame("", {SDLK_ESCAPE}), NameEntry::DONE) << "Escape must not throw the score away";
    EXPECT_EQ(entry.result(), "Jo");
}

} // namespace
