#pragma once

#include "tools/synth/Dsp.h"
#include "tools/synth/LoopBuffer.h"

#include <vector>

// One sound effect while it is rendered. The music's instruments and the bus
// effects treat their buffer as a loop; the bus here runs on for tailRoom
// seconds after the effect, so no tail wraps round into its start before
// finish() keeps the first length samples.
class Clip {
public:
    static constexpr float tailRoom = 4.0f; // seconds of silence after the effect, longer than any tail
    LoopBuffer bus;                         // the effect and its tails, linear amplitude
    long length;                            // samples in the finished effect, > 0

    explicit Clip(float seconds);

    // Sample position of a time in seconds from the start of the effect.
    static long at(float seconds) { return dsp::samplesOf(seconds); }
    // Adds the music's plate reverb, wet times the dry level.
    void reverb(float size, float damping, float wet);
    // Adds the music's damped feedback echo, delay in seconds, wet times the dry level.
    void echo(float delay, float feedback, float damping, float wet);
    // The finished effect: DC removed, faded in over a few milliseconds and out
    // over fadeOut seconds so it starts and ends on silence, scaled to peak.
    std::vector<float> finish(float peak, float fadeOut);
};

// Raised-cosine fades over the first fadeIn and the last fadeOut samples; the
// first and last samples become exactly zero.
void fadeEnds(std::vector<float>& samples, long fadeIn, long fadeOut);
// Scales samples so the largest magnitude is peak (silence stays silent).
void normalise(std::vector<float>& samples, float peak);
