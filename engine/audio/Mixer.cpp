#include "engine/audio/Mixer.h"

#include "engine/audio/SoundPlace.h"

#include <cmath>
#include <cstdio>

namespace quenth {

float const Mixer::ceiling = 0.9f;
float const Mixer::release = 100;
bool Mixer::ready = false;
int Mixer::frequency = 0;
int Mixer::outputChannels = 0;
uint16_t Mixer::format = 0;
float Mixer::mixLevel = 1;
float Mixer::musicVolume = 1;
float Mixer::limiterGain = 1;
void (*Mixer::afterMix)(int16_t const*, int) = nullptr;
Mix_Chunk* Mixer::chunks[ChannelTable::maxSounds][panSteps];

namespace {

int toMixVolume(float volume) {
    int v = (int)lrintf(volume * Mixer::mixLevel * MIX_MAX_VOLUME);
    return v < 0 ? 0 : (v > MIX_MAX_VOLUME ? MIX_MAX_VOLUME : v);
}

// A copy of a 16-bit stereo chunk with its left and right channels scaled.
// The samples stay owned by the copy for the rest of the run.
Mix_Chunk* pannedCopy(Mix_Chunk const* chunk, float left, float right) {
    Uint32 frames = chunk->alen / 4;
    Sint16 const* from = (Sint16 const*)chunk->abuf;
    Sint16* to = new Sint16[frames * 2];
    for (Uint32 i = 0; i < frames; ++i) {
        to[2 * i] = (Sint16)lrintf(from[2 * i] * left);
        to[2 * i + 1] = (Sint16)lrintf(from[2 * i + 1] * right);
    }
    return Mix_QuickLoad_RAW((Uint8*)to, frames * 4);
}

void postMix(void*, Uint8* stream, int len) {
    int16_t* s = (int16_t*)stream;
    if (Mixer::afterMix) Mixer::afterMix(s, len / 2);
    Mixer::limit(s, len / 2);
}

} // namespace

void Mixer::limit(int16_t* s, int count) {
    float makeUp = 1 / mixLevel, top = ceiling * 32767;
    float recover = 1 - expf(-1000 / (release * frequency));
    float g = limiterGain;
    for (int i = 0; i + 1 < count; i += 2) {
        float l = s[i] * makeUp, r = s[i + 1] * makeUp;
        float peak = fmaxf(fabsf(l), fabsf(r));
        float want = peak > top ? top / peak : 1;
        g = fminf(want, g + (1 - g) * recover);
        s[i] = (int16_t)lrintf(l * g);
        s[i + 1] = (int16_t)lrintf(r * g);
    }
    limiterGain = g;
}

bool Mixer::start(ChannelTable const& table) {
    int freq = 0, channels = 0;
    Uint16 fmt = 0;
    if (!Mix_QuerySpec(&freq, &fmt, &channels)) return false;
    frequency = freq;
    format = fmt;
    outputChannels = channels;
    if (format == AUDIO_S16SYS && outputChannels == 2) {
        mixLevel = 0.5f;
        limiterGain = 1;
        Mix_SetPostMix(postMix, nullptr);
    }
    Mix_VolumeMusic(toMixVolume(musicVolume));
    Mix_AllocateChannels(table.channelCount);
    for (int g = 0; g < table.groupCount; ++g)
        Mix_GroupChannels(table.groups[g].first, table.groups[g].first + table.groups[g].count - 1, g);
    ready = true;
    return true;
}

uint32_t Mixer::load(int sound, char const* path, bool placed) {
    if (!ready || sound < 0 || sound >= ChannelTable::maxSounds) return 0;
    Mix_Chunk* chunk = Mix_LoadWAV(path);
    if (!chunk) {
        fprintf(stderr, "Sound %s could not be loaded: %s\n", path, Mix_GetError());
        return 0;
    }
    bool pannable = placed && outputChannels == 2 && format == AUDIO_S16SYS;
    for (int step = 0; step < panSteps; ++step) {
        float left = 1, right = 1;
        SoundPlace::gains(-1 + 2 * (float)step / (panSteps - 1), left, right);
        chunks[sound][step] = pannable && step != panSteps / 2 ? pannedCopy(chunk, left, right) : chunk;
    }
    int frameBytes = outputChannels * (format & 0xff) / 8;
    return (uint32_t)((uint64_t)chunk->alen * 1000 / (uint64_t)(frameBytes * frequency));
}

int Mixer::panStep(float pan) {
    int step = (int)lrintf((pan + 1) * 0.5f * (panSteps - 1));
    return step < 0 ? 0 : (step >= panSteps ? panSteps - 1 : step);
}

void Mixer::play(int channel, int sound, int step, bool loop, float volume) {
    if (!ready || sound < 0 || sound >= ChannelTable::maxSounds || !chunks[sound][step]) return;
    Mix_Volume(channel, toMixVolume(volume));
    Mix_PlayChannel(channel, chunks[sound][step], loop ? -1 : 0);
}

void Mixer::setVolume(int channel, float volume) {
    if (ready) Mix_Volume(channel, toMixVolume(volume));
}

void Mixer::fadeOut(int channel, int ms) {
    if (ready) Mix_FadeOutChannel(channel, ms);
}

void Mixer::fadeOutGroup(int group, int ms) {
    if (ready) Mix_FadeOutGroup(group, ms);
}

void Mixer::stop(int channel) {
    if (ready) Mix_HaltChannel(channel);
}

void Mixer::pause(int channel, bool paused) {
    if (!ready) return;
    if (paused)
        Mix_Pause(channel);
    else
        Mix_Resume(channel);
}

void Mixer::setMusicVolume(float volume) {
    musicVolume = volume;
    Mix_VolumeMusic(toMixVolume(volume));
}

} // namespace quenth
