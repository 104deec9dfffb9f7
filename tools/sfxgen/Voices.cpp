#include "tools/sfxgen/Voices.h"

#include "tools/synth/Dsp.h"

#include <algorithm>
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

namespace voices {

namespace {

// Linear rise over attack seconds from the start of an event.
float rise(long i, float attack) {
    return std::fmin(1.0f, float(i) / (attack * sampleRate));
}

// Adds a rendered event into bus at start, its end faded so it stops on no step.
void place(LoopBuffer& bus, long start, std::vector<float>& buf, float gain) {
    long n = long(buf.size());
    fadeTail(buf, std::min(n / 4, samplesOf(0.02f)));
    bus.addBlock(start, buf.data(), n, gain);
}

} // namespace

void tone(LoopBuffer& bus, long start, float seconds, const Tone& t, float gain) {
    long n = samplesOf(seconds);
    std::vector<float>& buf = scratch(n);
    Osc pulse, sawA, sawB, lfo;
    sawB.phase = 0.37f;
    Svf filter;
    Decay glide(t.glide), level(t.decay), sweep(t.cutoffTime);
    float span = t.from - t.to; // semitones still to glide at the attack
    long attack = samplesOf(t.attack);
    for (long i = 0; i < n; i++) {
        float note = t.to + span * glide.next() + t.vibrato * lfo.sine(t.vibratoHz);
        float hz = dsp::noteHz(note);
        float cutoff = t.cutoffTo + (t.cutoffFrom - t.cutoffTo) * sweep.next();
        if ((i & 7) == 0) filter.set(cutoff, 0.8f);
        float saws = 0.5f * (sawA.saw(hz * 1.004f) + sawB.saw(hz * 0.996f));
        filter.tick(t.saws * saws + (1.0f - t.saws) * pulse.pulse(hz, t.width));
        float amp = i < attack ? rise(i, t.attack) : level.next();
        buf[i] = filter.low * amp;
    }
    place(bus, start, buf, gain);
}

void rumble(LoopBuffer& bus, long start, float seconds, float bright, float dark, float close, float decay,
            uint32_t seed, float gain) {
    long n = samplesOf(seconds);
    std::vector<float>& buf = scratch(n);
    Noise noise(seed);
    Svf first, second;
    Decay shut(close), level(decay);
    for (long i = 0; i < n; i++) {
        float hz = dark + (bright - dark) * shut.next();
        if ((i & 7) == 0) {
            first.set(hz, 1.0f);
            second.set(hz * 0.7f, 1.2f);
        }
        first.tick(noise.white());
        second.tick(first.low);
        // Driven so the loud start thickens instead of just being louder.
        buf[i] = std::tanh(3.0f * second.low * level.next()) * rise(i, 0.003f);
    }
    place(bus, start, buf, gain);
}

void crackle(LoopBuffer& bus, long start, float seconds, float rate, uint32_t seed, float gain) {
    long n = samplesOf(seconds);
    std::vector<float>& buf = scratch(n);
    Noise noise(seed);
    Svf band;
    band.set(1900.0f, 1.1f);
    float env = 0.0f, fade = 0.0f; // level of the current click and its per-sample factor
    for (long i = 0; i < n; i++) {
        float left = 1.0f - float(i) / float(n);
        if (noise.unit() < rate / sampleRate * left * left) {
            env = 0.3f + 0.7f * noise.unit();
            fade = std::exp(-1.0f / ((0.002f + 0.005f * noise.unit()) * sampleRate));
        }
        band.tick(noise.white());
        buf[i] = band.band * env;
        env *= fade;
    }
    place(bus, start, buf, gain);
}

void spark(LoopBuffer& bus, long start, float seconds, float hz, float decay, float flutter, uint32_t seed,
           float gain) {
    static const float ratios[4] = {1.0f, 1.47f, 1.93f, 2.61f};
    long n = samplesOf(seconds);
    std::vector<float>& buf = scratch(n);
    Noise noise(seed);
    Osc partial[4];
    for (Osc& o : partial) o.phase = noise.unit();
    Svf band, air;
    band.set(hz * 1.6f, 0.9f);
    air.set(hz * 2.5f, 1.3f);
    Decay level(decay);
    float chop = 1.0f, target = 1.0f; // smoothed and wanted level of the flutter
    long period = flutter > 0.0f ? samplesOf(1.0f / flutter) : n + 1;
    long next = period;
    for (long i = 0; i < n; i++) {
        if (i == next) {
            target = 0.15f + 0.85f * noise.unit();
            next += period / 2 + long(noise.unit() * float(period));
        }
        chop += (target - chop) * 0.02f;
        float metal = 0.0f;
        for (int k = 0; k < 4; k++) metal += partial[k].rawSquare(hz * ratios[k]);
        band.tick(0.2f * metal + noise.white());
        air.tick(band.band);
        buf[i] = air.high * level.next() * chop * rise(i, 0.001f);
    }
    place(bus, start, buf, gain);
}

void drop(LoopBuffer& bus, long start, float seconds, float fromHz, float toHz, float fall, float decay,
          float gain) {
    long n = samplesOf(seconds);
    std::vector<float>& buf = scratch(n);
    Osc osc;
    Decay sweep(fall), level(decay);
    for (long i = 0; i < n; i++) {
        float hz = toHz + (fromHz - toHz) * sweep.next();
        buf[i] = std::tanh(1.5f * osc.sine(hz) * level.next()) * rise(i, 0.004f);
    }
    place(bus, start, buf, gain);
}

} // namespace voices
