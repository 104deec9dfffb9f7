#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

// Small building blocks of the synthesiser: band-limited oscillators, a state
// variable filter and a seeded noise source. All state is explicit so every
// render is reproducible bit for bit.
namespace dsp {

const float sampleRate = 44100.0f; // Hz
const float pi = 3.14159265358979f;

// Whole samples in a span of seconds (truncated).
inline long samplesOf(float seconds) {
    return long(seconds * sampleRate);
}

// Zeroed scratch of n samples for rendering one note or event. One buffer
// serves every caller and is reused, so rendering allocates only while it
// grows; its contents last until the next call.
inline std::vector<float>& scratch(long n) {
    static std::vector<float> buf;
    buf.assign(n, 0.0f);
    return buf;
}

// Linear fade over the last fade samples so no note ends on a step.
inline void fadeTail(std::vector<float>& buf, long fade) {
    long n = long(buf.size());
    if (fade > n) fade = n;
    for (long i = 0; i < fade; i++) buf[n - 1 - i] *= float(i) / float(fade);
}

// Frequency in Hz of a MIDI note number (69 = A4 = 440 Hz); fractional notes bend.
inline float noteHz(float note) {
    return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f);
}

// Polynomial correction that removes most aliasing from a step at phase 0 of
// an oscillator advancing dt cycles per sample.
inline float polyBlep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

// Phase accumulator in cycles [0, 1) with band-limited saw and pulse outputs.
struct Osc {
    float phase = 0.0f; // cycles, [0, 1)

    // Advances by hz and returns the saw value at the old phase, in [-1, 1].
    float saw(float hz) {
        float dt = hz / sampleRate;
        float v = 2.0f * phase - 1.0f - polyBlep(phase, dt);
        advance(dt);
        return v;
    }
    // Pulse high for the first width of each cycle (0.5 = square).
    float pulse(float hz, float width) {
        float dt = hz / sampleRate;
        float v = phase < width ? 1.0f : -1.0f;
        v += polyBlep(phase, dt);
        float t2 = phase - width;
        if (t2 < 0.0f) t2 += 1.0f;
        v -= polyBlep(t2, dt);
        advance(dt);
        return v;
    }
    // Plain square without alias correction, for noise-like metallic partials.
    float rawSquare(float hz) {
        float v = phase < 0.5f ? 1.0f : -1.0f;
        advance(hz / sampleRate);
        return v;
    }
    float sine(float hz) {
        float v = std::sin(2.0f * pi * phase);
        advance(hz / sampleRate);
        return v;
    }
    // dt is below one cycle per sample for every audible pitch.
    void advance(float dt) {
        phase += dt;
        if (phase >= 1.0f) phase -= 1.0f;
    }
};

// Trapezoidal state variable filter; cutoff in Hz, resonance as 1/Q.
struct Svf {
    float a1 = 0, a2 = 0, a3 = 0, k = 1; // coefficients for the current cutoff
    float ic1 = 0, ic2 = 0;              // integrator states
    float low = 0, band = 0, high = 0;   // outputs of the last tick

    void set(float hz, float damping) {
        float fc = std::fmin(std::fmax(hz, 10.0f), sampleRate * 0.45f);
        float g = std::tan(pi * fc / sampleRate);
        k = damping;
        a1 = 1.0f / (1.0f + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }
    void tick(float v0) {
        float v3 = v0 - ic2;
        float v1 = a1 * ic1 + a2 * v3;
        float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        low = v2;
        band = v1;
        high = v0 - k * v1 - v2;
    }
};

// Exponential decay by a factor of e every tau seconds, stepped once per sample.
// Cheaper than calling exp per sample; snaps to zero before reaching denormals.
struct Decay {
    float value;  // current gain
    float factor; // per-sample multiplier

    explicit Decay(float tau, float start = 1.0f)
        : value(start), factor(std::exp(-1.0f / (tau * sampleRate))) {}
    float next() {
        float v = value;
        value = value > 1e-8f ? value * factor : 0.0f;
        return v;
    }
};

// Xorshift noise; the seed fixes the whole sequence.
struct Noise {
    uint32_t state; // never 0

    explicit Noise(uint32_t seed) : state(seed ? seed : 0x9e3779b9u) {}
    uint32_t nextBits() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // Uniform in [-1, 1).
    float white() { return float(nextBits() >> 8) * (2.0f / 16777216.0f) - 1.0f; }
    // Uniform in [0, 1).
    float unit() { return float(nextBits() >> 8) * (1.0f / 16777216.0f); }
};

} // namespace dsp
