#include "app/Menu.h"
#include "app/OptionsPage.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/Surface.h"
#include "game/base/Controls.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "game/base/Sounds.h"
#include "game/settings/Settings.h"
#include "scene/DirectScene2D.h"
#include "scene/Text.h"
#include "tests/support/RunDir.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstring>

using quenth::Quenth;

// The menus' logic on a 1280 x 720 screen without a GL context: the test
// writes the input snapshots a frame would take. Font sheets of 320 x 512
// give the big font's 32-pixel glyphs.
class MenuTest : public ::testing::Test {
protected:
    Quenth::GEvent ev;
    Quenth::GEvent* saved = nullptr;

    void SetUp() override {
        saved = Quenth::events;
        Quenth::events = &ev;
        Quenth::width = 1280;
        Quenth::height = 720;
        if (!g_hud) g_hud = new DirectScene2D(-1, -1);
        if (!Resources::font_big) Resources::font_big = new quenth::Font(new quenth::Surface(320, 512));
        if (!Resources::font_medium) Resources::font_medium = new quenth::Font(new quenth::Surface(160, 256));
    }
    void TearDown() override { Quenth::events = saved; }

    // One frame's input: the keys held now (each pressed this frame unless it
    // was held in the last), the pointer and the buttons.
    void frame(std::initializer_list<int> keys, int mx = -1, int my = -1, uint32_t buttons = 0) {
        memcpy(ev.keysPrev, ev.keysNow, sizeof ev.keysNow);
        memset(ev.keysNow, 0, sizeof ev.keysNow);
        for (int k : keys) ev.keysNow[k >> 5] |= 1u << (k & 31);
        ev.mousePrevX = ev.mouseNowX;
        ev.mousePrevY = ev.mouseNowY;
        if (mx >= 0) ev.mouseNowX = mx, ev.mouseNowY = my;
        ev.buttonsPrev = ev.buttonsNow;
        ev.buttonsNow = buttons;
    }
    int chosen = -1; // the item chosen in the frame of the last press()

    // A key pressed and let go: the event of the frame it went down.
    Menu::Event press(Menu& m, int key) {
        frame({key});
        Menu::Event e = m.update();
        chosen = m.chosenId;
        frame({});
        m.update();
        return e;
    }
    // Whether the menus' channels carry e (no device: the channel table
    // decides all the same); frees them after reading.
    static bool heard(SoundEffect e) {
        bool h = Sounds::table.find(e, Quenth::currentTime) >= 0;
        for (int c = 0; c < Sounds::table.channelCount; ++c) Sounds::table.release(c);
        return h;
    }
    static float rowCentre(Menu const& m, int i) {
        return (m.items.data[i].top + m.items.data[i].bottom) * 0.5f;
    }
};

TEST_F(MenuTest, KeysMoveRoundTheItemsAndChoose) {
    Menu m;
    m.addItem(10, "Play");
    m.addItem(20, "Options");
    m.addItem(30, "Quit");
    m.show();
    EXPECT_EQ(m.selectedId(), 10);
    heard(MENU_MOVE);
    EXPECT_EQ(press(m, SDLK_DOWN), Menu::NONE);
    EXPECT_EQ(m.selectedId(), 20);
    EXPECT_TRUE(heard(MENU_MOVE)) << "a move ticks";
    press(m, SDLK_s);
    press(m, SDLK_s);
    EXPECT_EQ(m.selectedId(), 10) << "Down does not wrap round";
    press(m, SDLK_UP);
    EXPECT_EQ(m.selectedId(), 30) << "Up does not wrap round";
    press(m, SDLK_HOME);
    EXPECT_EQ(m.selectedId(), 10);
    press(m, SDLK_END);
    EXPECT_EQ(m.selectedId(), 30);

    // A key held over frames moves once.
    frame({SDLK_w});
    m.update();
    frame({SDLK_w});
    m.update();
    EXPECT_EQ(m.selectedId(), 20);

    for (int k : {SDLK_RETURN, SDLK_SPACE, SDLK_KP_ENTER}) {
        EXPECT_EQ(press(m, k), Menu::CHOSEN) << k;
        EXPECT_EQ(chosen, 20);
        EXPECT_TRUE(heard(MENU_CHOOSE)) << "a choice chimes";
    }
    EXPECT_EQ(press(m, SDLK_ESCAPE), Menu::BACK);
    // Left and Right mean nothing to an item without a value.
    EXPECT_EQ(press(m, SDLK_RIGHT), Menu::NONE);
    EXPECT_EQ(m.selectedId(), 20);
    m.hide();
    EXPECT_EQ(g_hud->getNumDrawables(), 0u);
}

TEST_F(MenuTest, ThePointerSelectsWhenItMovesAndAClickChoosesTheItemUnderIt) {
    Menu m;
    m.addItem(1, "Resume");
    m.addItem(2, "Restart");
    m.addItem(3, "Quit game");
    // The pointer already rests on the last item when the page comes up.
    m.layout();
    frame({}, 640, (int)rowCentre(m, 2));
    m.show();
    frame({}, 640, (int)rowCentre(m, 2));
    m.update();
    EXPECT_EQ(m.selectedId(), 1) << "a resting pointer took the selection";
    // The items lie one below the other, each a row of the big font and its padding.
    EXPECT_LT(m.items[0].bottom, m.items[1].top + 1);
    EXPECT_GT(m.items[1].bottom - m.items[1].top, 32);

    frame({}, 700, (int)rowCentre(m, 1));
    m.update();
    EXPECT_EQ(m.selectedId(), 2);
    press(m, SDLK_DOWN);
    EXPECT_EQ(m.selectedId(), 3) << "the resting pointer took the selection back";
    // Beside the column the pointer is over nothing.
    frame({}, 20, (int)rowCentre(m, 0));
    m.update();
    EXPECT_EQ(m.selectedId(), 3);
    frame({}, 20, (int)rowCentre(m, 0), 1u << SDL_BUTTON_LEFT);
    EXPECT_EQ(m.update(), Menu::NONE);

    // A click on the first item chooses it, wherever the keys left the selection.
    frame({}, 640, (int)rowCentre(m, 0));
    m.update();
    press(m, SDLK_END);
    frame({}, 640, (int)rowCentre(m, 0), 1u << SDL_BUTTON_LEFT);
    EXPECT_EQ(m.update(), Menu::CHOSEN);
    EXPECT_EQ(m.chosenId, 1);
    frame({}, 640, (int)rowCentre(m, 0), 1u << SDL_BUTTON_LEFT);
    EXPECT_EQ(m.update(), Menu::NONE) << "a held button chose again";
}

class OptionsPageTest : public MenuTest {
protected:
    testsupport::RunDir dir{0};
    Settings settings; // this run's
    Settings file;     // the player's file

    void SetUp() override {
        MenuTest::SetUp();
        file.path = dir.file("vorlane.conf");
    }
    void TearDown() override {
        OptionsPage::applyKeys(Settings());
        MenuTest::TearDown();
    }
};

TEST_F(OptionsPageTest, ValuesStepWithinTheirRangesAndAreSavedAtOnce) {
    OptionsPage page(&settings, &file);
    page.menu.show();
    page.menu.select(OptionsPage::MUSIC);
    frame({SDLK_RIGHT});
    EXPECT_EQ(page.update(), OptionsPage::MUSIC_CHANGED);
    EXPECT_EQ(settings.musicVolume, 80);
    EXPECT_NE(dir.read("vorlane.conf").find("music_volume = 80\n"), std::string::npos);
    EXPECT_STREQ(page.menu.items[page.menu.indexOf(OptionsPage::MUSIC)].value->text.getCString(), "80%");

    // Volumes go in tens from wherever they are, and stop at 0 and 100.
    settings.musicVolume = 75;
    EXPECT_EQ(page.change(OptionsPage::MUSIC, -1), OptionsPage::MUSIC_CHANGED);
    EXPECT_EQ(settings.musicVolume, 70);
    settings.effectsVolume = 100;
    EXPECT_EQ(page.change(OptionsPage::EFFECTS, 1), OptionsPage::STAY);
    settings.effectsVolume = 3;
    EXPECT_EQ(page.change(OptionsPage::EFFECTS, -1), OptionsPage::EFFECTS_CHANGED);
    EXPECT_EQ(settings.effectsVolume, 0);

    // Window sizes step through the list, also from a size of the player's own.
    settings.windowWidth = 1000;
    settings.windowHeight = 700;
    EXPECT_EQ(page.change(OptionsPage::WINDOW_SIZE, 1), OptionsPage::DISPLAY_CHANGED);
    EXPECT_EQ(settings.value(Settings::WINDOW_SIZE), "1024x768");
    page.change(OptionsPage::WINDOW_SIZE, -1);
    EXPECT_EQ(settings.value(Settings::WINDOW_SIZE), "800x600");
    settings.windowWidth = 2560;
    settings.windowHeight = 1440;
    EXPECT_EQ(page.change(OptionsPage::WINDOW_SIZE, 1), OptionsPage::STAY);

    // A display that cannot be set is taken back, said so and not saved.
    static int applied;
    applied = 0;
    page.applyDisplay = [](Settings const&) { return ++applied > 1; };
    EXPECT_EQ(page.change(OptionsPage::DISPLAY, 1), OptionsPage::STAY);
    EXPECT_EQ(settings.display, DISPLAY_DESKTOP);
    EXPECT_TRUE(page.displayFailed);
    EXPECT_EQ(dir.read("vorlane.conf").find("display ="), std::string::npos);
    EXPECT_EQ(page.change(OptionsPage::DISPLAY, 1), OptionsPage::DISPLAY_CHANGED);
    EXPECT_EQ(settings.display, DISPLAY_WINDOW);
    EXPECT_FALSE(page.displayFailed);
    EXPECT_EQ(applied, 2);

    // Display and difficulty go round; Return steps forward.
    page.change(OptionsPage::DISPLAY, -1);
    page.change(OptionsPage::DISPLAY, -1);
    EXPECT_EQ(settings.display, DISPLAY_FULLSCREEN);
    page.change(OptionsPage::DIFFICULTY, 1);
    page.change(OptionsPage::DIFFICULTY, 1);
    EXPECT_EQ(settings.difficulty, DIFFICULTY_EASY);
    page.menu.select(OptionsPage::DIFFICULTY);
    frame({SDLK_RETURN});
    page.update();
    EXPECT_EQ(settings.difficulty, DIFFICULTY_NORMAL);
    std::string conf = dir.read("vorlane.conf");
    EXPECT_NE(conf.find("display = fullscreen\n"), std::string::npos) << conf;
    EXPECT_NE(conf.find("difficulty = normal\n"), std::string::npos) << conf;
}

// The command line's choices for this run stay out of the file: a change
// saves the option changed, nothing else the run differs in.
TEST_F(OptionsPageTest, AChangeSavesThatOptionAloneNotTheRunsOverrides) {
    settings.display = DISPLAY_WINDOW;
    settings.windowWidth = 800;
    settings.windowHeight = 600;
    settings.difficulty = DIFFICULTY_HARD;
    OptionsPage page(&settings, &file);
    page.change(OptionsPage::MUSIC, -1);
    std::string conf = dir.read("vorlane.conf");
    EXPECT_NE(conf.find("music_volume = 60\n"), std::string::npos) << conf;
    EXPECT_EQ(conf.find("display"), std::string::npos) << conf;
    EXPECT_EQ(conf.find("window_size"), std::string::npos) << conf;
    EXPECT_EQ(conf.find("difficulty"), std::string::npos) << conf;
    EXPECT_EQ(file.display, DISPLAY_DESKTOP);
}

TEST_F(OptionsPageTest, AThrustKeyIsBoundToTheNextKeyAndTakesItFromAnotherDirection) {
    OptionsPage page(&settings, &file);
    page.menu.show();
    page.menu.select(OptionsPage::KEY_UP);
    frame({SDLK_RETURN});
    EXPECT_EQ(page.update(), OptionsPage::STAY);
    EXPECT_EQ(page.capturing, OptionsPage::KEY_UP);
    // Keys the game keeps for itself are not taken; Escape keeps the old key.
    frame({SDLK_p});
    EXPECT_EQ(page.update(), OptionsPage::STAY);
    frame({SDLK_F1});
    page.update();
    EXPECT_EQ(settings.keyUp, SDLK_w);
    frame({SDLK_s});
    EXPECT_EQ(page.update(), OptionsPage::KEYS_CHANGED);
    EXPECT_EQ(page.capturing, -1);
    EXPECT_EQ(settings.keyUp, SDLK_s);
    EXPECT_EQ(settings.keyDown, SDLK_w) << "S stayed bound to two directions";
    EXPECT_EQ(g_controls.keyUp, SDLK_s);
    EXPECT_EQ(g_controls.keyDown, SDLK_w);
    EXPECT_NE(dir.read("vorlane.conf").find("key_up = s\n"), std::string::npos);

    page.menu.select(OptionsPage::KEY_LEFT);
    frame({SDLK_RETURN});
    page.update();
    frame({SDLK_ESCAPE});
    EXPECT_EQ(page.update(), OptionsPage::STAY);
    EXPECT_EQ(page.capturing, -1);
    EXPECT_EQ(settings.keyLeft, SDLK_a);
    frame({});
    page.update();
    frame({SDLK_ESCAPE});
    EXPECT_EQ(page.update(), OptionsPage::LEAVE);
}
