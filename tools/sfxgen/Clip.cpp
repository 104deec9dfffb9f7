#include "tools/sfxgen/Clip.h"

#include "tools/synth/Effects.h"

#include <algorithm>
#include <cmath>

Clip::Clip(float seconds) : bus(at(seconds + tailRoom)), length(at(seconds)) {}

void Clip::reverb(float size, float damping, float wet) {
    bus.mix(effects::reverb(bus, size, damping), wet);
}

void Clip::echo(float delay, float feedback, float damping, float wet) {
    bus.mix(effects::echo(bus, at(delay), feedback, damping), wet);
}

std::vector<float> Clip::finish(float peak, float fadeOut) {
    effects::highPass(bus, 20.0f);
    std::vector<float> out(bus.samples.begin(), bus.samples.begin() + length);
    fadeEnds(out, at(0.003f), at(fadeOut));
    normalise(out, peak);
    return out;
}

void fadeEnds(std::vector<float>& samples, long fadeIn, long fadeOut) {
    long n = long(samples.size());
    fadeIn = std::min(fadeIn, n / 2);
    fadeOut = std::min(fadeOut, n / 2);
    for (long i = 0; i < fadeIn; i++) {
        float s = std::sin(0.5f * dsp::pi * float(i) / float(fadeIn));
        samples[i] *= s * s;
    }
    for (long i = 0; i < fadeOut; i++) {
        float s = std::sin(0.5f * dsp::pi * float(i) / float(fadeOut));
        samples[n - 1 - i] *= s * s;
    }
}

void normalise(std::vector<float>& samples, float peak) {
    float top = 0.0f;
    for (float s : samples) top = std::max(top, std::fabs(s));
    if (top > 0.0f)
        for (float& s : samples) s *= peak / top;
}
