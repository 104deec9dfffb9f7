#include "tools/synth/Effects.h"

#include "tools/synth/Dsp.h"

#include <algorithm>
#include <cmath>

namespace effects {

namespace {

// Delay line with a low-passed feedback path (the comb of the reverb).
struct Comb {
    std::vector<float> line;
    long pos = 0;
    float store = 0.0f; // low-pass state of the feedback
    float feedback, damping;

    Comb(long size, float feedback, float damping) : line(size, 0.0f), feedback(feedback), damping(damping) {}
    float tick(float in) {
        float out = line[pos];
        store = out * (1.0f - damping) + store * damping;
        line[pos] = in + store * feedback;
        if (++pos == long(line.size())) pos = 0;
        return out;
    }
};

struct AllPass {
    std::vector<float> line;
    long pos = 0;

    explicit AllPass(long size) : line(size, 0.0f) {}
    float tick(float in) {
        float delayed = line[pos];
        float out = delayed - in;
        line[pos] = in + delayed * 0.5f;
        if (++pos == long(line.size())) pos = 0;
        return out;
    }
};

} // namespace

LoopBuffer echo(const LoopBuffer& in, long delay, float feedback, float damping) {
    LoopBuffer out(in.length);
    // out[n] = in[n - d] + feedback * lowpass(out[n - d]), on the loop.
    float store = 0.0f;
    for (long pass = 0; pass < 2; pass++) {
        for (long n = 0; n < in.length; n++) {
            long back = n >= delay ? n - delay : n - delay + in.length;
            float repeat = out.samples[back];
            store = repeat * (1.0f - damping) + store * damping;
            out.samples[n] = in.samples[back] + feedback * store;
        }
    }
    return out;
}

LoopBuffer reverb(const LoopBuffer& in, float size, float damping) {
    static const long combSizes[6] = {1116, 1188, 1277, 1356, 1422, 1491};
    static const long allPassSizes[3] = {556, 441, 341};
    std::vector<Comb> combs;
    for (long s : combSizes) combs.emplace_back(long(float(s) * 1.6f), size, damping);
    std::vector<AllPass> allPasses;
    for (long s : allPassSizes) allPasses.emplace_back(long(float(s) * 1.6f));
    // A short pre-delay keeps the dry attack clear of the wash.
    long preDelay = 882;
    LoopBuffer out(in.length);
    for (long pass = 0; pass < 2; pass++) {
        for (long n = 0; n < in.length; n++) {
            float x = in.samples[n >= preDelay ? n - preDelay : n - preDelay + in.length] * 0.12f;
            float acc = 0.0f;
            for (Comb& c : combs) acc += c.tick(x);
            for (AllPass& a : allPasses) acc = a.tick(acc);
            if (pass == 1) out.samples[n] = acc;
        }
    }
    return out;
}

void highPass(LoopBuffer& buf, float hz) {
    float a = std::exp(-2.0f * dsp::pi * hz / dsp::sampleRate);
    float prevIn = buf.samples[buf.length - 1], prevOut = 0.0f;
    std::vector<float> out(buf.length);
    for (long pass = 0; pass < 2; pass++) {
        for (long n = 0; n < buf.length; n++) {
            float x = buf.samples[n];
            prevOut = a * (prevOut + x - prevIn);
            prevIn = x;
            if (pass == 1) out[n] = prevOut;
        }
    }
    buf.samples.swap(out);
}

void duck(LoopBuffer& buf, const std::vector<long>& hits, float depth, float release) {
    LoopBuffer amount(buf.length);
    long span = long(release * 5.0f * dsp::sampleRate);
    long attack = 90; // samples: fast but not a hard step
    for (long hit : hits) {
        for (long i = 0; i < span; i++) {
            float shape = i < attack ? float(i) / float(attack)
                                     : std::exp(-float(i - attack) / (release * dsp::sampleRate));
            long p = buf.wrap(hit - attack + i);
            amount.samples[p] = std::max(amount.samples[p], shape);
        }
    }
    for (long n = 0; n < buf.length; n++) buf.samples[n] *= 1.0f - depth * amount.samples[n];
}

void master(LoopBuffer& buf, float targetRms, float knee, float targetPeak) {
    float rms = buf.rms();
    if (rms > 0.0f) buf.scale(targetRms / rms);
    for (float& s : buf.samples) {
        float m = std::fabs(s);
        if (m > knee) {
            float over = (m - knee) / (1.0f - knee);
            s = std::copysign(knee + (1.0f - knee) * std::tanh(over), s);
        }
    }
    float peak = buf.peak();
    if (peak > 0.0f) buf.scale(targetPeak / peak);
}

} // namespace effects
