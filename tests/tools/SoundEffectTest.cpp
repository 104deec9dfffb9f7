// The generated sound effects: every file the game will play is a short mono
// 16-bit WAV at 44100 Hz of the length its use allows, with headroom, starting
// and ending on silence; the laser's burn loop repeats without a seam; every
// file loads through SDL_mixer; and the generator writes the same bytes again.
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Expect {
    const char* name;
    float minSeconds, maxSeconds;
};

// What each use allows. The three explosions do not overlap: size is heard.
const Expect kEffects[] = {
    {"plasma_shot", 0.05f, 0.15f},    {"enemy_shot", 0.08f, 0.25f},    {"laser_start", 0.15f, 0.5f},
    {"laser_loop", 0.2f, 1.0f},       {"plasma_hit", 0.05f, 0.15f},    {"laser_hit", 0.08f, 0.25f},
    {"explode_small", 0.3f, 0.6f},    {"explode_medium", 0.7f, 1.1f},  {"explode_large", 1.2f, 2.0f},
    {"player_hit", 0.2f, 0.5f},       {"player_death", 1.5f, 3.0f},    {"respawn", 0.6f, 1.5f},
    {"powerup_upgrade", 0.25f, 0.8f}, {"powerup_energy", 0.25f, 0.8f}, {"powerup_shield", 0.25f, 0.8f},
    {"powerup_score", 0.25f, 0.8f},   {"powerup_hull", 0.25f, 0.8f},   {"powerup_speed", 0.25f, 0.8f},
    {"powerup_nuke", 1.5f, 3.0f},     {"wave_incoming", 0.8f, 2.0f},   {"game_over", 1.5f, 3.5f},
    {"menu_move", 0.03f, 0.12f},      {"menu_choose", 0.15f, 0.4f},
};

const float minusOneDb = 0.891f; // full scale is 1

std::string pathOf(const std::string& dir, const char* name) {
    return dir + "/" + name + ".wav";
}

std::vector<char> bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Samples of a mono 16-bit WAV at 44100 Hz, as SDL reads it; empty (with a
// test failure) if the file is anything else.
std::vector<float> decode(const char* name) {
    std::string path = pathOf("sfx", name);
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 bytes = 0;
    if (!SDL_LoadWAV(path.c_str(), &spec, &data, &bytes)) {
        ADD_FAILURE() << path << ": " << SDL_GetError();
        return {};
    }
    std::vector<float> samples;
    EXPECT_EQ(44100, spec.freq) << path;
    EXPECT_EQ(AUDIO_S16LSB, spec.format) << path;
    EXPECT_EQ(1, spec.channels) << path;
    if (spec.freq == 44100 && spec.format == AUDIO_S16LSB && spec.channels == 1) {
        for (Uint32 i = 0; i + 1 < bytes; i += 2)
            samples.push_back(float(Sint16(data[i] | data[i + 1] << 8)) / 32767.0f);
    }
    SDL_FreeWAV(data);
    // The RIFF size field agrees with the file, which ends with the data.
    std::vector<char> file = bytesOf(path);
    EXPECT_EQ(44 + samples.size() * 2, file.size()) << path;
    if (file.size() >= 8) {
        unsigned riff = 0;
        for (int k = 0; k < 4; k++) riff |= unsigned(static_cast<unsigned char>(file[4 + k])) << (8 * k);
        EXPECT_EQ(file.size() - 8, riff) << path;
    }
    return samples;
}

float peakOf(const std::vector<float>& s, size_t from, size_t count) {
    float p = 0.0f;
    for (size_t i = from; i < from + count && i < s.size(); i++) p = std::max(p, std::fabs(s[i]));
    return p;
}

float percentile(std::vector<float> v, double p) {
    size_t k = size_t(double(v.size() - 1) * p);
    std::nth_element(v.begin(), v.begin() + long(k), v.end());
    return v[k];
}

} // namespace

TEST(SoundEffects, EachIsAShortMonoClipWithHeadroom) {
    for (const Expect& e : kEffects) {
        std::vector<float> s = decode(e.name);
        if (s.empty()) continue;
        float seconds = float(s.size()) / 44100.0f;
        EXPECT_GE(seconds, e.minSeconds) << e.name;
        EXPECT_LE(seconds, e.maxSeconds) << e.name;
        float peak = peakOf(s, 0, s.size());
        EXPECT_LT(peak, minusOneDb) << e.name;
        EXPECT_GT(peak, 0.25f) << e.name << " is too quiet to mix";
    }
}

TEST(SoundEffects, StartAndEndOnSilence) {
    const size_t edge = 11; // samples, a quarter of a millisecond
    for (const Expect& e : kEffects) {
        std::vector<float> s = decode(e.name);
        if (s.size() < 2 * edge) continue;
        bool loop = std::string(e.name) == "laser_loop";
        // The loop cannot fade, but it is cut where it crosses zero.
        float limit = loop ? 0.02f : 0.002f;
        EXPECT_LT(std::fabs(s.front()), limit) << e.name;
        EXPECT_LT(std::fabs(s.back()), limit) << e.name;
        if (!loop) {
            EXPECT_LT(peakOf(s, 0, edge), 0.03f) << e.name << " starts with a click";
            EXPECT_LT(peakOf(s, s.size() - edge, edge), 0.03f) << e.name << " ends with a click";
        }
    }
}

TEST(SoundEffects, LaserLoopRepeatsWithoutASeam) {
    std::vector<float> s = decode("laser_loop");
    ASSERT_GT(s.size(), size_t(4410));
    size_t n = s.size();
    // Steps and changes of slope all round the loop, the join included.
    std::vector<float> steps(n), bends(n);
    for (size_t i = 0; i < n; i++) {
        float a = s[i], b = s[(i + 1) % n], c = s[(i + 2) % n];
        steps[i] = std::fabs(b - a);
        bends[i] = std::fabs(c - 2.0f * b + a);
    }
    // Repeated, the last sample is followed by the first: the step there and
    // the change of slope across it must be like those inside the loop.
    EXPECT_LE(steps[n - 1], percentile(steps, 0.9));
    EXPECT_LE(std::max(bends[n - 2], bends[n - 1]), percentile(bends, 0.9));
    // Nor is a seam hidden inside the file (where the loop was cut to start
    // on a zero crossing): no change of slope stands out from the rest.
    EXPECT_LE(*std::max_element(bends.begin(), bends.end()), 2.5f * percentile(bends, 0.99));
    // The burn holds its level through the loop: no fade at either end.
    float whole = peakOf(s, 0, n);
    EXPECT_GT(peakOf(s, 0, 2205), 0.5f * whole);
    EXPECT_GT(peakOf(s, n - 2205, 2205), 0.5f * whole);
}

TEST(SoundEffects, EachLoadsThroughSdlMixer) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(0, SDL_Init(SDL_INIT_AUDIO)) << SDL_GetError();
    ASSERT_EQ(0, Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024)) << Mix_GetError();
    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(1, Mix_QuerySpec(&rate, &format, &channels));
    for (const Expect& e : kEffects) {
        std::string path = pathOf("sfx", e.name);
        Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
        ASSERT_NE(nullptr, chunk) << path << ": " << Mix_GetError();
        // Converted to the device format at load time, every sample kept.
        size_t frames = (bytesOf(path).size() - 44) / 2;
        if (rate == 44100) {
            EXPECT_EQ(frames * size_t(channels) * 2, size_t(chunk->alen)) << path;
        }
        Mix_FreeChunk(chunk);
    }
    Mix_CloseAudio();
    SDL_Quit();
}

TEST(SoundEffects, GeneratorWritesTheSameBytesAgain) {
    char dir[] = "/tmp/vorlane-sfx-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(dir));
    std::string command = std::string(VORLANE_SFXGEN) + " " + dir + " > /dev/null";
    ASSERT_EQ(0, std::system(command.c_str()));
    for (const Expect& e : kEffects) {
        std::vector<char> again = bytesOf(pathOf(dir, e.name));
        EXPECT_FALSE(again.empty()) << e.name;
        EXPECT_TRUE(again == bytesOf(pathOf("sfx", e.name))) << e.name << " differs from the build's";
        std::remove(pathOf(dir, e.name).c_str());
    }
    rmdir(dir);
}
