#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cmath>
#include <cstdlib>

#include "engine/audio/ChannelTable.h"
#include "engine/audio/Mixer.h"

using quenth::ChannelTable;
using quenth::Mixer;

// SDL's null audio device stands in for a sound card.
TEST(MixerTest, NothingWithoutADeviceThenPannedCopiesOfPlacedSounds) {
    ChannelTable table;
    table.addGroup(3);
    EXPECT_FALSE(Mixer::start(table));
    EXPECT_EQ(Mixer::load(0, "sfx/enemy_shot.wav", true), 0u);
    Mixer::play(0, 0, 4, false, 1); // silently nothing

    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    ASSERT_TRUE(Mixer::start(table));
    EXPECT_EQ(Mix_AllocateChannels(-1), 3);
    EXPECT_NEAR((double)Mixer::load(0, "sfx/enemy_shot.wav", true), 180, 30);
    EXPECT_EQ(Mixer::load(1, "sfx/no_such_sound.wav", true), 0u);

    // The middle is the file on both sides; the far side falls to 0.2 at a
    // hard pan and to 0.6 half way.
    Sint16 const* mid = (Sint16 const*)Mixer::chunks[0][4]->abuf;
    Sint16 const* hardLeft = (Sint16 const*)Mixer::chunks[0][0]->abuf;
    Sint16 const* halfLeft = (Sint16 const*)Mixer::chunks[0][2]->abuf;
    Sint16 const* hardRight = (Sint16 const*)Mixer::chunks[0][8]->abuf;
    ASSERT_EQ(Mixer::chunks[0][0]->alen, Mixer::chunks[0][4]->alen);
    int loud = 0;
    for (Uint32 i = 0; i < Mixer::chunks[0][4]->alen / 2; i += 2) {
        ASSERT_EQ(mid[i], mid[i + 1]) << "sample " << i;
        ASSERT_EQ(hardLeft[i], mid[i]);
        ASSERT_NEAR(hardLeft[i + 1], 0.2 * mid[i], 1.0);
        ASSERT_NEAR(halfLeft[i + 1], 0.6 * mid[i], 1.0);
        ASSERT_NEAR(hardRight[i], 0.2 * mid[i], 1.0);
        ASSERT_EQ(hardRight[i + 1], mid[i]);
        if (std::abs(mid[i]) > 1000) ++loud;
    }
    EXPECT_GT(loud, 100) << "the sound is not silence";
    EXPECT_EQ(Mixer::panStep(0.3f), 5);

    // Everything is mixed 6 dB low for the limiter to make up.
    Mixer::play(1, 0, 8, false, 0.5f);
    EXPECT_TRUE(Mix_Playing(1));
    EXPECT_EQ(Mix_Volume(1, -1), 32);
    Mixer::setMusicVolume(0.7f);
    EXPECT_EQ(Mix_VolumeMusic(-1), 45);
    Mixer::play(0, 1, 4, false, 1); // a sound that did not load stays silent
    EXPECT_FALSE(Mix_Playing(0));
    Mix_CloseAudio();
}

TEST(MixerTest, TheLimiterMakesUpTheMixAndHoldsItsPeaksUnderTheCeiling) {
    Mixer::frequency = 44100;
    Mixer::mixLevel = 0.5f;
    Mixer::limiterGain = 1;
    const int frames = 8820; // 200 ms
    static int16_t block[2 * frames];
    for (int i = 0; i < 2 * frames; ++i) block[i] = (int16_t)(i % 2 ? -10000 : 10000);
    Mixer::limit(block, 2 * frames);
    for (int i = 0; i < 2 * frames; ++i) ASSERT_EQ(block[i], i % 2 ? -20000 : 20000) << "sample " << i;

    // 10 ms three times over the ceiling on the left, then quiet again.
    int top = (int)(Mixer::ceiling * 32767) + 1;
    for (int f = 0; f < frames; ++f) {
        block[2 * f] = (int16_t)(f < 441 ? 30000 : 10000);
        block[2 * f + 1] = 10000;
    }
    Mixer::limit(block, 2 * frames);
    for (int f = 0; f < 441; ++f) {
        ASSERT_LE(block[2 * f], top) << "frame " << f;
        ASSERT_GE(block[2 * f], top - 2);
        ASSERT_NEAR(block[2 * f + 1], block[2 * f] / 3.0, 1.0) << "one gain for both sides";
    }
    // The gain comes back over the release: 1 - 0.51 / e of it after 100 ms.
    for (int f = 442; f < frames; ++f) ASSERT_GE(block[2 * f], block[2 * f - 2]) << "frame " << f;
    EXPECT_NEAR(block[2 * (441 + 4410)], 20000 * (1 - (1 - 29490.0 / 60000) / std::exp(1.0)), 150);
}
