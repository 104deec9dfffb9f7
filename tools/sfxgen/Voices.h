#pragma once

#include "tools/synth/LoopBuffer.h"

#include <cstdint>

// The sounds the effects need beyond the music's instruments. Like those, each
// call renders one event from sample position start for the given seconds and
// adds it into bus; pitches are MIDI notes, times seconds, gains linear, and a
// seed fixes the noise of a call.
namespace voices {

// A pulse beside a detuned saw pair whose pitch glides and whose level and
// filter fall: shots, alarms and jingles. The effects list their tones as
// aggregates in this field order; fields left out keep these values.
struct Tone {
    float from = 69.0f;         // MIDI note at the attack
    float to = 69.0f;           // MIDI note the pitch glides to
    float glide = 0.02f;        // s, time constant of the glide
    float attack = 0.002f;      // s, linear rise of the level
    float decay = 0.1f;         // s, time constant of the level after the attack
    float cutoffFrom = 5000.0f; // Hz, low-pass cutoff at the attack
    float cutoffTo = 1200.0f;   // Hz, cutoff it moves towards
    float cutoffTime = 0.05f;   // s, time constant of that move
    float width = 0.3f;         // duty cycle of the pulse
    float saws = 0.5f;          // share of the saw pair against the pulse, 0..1
    float vibrato = 0.0f;       // semitones of pitch wobble either way
    float vibratoHz = 6.0f;     // Hz of the wobble
};
void tone(LoopBuffer& bus, long start, float seconds, const Tone& t, float gain);

// Noise through a low-pass closing from bright to dark Hz (time constant close),
// its level decaying with time constant decay: the roar of a blast.
void rumble(LoopBuffer& bus, long start, float seconds, float bright, float dark, float close, float decay,
            uint32_t seed, float gain);

// Debris: short clicks of band-passed noise at random moments, about rate per
// second at first and thinning out to none at the end.
void crackle(LoopBuffer& bus, long start, float seconds, float rate, uint32_t seed, float gain);

// Bright noise and inharmonic square partials around hz, decaying with time
// constant decay; a flutter in Hz above zero chops it unevenly into a sizzle.
void spark(LoopBuffer& bus, long start, float seconds, float hz, float decay, float flutter, uint32_t seed,
           float gain);

// Sine falling from fromHz to toHz (time constant fall), its level decaying
// with time constant decay: the weight under the big blasts.
void drop(LoopBuffer& bus, long start, float seconds, float fromHz, float toHz, float fall, float decay,
          float gain);

} // namespace voices
