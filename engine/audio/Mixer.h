#ifndef QUENTH_AUDIO_MIXER_H
#define QUENTH_AUDIO_MIXER_H

#include "engine/audio/ChannelTable.h"

#include <SDL/SDL_mixer.h>

#include <cstdint>

namespace quenth {

// The sound device as the game uses it: SDL_mixer's channels set up after a
// ChannelTable, and sounds loaded once, at start-up, as chunks in the
// device's format. Every call does nothing while no device is open, so a
// machine without sound runs the same game in silence. Playing never
// allocates: the stereo positions of a placed sound are copies of it made at
// load time, one per pan step (SDL_mixer's own panning registers an effect,
// which allocates, on every sound started).
//
// On a 16-bit device everything, the music too, is mixed 6 dB under its level
// and brought back up at the end of each mix by a limiter (instant attack,
// 100 ms release) that holds the peaks under -0.9 dBFS: a storm of sounds
// comes out a little quieter for a moment, not clipped.
class Mixer {
public:
    static const int panSteps = 9; // positions of a placed sound, hard left to hard right; 4 is the middle
    static float const ceiling;    // the limiter's ceiling, share of full scale
    static float const release;    // ms for the limiter's gain to recover most of the way (1/e left)

    static bool ready;         // a device is open and has the table's channels
    static int frequency;      // sample frames per second of the device
    static int outputChannels; // 1 mono, 2 stereo
    static uint16_t format;    // SDL sample format of the device
    static float mixLevel;     // share of their level sounds are mixed at: 0.5 under the limiter, else 1
    static float musicVolume;  // 0-1, as last set
    static float limiterGain;  // the limiter's gain at the end of the last mix (audio thread)
    // Called at the end of every mix, before the limiter, with the mixed
    // 16-bit samples (audio thread; for measurements). Null: none.
    static void (*afterMix)(int16_t const* samples, int count);
    // By sound and pan step; a sound heard from the middle, or a device that
    // cannot pan, has its one chunk in every step. Null: not loaded.
    static Mix_Chunk* chunks[ChannelTable::maxSounds][panSteps];

    // Takes the device Mix_OpenAudio opened and gives it the table's channels,
    // each group tagged with its index (Mix_GroupChannels). False, and
    // silent from then on, when no device is open.
    static bool start(ChannelTable const& table);
    // Loads sound from a WAV file, with its panned copies when placed is set.
    // Returns its length in ms; 0 when it could not be loaded (it then stays
    // silent; the reason is printed once).
    static uint32_t load(int sound, char const* path, bool placed);

    // The pan step nearest pan (-1 left to 1 right).
    static int panStep(float pan);
    // Starts sound at pan step on channel at volume (0-1), looping for ever
    // when loop is set; whatever played on channel stops.
    static void play(int channel, int sound, int step, bool loop, float volume);
    static void setVolume(int channel, float volume);
    // Fades channel out over ms; it is free afterwards.
    static void fadeOut(int channel, int ms);
    static void fadeOutGroup(int group, int ms);
    // Stops channel at once.
    static void stop(int channel);
    static void pause(int channel, bool paused);
    // The limiter on count interleaved stereo samples: made up from
    // mixLevel, the two channels of a frame by one gain so that the stereo
    // image holds. Runs at the end of every mix.
    static void limit(int16_t* samples, int count);
    // Volume of the music, 0-1; kept for music started later as well.
    static void setMusicVolume(float volume);
};

} // namespace quenth

#endif
