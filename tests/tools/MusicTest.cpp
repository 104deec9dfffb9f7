// The generated music: a long mono track that stays below full scale, joins
// its own start without a click when repeated, and plays through SDL_mixer
// with the game's audio settings.

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

const char* musicPath = "sfx/music1.ogg";

struct Decoded {
    int channels = 0;
    long rate = 0;
    long long headerSamples = 0; // length the stream declares
    std::vector<float> samples;  // first channel
};

bool decode(const char* path, Decoded& out) {
    OggVorbis_File vf;
    if (ov_fopen(path, &vf) != 0) return false;
    vorbis_info* vi = ov_info(&vf, -1);
    out.channels = vi->channels;
    out.rate = vi->rate;
    out.headerSamples = ov_pcm_total(&vf, -1);
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n < 0) {
            ov_clear(&vf);
            return false;
        }
        if (n == 0) break;
        out.samples.insert(out.samples.end(), pcm[0], pcm[0] + n);
    }
    ov_clear(&vf);
    return true;
}

const Decoded& music() {
    static Decoded d;
    static bool loaded = decode(musicPath, d);
    EXPECT_TRUE(loaded) << "cannot decode " << musicPath;
    return d;
}

float percentile(std::vector<float> v, double p) {
    size_t k = size_t(double(v.size() - 1) * p);
    std::nth_element(v.begin(), v.begin() + long(k), v.end());
    return v[k];
}

float rms(const std::vector<float>& s, size_t from, size_t count) {
    double sum = 0.0;
    for (size_t i = from; i < from + count; i++) sum += double(s[i]) * s[i];
    return float(std::sqrt(sum / double(count)));
}

} // namespace

TEST(Music, IsALongMonoTrackBelowFullScale) {
    const Decoded& m = music();
    ASSERT_FALSE(m.samples.empty());
    EXPECT_EQ(1, m.channels);
    EXPECT_EQ(44100, m.rate);
    // Every sample the stream declares comes out, and no padding beyond it.
    EXPECT_EQ(m.headerSamples, (long long)m.samples.size());
    EXPECT_GE(m.samples.size(), size_t(60 * 44100));

    float peak = 0.0f;
    for (float s : m.samples) peak = std::max(peak, std::fabs(s));
    EXPECT_LT(peak, 0.97f); // headroom left after lossy coding
    EXPECT_GT(peak, 0.5f);  // and not a near-silent file
    float level = rms(m.samples, 0, m.samples.size());
    EXPECT_GT(level, 0.05f);
    EXPECT_LT(level, 0.4f);
}

TEST(Music, EndJoinsStartWithoutAJump) {
    const Decoded& m = music();
    ASSERT_GT(m.samples.size(), size_t(44100));
    const std::vector<float>& s = m.samples;
    size_t n = s.size();

    std::vector<float> steps(n - 1), bends(n - 2);
    for (size_t i = 0; i + 1 < n; i++) steps[i] = std::fabs(s[i + 1] - s[i]);
    for (size_t i = 0; i + 2 < n; i++) bends[i] = std::fabs(s[i + 2] - 2.0f * s[i + 1] + s[i]);
    float typicalStep = percentile(steps, 0.9);
    float typicalBend = percentile(bends, 0.9);

    // On repeat the last sample is followed by the first: that step, and the
    // change of slope across it, must look like any other point of the piece.
    float joinStep = std::fabs(s[0] - s[n - 1]);
    float joinBend = std::fabs(s[0] - 2.0f * s[n - 1] + s[n - 2]);
    EXPECT_LE(joinStep, typicalStep) << "typical step " << typicalStep;
    EXPECT_LE(joinBend, typicalBend) << "typical bend " << typicalBend;

    // Neither end fades out: a fade would be heard as a dip at every repeat.
    size_t window = 4410; // 100 ms
    float whole = rms(s, 0, n);
    EXPECT_GT(rms(s, 0, window), 0.25f * whole);
    EXPECT_GT(rms(s, n - window, window), 0.25f * whole);
}

TEST(Music, PlaysThroughSdlMixerWithTheGameSettings) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(0, SDL_Init(SDL_INIT_AUDIO)) << SDL_GetError();
    ASSERT_EQ(0, Mix_OpenAudio(44100, AUDIO_S16LSB, 1, 65536)) << Mix_GetError();
    Mix_Music* track = Mix_LoadMUS(musicPath);
    ASSERT_NE(nullptr, track) << Mix_GetError();
    EXPECT_EQ(MUS_OGG, Mix_GetMusicType(track));
    EXPECT_EQ(0, Mix_PlayMusic(track, -1)) << Mix_GetError();
    EXPECT_TRUE(Mix_PlayingMusic());
    SDL_Delay(300);
    EXPECT_TRUE(Mix_PlayingMusic());
    Mix_HaltMusic();
    EXPECT_FALSE(Mix_PlayingMusic());
    Mix_FreeMusic(track);
    Mix_CloseAudio();
    SDL_Quit();
}
