#include "tools/synth/Instruments.h"

#include "tools/synth/Dsp.h"

#include <cmath>
#include <vector>

using dsp::Decay;
using dsp::fadeTail;
using dsp::Noise;
using dsp::Osc;
using dsp::sampleRate;
using dsp::samplesOf;
using dsp::scratch;
using dsp::Svf;

namespace instruments {

namespace {

// Noise seed that differs per hit but is fixed by where the hit sits.
uint32_t seedAt(long start, uint32_t salt) {
    uint32_t h = uint32_t(start) * 2654435761u ^ salt * 2246822519u;
    h ^= h >> 15;
    return h ? h : 1u;
}

// Gain of a note held for held samples: linear attack (seconds), full level
// while held, then an exponential release (time constant in seconds).
struct Asr {
    float attackStep; // gain added per sample during the attack
    long held;        // samples before the release starts
    dsp::Decay release;
    float level = 0.0f;
    long i = 0;

    Asr(long held, float attack, float releaseTau)
        : attackStep(1.0f / (attack * sampleRate)), held(held), release(releaseTau) {}
    float next() {
        level = std::fmin(1.0f, level + attackStep);
        return i++ < held ? level : level * release.next();
    }
};

} // namespace

void kick(LoopBuffer& bus, long start, float gain) {
    long n = samplesOf(0.5f);
    std::vector<float>& buf = scratch(n);
    Noise noise(seedAt(start, 1));
    Svf click;
    click.set(3000.0f, 1.0f);
    Osc osc;
    Decay sweep(0.028f), settle(0.12f), body(0.30f), snap(0.004f);
    const float norm = 1.0f / std::tanh(1.8f);
    for (long i = 0; i < n; i++) {
        float t = float(i) / sampleRate;
        float hz = 44.0f + 120.0f * sweep.next() + 40.0f * settle.next();
        float amp = body.next() * std::fmin(1.0f, t / 0.0015f);
        click.tick(noise.white());
        buf[i] = std::tanh(1.8f * osc.sine(hz) * amp) * norm + 0.35f * click.low * snap.next();
    }
    fadeTail(buf, samplesOf(0.05f));
    bus.addBlock(start, buf.data(), n, gain);
}

void snare(LoopBuffer& bus, long start, float gain) {
    long n = samplesOf(0.6f);
    std::vector<float>& buf = scratch(n);
    Noise noise(seedAt(start, 2));
    Svf rattle, clap;
    rattle.set(2200.0f, 1.2f);
    clap.set(1150.0f, 0.8f);
    Osc low, high;
    Decay lowDecay(0.055f), highDecay(0.035f), rattleDecay(0.11f), tailDecay(0.14f);
    for (long i = 0; i < n; i++) {
        float t = float(i) / sampleRate;
        float body =
            0.55f * low.sine(185.0f) * lowDecay.next() + 0.25f * high.sine(330.0f) * highDecay.next();
        float w = noise.white();
        rattle.tick(w);
        clap.tick(w);
        // Three quick slaps then a diffuse tail: the sound of several hands.
        float slaps = 0.0f;
        if (t < 0.06f) {
            for (int k = 0; k < 3; k++) {
                float tk = t - 0.0095f * float(k);
                if (tk >= 0.0f) slaps += std::exp(-tk / 0.0035f);
            }
        }
        float tail = t > 0.022f ? 0.8f * tailDecay.next() : 0.0f;
        buf[i] = body * std::fmin(1.0f, t / 0.001f) + 0.3f * rattle.high * rattleDecay.next() +
                 1.3f * clap.band * (slaps + tail);
    }
    fadeTail(buf, samplesOf(0.05f));
    bus.addBlock(start, buf.data(), n, gain);
}

void hat(LoopBuffer& bus, long start, float gain, bool open) {
    // Partials in the inharmonic ratios of a classic metallic hat circuit.
    static const float partials[6] = {263.0f, 400.0f, 421.0f, 474.0f, 587.0f, 845.0f};
    Decay decay(open ? 0.22f : 0.028f);
    long n = samplesOf(open ? 0.6f : 0.15f);
    std::vector<float>& buf = scratch(n);
    Noise noise(seedAt(start, 3));
    Svf band, high;
    band.set(8000.0f, 0.9f);
    high.set(7000.0f, 1.4f);
    Osc osc[6];
    for (int k = 0; k < 6; k++) osc[k].phase = noise.unit();
    for (long i = 0; i < n; i++) {
        float t = float(i) / sampleRate;
        float metal = 0.0f;
        for (int k = 0; k < 6; k++) metal += osc[k].rawSquare(partials[k] * 2.6f);
        band.tick(metal * 0.15f + 0.6f * noise.white());
        high.tick(band.band);
        buf[i] = high.high * decay.next() * std::fmin(1.0f, t / 0.0005f);
    }
    fadeTail(buf, samplesOf(0.02f));
    bus.addBlock(start, buf.data(), n, gain);
}

void crash(LoopBuffer& bus, long start, float gain) {
    long n = samplesOf(3.0f);
    std::vector<float>& buf = scratch(n);
    Noise noise(seedAt(start, 4));
    Svf high, shimmer;
    high.set(4500.0f, 1.2f);
    shimmer.set(8000.0f, 0.6f);
    Osc osc[4];
    static const float partials[4] = {1390.0f, 2063.0f, 3127.0f, 4451.0f};
    Decay ring(0.85f);
    for (long i = 0; i < n; i++) {
        float t = float(i) / sampleRate;
        float metal = 0.0f;
        for (int k = 0; k < 4; k++) metal += osc[k].rawSquare(partials[k]);
        float w = noise.white();
        high.tick(w + 0.08f * metal);
        shimmer.tick(w);
        float env = ring.next() * std::fmin(1.0f, t / 0.002f);
        buf[i] = (high.high + 0.5f * shimmer.band) * env;
    }
    fadeTail(buf, samplesOf(0.3f));
    bus.addBlock(start, buf.data(), n, gain);
}

void tom(LoopBuffer& bus, long start, float pitch, float gain) {
    long n = samplesOf(0.45f);
    std::vector<float>& buf = scratch(n);
    Noise noise(seedAt(start, 5));
    Svf skin;
    skin.set(dsp::noteHz(pitch) * 4.0f, 1.0f);
    Osc osc;
    float base = dsp::noteHz(pitch);
    for (long i = 0; i < n; i++) {
        float t = float(i) / sampleRate;
        float hz = base * (1.0f + 0.8f * std::exp(-t / 0.035f));
        skin.tick(noise.white());
        float amp = std::exp(-t / 0.16f) * std::fmin(1.0f, t / 0.001f);
        buf[i] = std::tanh(1.5f * osc.sine(hz) * amp) + 0.25f * skin.band * std::exp(-t / 0.03f);
    }
    fadeTail(buf, samplesOf(0.05f));
    bus.addBlock(start, buf.data(), n, gain);
}

void riser(LoopBuffer& bus, long start, long length, float gain) {
    long n = length;
    std::vector<float>& buf = scratch(n);
    Noise noise(seedAt(start, 6));
    Svf band;
    for (long i = 0; i < n; i++) {
        float x = float(i) / float(n); // 0..1 through the swell
        if ((i & 15) == 0) band.set(300.0f * std::pow(30.0f, x), 1.0f);
        band.tick(noise.white());
        buf[i] = band.band * x * x;
    }
    fadeTail(buf, samplesOf(0.01f));
    bus.addBlock(start, buf.data(), n, gain);
}

void bass(LoopBuffer& bus, long start, long length, int note, float cutoff, float envelope, float gain) {
    float release = 0.03f;
    long n = length + samplesOf(release * 6.0f);
    std::vector<float>& buf = scratch(n);
    float hz = dsp::noteHz(float(note));
    Osc a, b, sub;
    a.phase = 0.0f;
    b.phase = 0.37f;
    Svf filter;
    Asr env(length, 0.003f, release);
    Decay open(0.075f), punch(0.1f);
    for (long i = 0; i < n; i++) {
        float sweep = open.next();
        if ((i & 7) == 0) filter.set(cutoff + envelope * sweep, 0.7f);
        float v = 0.5f * a.saw(hz * 1.0025f) + 0.5f * b.saw(hz * 0.9975f);
        filter.tick(v);
        float amp = env.next() * (0.8f + 0.2f * punch.next());
        buf[i] = (std::tanh(1.6f * filter.low) + 0.55f * sub.sine(hz * 0.5f)) * amp;
    }
    fadeTail(buf, samplesOf(0.01f));
    bus.addBlock(start, buf.data(), n, gain);
}

void pad(LoopBuffer& bus, long start, long length, int note, float brightness, float gain) {
    static const float detune[5] = {-0.14f, -0.07f, 0.0f, 0.07f, 0.14f}; // semitones
    float release = 0.6f;
    long n = length + samplesOf(release * 3.5f);
    std::vector<float>& buf = scratch(n);
    Noise noise(seedAt(start, uint32_t(note) + 7u));
    Osc osc[5];
    float hz[5];
    for (int k = 0; k < 5; k++) {
        osc[k].phase = noise.unit();
        hz[k] = dsp::noteHz(float(note) + detune[k]);
    }
    float lfoPhase = noise.unit() * 2.0f * dsp::pi;
    Svf filter;
    Asr env(length, 0.35f, release);
    for (long i = 0; i < n; i++) {
        float t = float(i) / sampleRate;
        if ((i & 15) == 0) {
            float sweep = 0.5f + 0.5f * std::sin(2.0f * dsp::pi * 0.13f * t + lfoPhase);
            filter.set(500.0f + brightness * 2200.0f + 500.0f * sweep, 1.1f);
        }
        float v = 0.0f;
        for (int k = 0; k < 5; k++) v += osc[k].saw(hz[k]);
        filter.tick(v * 0.2f);
        buf[i] = filter.low * env.next();
    }
    fadeTail(buf, samplesOf(0.3f));
    bus.addBlock(start, buf.data(), n, gain);
}

void pluck(LoopBuffer& bus, long start, int note, float brightness, float gain) {
    long n = samplesOf(0.4f);
    std::vector<float>& buf = scratch(n);
    float hz = dsp::noteHz(float(note));
    Osc osc, sine;
    Svf filter;
    Decay snap(0.05f), fall(0.11f);
    for (long i = 0; i < n; i++) {
        float t = float(i) / sampleRate;
        float sweep = snap.next();
        if ((i & 7) == 0) filter.set(700.0f + (1500.0f + 4000.0f * brightness) * sweep, 0.9f);
        filter.tick(osc.pulse(hz, 0.3f));
        float amp = fall.next() * std::fmin(1.0f, t / 0.002f);
        buf[i] = (filter.low + 0.3f * sine.sine(hz)) * amp;
    }
    fadeTail(buf, samplesOf(0.05f));
    bus.addBlock(start, buf.data(), n, gain);
}

void lead(LoopBuffer& bus, long start, long length, int note, int fromNote, float gain) {
    float release = 0.09f;
    long n = length + samplesOf(release * 6.0f);
    std::vector<float>& buf = scratch(n);
    Osc a, b, c;
    b.phase = 0.5f;
    Svf filter;
    float glideFrom = fromNote > 0 ? float(fromNote - note) : 0.0f; // semitones away at the attack
    float base = dsp::noteHz(float(note));
    Asr env(length, 0.008f, release);
    Decay glide(0.025f), bite(0.12f), accent(0.15f);
    Osc lfo;
    for (long i = 0; i < n; i++) {
        float t = float(i) / sampleRate;
        float vibrato = 0.13f * std::fmin(1.0f, std::fmax(0.0f, (t - 0.25f) / 0.3f)) * lfo.sine(5.5f);
        float hz = base * std::exp2((glideFrom * glide.next() + vibrato) / 12.0f);
        float open = bite.next();
        if ((i & 7) == 0) filter.set(3200.0f + 2400.0f * open, 0.75f);
        float v = 0.4f * a.saw(hz * 1.0035f) + 0.4f * b.saw(hz * 0.9965f) + 0.3f * c.pulse(hz * 0.5f, 0.5f);
        filter.tick(v);
        buf[i] = filter.low * env.next() * (0.85f + 0.15f * accent.next());
    }
    fadeTail(buf, samplesOf(0.02f));
    bus.addBlock(start, buf.data(), n, gain);
}

} // namespace instruments
