#pragma once

#include "tools/synth/LoopBuffer.h"

// The synthesised instruments. Each call renders one note or hit, starting at
// sample position start of the loop, and adds it (tail included) into bus.
// Pitches are MIDI note numbers, lengths in samples, gains linear.
namespace instruments {

// Bass drum: sine with a fast downward pitch sweep and a short click.
void kick(LoopBuffer& bus, long start, float gain);
// Snare layered with a hand clap: tuned body, noise rattle and three clap bursts.
void snare(LoopBuffer& bus, long start, float gain);
// Hi-hat from detuned square partials and noise; open rings longer than closed.
void hat(LoopBuffer& bus, long start, float gain, bool open);
// Crash cymbal: bright noise with a long decay.
void crash(LoopBuffer& bus, long start, float gain);
// Tom: pitched like the kick but higher and shorter; pitch in MIDI notes.
void tom(LoopBuffer& bus, long start, float pitch, float gain);
// Noise swell whose band rises over length samples: the build-up into a section.
void riser(LoopBuffer& bus, long start, long length, float gain);

// Bass: two detuned saws and a sub sine through a low-pass whose cutoff (Hz)
// jumps up by envelope Hz at the attack and falls back.
void bass(LoopBuffer& bus, long start, long length, int note, float cutoff, float envelope, float gain);
// Pad: five detuned saws per note under a slowly moving low-pass; brightness 0..1.
void pad(LoopBuffer& bus, long start, long length, int note, float brightness, float gain);
// Arpeggio pluck: narrow pulse with a snappy filter; brightness 0..1.
void pluck(LoopBuffer& bus, long start, int note, float brightness, float gain);
// Lead: detuned saws plus a square an octave down, gliding in from fromNote
// (0: no glide) with delayed vibrato.
void lead(LoopBuffer& bus, long start, long length, int note, int fromNote, float gain);

} // namespace instruments
