#include "tests/support/E2ETest.h"

using testsupport::E2ETest;
using testsupport::GameProcess;
using testsupport::RunDir;

namespace {

TEST_F(E2ETest, WithoutADisplayOneErrorLineAndStatusOne) {
    GameProcess& game = start({}, false);
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 1);
    std::string err = game.err();
    EXPECT_EQ(err.rfind("Error opening the window: ", 0), 0u) << err;
    // Exactly one line.
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    EXPECT_EQ(game.out().find("Used texture memory"), std::string::npos);
}

TEST_F(E2ETest, WithoutAnAudioDeviceTheGameRunsSilentAndQuits) {
    // Neither a sound card nor a sound server exists here; force the ALSA
    // driver so that a host with sound cannot make this pass by accident.
    GameProcess& game = start({"SDL_AUDIODRIVER=alsa", "ALSA_CONFIG_PATH=/dev/null"});
    ASSERT_TRUE(game.waitForStart());
    // Through the menu (the music would start there) into the game, then out again.
    ASSERT_TRUE(enterGameBlind());
    ASSERT_TRUE(quitFromPlay());
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);
}

TEST_F(E2ETest, WithADummyAudioDeviceTheMusicPathRuns) {
    RunDir& dir = runDir(RunDir::GFX | RunDir::SHADERS);
    if (!dir.copyFromBuild("sfx/music1.ogg")) GTEST_SKIP() << "no sfx/music1.ogg in the build";
    GameProcess& game = start({"SDL_AUDIODRIVER=dummy"});
    ASSERT_TRUE(game.waitForStart());
    ASSERT_TRUE(enterGameBlind());
    ASSERT_TRUE(quitFromPlay());
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);
}

// SDL's "disk" audio driver writes the mixed sound to a file (a buffer every
// SDL_DISKAUDIODELAY ms): the music is heard from the main menu on, and not
// on the title page.
bool anySound(std::string const& raw) {
    for (char c : raw)
        if (c != 0) return true;
    return false;
}

TEST_F(E2ETest, MusicPlaysFromTheMainMenuOn) {
    RunDir& dir = runDir(RunDir::GFX | RunDir::SHADERS);
    if (!dir.copyFromBuild("sfx/music1.ogg")) GTEST_SKIP() << "no sfx/music1.ogg in the build";
    GameProcess& game = start(
        {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIODELAY=20", "SDL_DISKAUDIOFILE=" + dir.file("audio.raw")});
    ASSERT_TRUE(game.waitForStart());
    // The title is silent.
    ASSERT_TRUE(testsupport::waitUntil([&] { return dir.size("audio.raw") > 200000; }, 10000));
    EXPECT_FALSE(anySound(dir.read("audio.raw")));
    ASSERT_TRUE(game.key("Return"));
    EXPECT_TRUE(testsupport::waitUntil([&] { return anySound(dir.read("audio.raw")); }, 8000, 100))
        << "no music after the title page";
    // Escape on the main menu quits once the menu has faded in.
    testsupport::sleepMs(700);
    game.key("Escape");
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);
}

TEST_F(E2ETest, ACorruptMusicFileLeavesTheGameSilent) {
    RunDir& dir = runDir(RunDir::GFX | RunDir::SHADERS);
    dir.write("sfx/music1.ogg", std::string("OggS") + std::string(5000, '\x5a'));
    GameProcess& game = start(
        {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIODELAY=20", "SDL_DISKAUDIOFILE=" + dir.file("audio.raw")});
    ASSERT_TRUE(game.waitForStart());
    ASSERT_TRUE(enterGameBlind());
    // Well into the game, with the audio device running all along.
    long before = 0;
    ASSERT_TRUE(testsupport::waitUntil([&] { return dir.size("audio.raw") > 0; }, 5000));
    testsupport::sleepMs(2500);
    before = dir.size("audio.raw");
    ASSERT_TRUE(testsupport::waitUntil([&] { return dir.size("audio.raw") > before; }, 5000));
    ASSERT_TRUE(game.running());
    EXPECT_FALSE(anySound(dir.read("audio.raw")));
    ASSERT_TRUE(quitFromPlay());
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);
}

} // namespace
