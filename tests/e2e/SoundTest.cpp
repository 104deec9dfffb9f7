// The game's sound as SDL's "disk" audio driver records it (16-bit samples,
// a buffer every SDL_DISKAUDIODELAY ms), with the volumes read from a config
// file of the test's own.

#include "tests/support/E2ETest.h"

#include <algorithm>
#include <cstdint>
#include <string>

using testsupport::E2ETest;
using testsupport::RunDir;

namespace {

class SoundTest : public E2ETest {
protected:
    // Loudest sample (0-32768) of a second of the title page, a second of the
    // game before anything happens in it (through the menu, whose sounds are
    // effects too), and a second from a click of the plasma gun on, well
    // before the first wave.
    int titlePeak = -1, playPeak = -1, shotPeak = -1;

    void play(int musicVolume, int effectsVolume) {
        RunDir& dir = runDir();
        dir.write("config/vorlane/vorlane.conf", "music_volume = " + std::to_string(musicVolume) +
                                                     "\neffects_volume = " + std::to_string(effectsVolume) +
                                                     "\n");
        start({"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIODELAY=20", "SDL_DISKAUDIOFILE=" + dir.file("audio.raw"),
               "XDG_CONFIG_HOME=" + dir.file("config")});
        ASSERT_TRUE(game->waitForStart());
        ASSERT_TRUE(testsupport::waitUntil([&] { return dir.size("audio.raw") > 0; }, 5000));
        ASSERT_TRUE(game->mouseMove(900, 200)); // aim away from the ship
        long marks[6];
        marks[0] = dir.size("audio.raw");
        testsupport::sleepMs(1000);
        marks[1] = dir.size("audio.raw");
        ASSERT_TRUE(enterGame());
        testsupport::sleepMs(1500); // the fade into the game and the first ship's grow-in sound
        marks[2] = dir.size("audio.raw");
        testsupport::sleepMs(1000);
        marks[3] = marks[4] = dir.size("audio.raw");
        ASSERT_TRUE(game->click(1));
        testsupport::sleepMs(1000);
        marks[5] = dir.size("audio.raw");
        ASSERT_TRUE(game->running());
        std::string raw = dir.read("audio.raw");
        int* takes[3] = {&titlePeak, &playPeak, &shotPeak};
        for (int t = 0; t < 3; ++t) {
            long from = marks[2 * t] & ~1L, to = marks[2 * t + 1];
            // At least half a second of sound (4 bytes a frame at 44.1 kHz).
            EXPECT_GT(to - from, 88200) << "stretch " << t;
            *takes[t] = 0;
            for (long i = from; i + 1 < to && i + 1 < (long)raw.size(); i += 2) {
                int s = (int16_t)(uint16_t)((uint8_t)raw[i] | (uint8_t)raw[i + 1] << 8);
                *takes[t] = std::max(*takes[t], s < 0 ? -s : s);
            }
        }
        EXPECT_TRUE(quitFromPlay());
        EXPECT_TRUE(game->waitExit(10000));
    }
};

TEST_F(SoundTest, WithTheMusicAtZeroOnlyThePlasmaShotIsHeard) {
    play(0, 80);
    EXPECT_EQ(titlePeak, 0) << "sound on the title page";
    EXPECT_EQ(playPeak, 0) << "the music is heard at volume 0";
    EXPECT_GT(shotPeak, 2000) << "the plasma shot is not heard";
}

TEST_F(SoundTest, WithTheEffectsAtZeroThePlasmaShotIsSilent) {
    play(0, 0);
    EXPECT_EQ(playPeak, 0);
    EXPECT_EQ(shotPeak, 0) << "an effect is heard at volume 0";
}

} // namespace
