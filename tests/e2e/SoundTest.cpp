// The game's sound as SDL's "disk" audio driver records it (16-bit frames, a
// buffer every SDL_DISKAUDIODELAY ms), with the volumes read from a config
// file of the test's own.

#include "tests/support/E2ETest.h"

#include <cstdint>
#include <string>

using testsupport::E2ETest;
using testsupport::GameProcess;
using testsupport::RunDir;

namespace {

// Loudest sample, 0-32768, the recording holds in bytes [from, to).
int peak(std::string const& raw, long from, long to) {
    int loudest = 0;
    for (long i = from & ~1L; i + 1 < to && i + 1 < (long)raw.size(); i += 2) {
        int s = (int16_t)(uint16_t)((uint8_t)raw[i] | (uint8_t)raw[i + 1] << 8);
        if (s < 0) s = -s;
        if (s > loudest) loudest = s;
    }
    return loudest;
}

class SoundTest : public E2ETest {
protected:
    // Loudest sample and length in bytes of three stretches of one run.
    struct Takes {
        int title, game, shot;
        long titleBytes, gameBytes, shotBytes;
    };

    // A second of the title page, a second of the game before anything
    // happens in it, and a second from a click of the plasma gun on, well
    // before the first wave. The config file sets the two volumes.
    Takes play(int musicVolume, int effectsVolume) {
        Takes t = {};
        RunDir& dir = runDir();
        dir.write("config/vorlane/vorlane.conf", "music_volume = " + std::to_string(musicVolume) +
                                                     "\neffects_volume = " + std::to_string(effectsVolume) +
                                                     "\n");
        GameProcess& g =
            start({"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIODELAY=20",
                   "SDL_DISKAUDIOFILE=" + dir.file("audio.raw"), "XDG_CONFIG_HOME=" + dir.file("config")});
        EXPECT_TRUE(g.waitForStart());
        EXPECT_TRUE(testsupport::waitUntil([&] { return dir.size("audio.raw") > 0; }, 5000));
        EXPECT_TRUE(g.mouseMove(900, 200)); // aim away from the ship

        long a = dir.size("audio.raw");
        testsupport::sleepMs(1000);
        long b = dir.size("audio.raw");
        EXPECT_TRUE(g.key("Return"));
        testsupport::sleepMs(1700); // the fade to black and into the game
        long c = dir.size("audio.raw");
        testsupport::sleepMs(1000);
        long d = dir.size("audio.raw");
        EXPECT_TRUE(g.click(1));
        testsupport::sleepMs(1000);
        long e = dir.size("audio.raw");
        EXPECT_TRUE(g.running());
        std::string raw = dir.read("audio.raw");
        t = Takes{peak(raw, a, b), peak(raw, c, d), peak(raw, d, e), b - a, d - c, e - d};
        g.key("Escape");
        EXPECT_TRUE(g.waitExit(10000));
        return t;
    }

    // Each stretch recorded at least half a second of sound (4 bytes a frame at 44.1 kHz).
    static void expectRecorded(Takes const& t) {
        EXPECT_GT(t.titleBytes, 88200);
        EXPECT_GT(t.gameBytes, 88200);
        EXPECT_GT(t.shotBytes, 88200);
    }
};

TEST_F(SoundTest, WithTheMusicAtZeroOnlyThePlasmaShotIsHeard) {
    Takes t = play(0, 80);
    expectRecorded(t);
    EXPECT_EQ(t.title, 0) << "sound on the title page";
    EXPECT_EQ(t.game, 0) << "the music is heard at volume 0";
    EXPECT_GT(t.shot, 2000) << "the plasma shot is not heard";
}

TEST_F(SoundTest, WithTheEffectsAtZeroThePlasmaShotIsSilent) {
    Takes t = play(0, 0);
    expectRecorded(t);
    EXPECT_EQ(t.game, 0);
    EXPECT_EQ(t.shot, 0) << "an effect is heard at volume 0";
}

} // namespace
