#include "game/settings/Settings.h"
#include "game/settings/KeyNames.h"
#include "tests/support/GLContext.h"
#include "tests/support/RunDir.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using testsupport::RunDir;

static int countLines(std::string const& s) {
    int n = 0;
    for (char c : s) n += c == '\n';
    return n;
}

// A record with every option away from its default.
static void changeAll(Settings& s) {
    s.display = DISPLAY_WINDOW;
    s.windowWidth = 1920;
    s.windowHeight = 1080;
    s.musicVolume = 0;
    s.effectsVolume = 100;
    s.difficulty = DIFFICULTY_HARD;
    s.keyUp = SDLK_UP;
    s.keyDown = SDLK_KP5;
    s.keyLeft = SDLK_LSHIFT;
    s.keyRight = SDLK_SPACE;
}

TEST(Settings, DefaultsAndWhereTheFileLives) {
    Settings s;
    EXPECT_EQ(s.display, DISPLAY_DESKTOP);
    EXPECT_EQ(s.value(Settings::WINDOW_SIZE), "1280x720");
    EXPECT_EQ(s.musicVolume, 70);
    EXPECT_EQ(s.effectsVolume, 80);
    EXPECT_EQ(s.difficulty, DIFFICULTY_NORMAL);
    EXPECT_EQ(s.value(Settings::KEY_UP) + s.value(Settings::KEY_DOWN) + s.value(Settings::KEY_LEFT) +
                  s.value(Settings::KEY_RIGHT),
              "wsad");
    setenv("XDG_CONFIG_HOME", "/etc/xdg-jo", 1);
    EXPECT_EQ(Settings::defaultPath(), "/etc/xdg-jo/vorlane/vorlane.conf");
}

TEST(Settings, ReadsEveryKeyAndWarnsOncePerBadLine) {
    RunDir dir(0);
    dir.write("vorlane.conf", "# mine\n"
                              "display = Window\n"
                              "  window_size=1920x1080  \r\n"
                              "music_volume = 0\n"
                              "effects_volume = 100\n"
                              "difficulty = hard\n"
                              "key_up = Up\n"
                              "key_down = [5]\n"
                              "key_left = left shift\n"
                              "key_right = space\n"
                              "future_option = 3\n");
    Settings expected;
    changeAll(expected);
    Settings s;
    CaptureStderr();
    s.load(dir.file("vorlane.conf"));
    EXPECT_EQ(GetCapturedStderr(), "");
    for (int k = 0; k < Settings::keyCount; ++k)
        EXPECT_EQ(s.value((Settings::Key)k), expected.value((Settings::Key)k)) << Settings::keyNames[k];

    // Each bad value falls back to its default alone, with one line naming file and line.
    dir.write("vorlane.conf", "display = huge\n"
                              "music_volume = 30\n"
                              "window_size = 100x100\n"
                              "effects_volume = 101\n"
                              "difficulty = brutal\n"
                              "key_up = escape\n"
                              "key_down = no such key\n"
                              "just words\n"
                              "key_left = j\n"
                              "window_size = 640x480\n");
    CaptureStderr();
    s.load(dir.file("vorlane.conf"));
    std::string err = GetCapturedStderr();
    EXPECT_EQ(countLines(err), 7) << err;
    for (char const* where : {":1:", ":3:", ":4:", ":5:", ":6:", ":7:", ":8:"})
        EXPECT_NE(err.find(dir.file("vorlane.conf") + where), std::string::npos) << where << "\n" << err;
    EXPECT_EQ(s.display, DISPLAY_DESKTOP);
    EXPECT_EQ(s.musicVolume, 30);
    EXPECT_EQ(s.effectsVolume, 80);
    EXPECT_EQ(s.difficulty, DIFFICULTY_NORMAL);
    EXPECT_EQ(s.keyUp, SDLK_w);
    EXPECT_EQ(s.keyDown, SDLK_s);
    EXPECT_EQ(s.keyLeft, SDLK_j);
    EXPECT_EQ(s.value(Settings::WINDOW_SIZE), "640x480");
}

TEST(Settings, UnusableFilesGiveDefaultsWithOneWarningAndAreKeptAside) {
    RunDir dir(0);
    std::string binary("music_volume = 5\n\0\x01\x02", 20);
    std::string huge = "music_volume = 5\n" + std::string(70000, '#') + "\n";
    for (std::string const& bytes : {binary, huge}) {
        dir.write("vorlane.conf", bytes);
        Settings s;
        CaptureStderr();
        s.load(dir.file("vorlane.conf"));
        std::string err = GetCapturedStderr();
        EXPECT_EQ(countLines(err), 1) << err;
        EXPECT_EQ(s.musicVolume, 70);
        // Saving a change puts the player's file aside first.
        s.musicVolume = 20;
        CaptureStderr();
        EXPECT_TRUE(s.save());
        GetCapturedStderr();
        EXPECT_EQ(dir.read("vorlane.conf.bad"), bytes);
        EXPECT_EQ(unlink(dir.file("vorlane.conf.bad").c_str()), 0);
        Settings again;
        again.load(dir.file("vorlane.conf"));
        EXPECT_EQ(again.musicVolume, 20);
    }
    // A directory where the file should be cannot be read.
    Settings s;
    CaptureStderr();
    s.load(dir.path());
    EXPECT_EQ(countLines(GetCapturedStderr()), 1);
    EXPECT_EQ(s.effectsVolume, 80);
}

TEST(Settings, SavesOnlyChangesKeepingOtherLinesInPlace) {
    RunDir dir(0);
    std::string path = dir.file("cfg/vorlane/vorlane.conf");
    Settings s;
    s.load(path);
    EXPECT_TRUE(s.save());
    EXPECT_FALSE(dir.exists("cfg")) << "nothing changed, nothing written";

    dir.write("cfg/vorlane/vorlane.conf", "# my settings\n"
                                          "music_volume = 50\n"
                                          "mystery = 1\n"
                                          "difficulty = brutal\n"
                                          "\n"
                                          "effects_volume = 10\n");
    CaptureStderr();
    s.load(path);
    GetCapturedStderr();
    s.musicVolume = 55;
    s.keyUp = SDLK_i;
    ASSERT_TRUE(s.save());
    EXPECT_EQ(dir.read("cfg/vorlane/vorlane.conf"), "# my settings\n"
                                                    "music_volume = 55\n"
                                                    "mystery = 1\n"
                                                    "difficulty = brutal\n"
                                                    "\n"
                                                    "effects_volume = 10\n"
                                                    "key_up = i\n");
    Settings fresh;
    changeAll(fresh);
    fresh.path = dir.file("new/vorlane.conf");
    ASSERT_TRUE(fresh.save());
    Settings back;
    back.load(fresh.path);
    for (int k = 0; k < Settings::keyCount; ++k)
        EXPECT_EQ(back.value((Settings::Key)k), fresh.value((Settings::Key)k)) << Settings::keyNames[k];
}

TEST(Settings, UnwritablePlaceKeepsOptionsForTheRunWithOneWarning) {
    RunDir dir(0);
    dir.write("plain", "x");
    Settings s;
    s.load(dir.file("plain/vorlane/vorlane.conf"));
    s.musicVolume = 10;
    CaptureStderr();
    EXPECT_FALSE(s.save());
    s.effectsVolume = 20;
    EXPECT_FALSE(s.save());
    std::string err = GetCapturedStderr();
    EXPECT_EQ(countLines(err), 1) << err;
    EXPECT_NE(err.find(dir.file("plain/vorlane/vorlane.conf")), std::string::npos) << err;
    EXPECT_EQ(s.musicVolume, 10);
    EXPECT_EQ(s.effectsVolume, 20);
}

// The game's own table must match what SDL calls each key once its video runs.
TEST(KeyNames, MatchSDLsNames) {
    testsupport::startSDLVideo();
    ASSERT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u) << SDL_GetError();
    for (int i = 0; i < KeyNames::count; ++i) {
        KeyNames::Entry const& e = KeyNames::table[i];
        std::string sdl = SDL_GetKeyName(e.key);
        // sdl12-compat (1.2.60) misnames the semicolon ");"; the classic library says ";".
        if (e.key == SDLK_SEMICOLON && sdl == ");") sdl = ";";
        EXPECT_EQ(sdl, e.name);
        EXPECT_EQ(KeyNames::key(e.name), e.key) << e.name;
        EXPECT_STREQ(KeyNames::name(e.key), e.name);
    }
    EXPECT_EQ(KeyNames::key("Left Shift"), SDLK_LSHIFT);
    EXPECT_EQ(KeyNames::key("shift"), SDLK_UNKNOWN);
    EXPECT_FALSE(KeyNames::bindable(SDLK_ESCAPE));
    EXPECT_TRUE(KeyNames::bindable(SDLK_KP8));
    SDL_Quit();
}
