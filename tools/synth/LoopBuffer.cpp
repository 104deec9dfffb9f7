#include "tools/synth/LoopBuffer.h"

#include <algorithm>
#include <cmath>

LoopBuffer::LoopBuffer(long length) : samples(length, 0.0f), length(length) {}

void LoopBuffer::addBlock(long pos, const float* src, long n, float gain) {
    long p = wrap(pos);
    while (n > 0) {
        long run = std::min(n, length - p);
        float* dst = samples.data() + p;
        for (long i = 0; i < run; i++) dst[i] += src[i] * gain;
        src += run;
        n -= run;
        p = 0;
    }
}

void LoopBuffer::mix(const LoopBuffer& other, float gain) {
    for (long i = 0; i < length; i++) samples[i] += other.samples[i] * gain;
}

void LoopBuffer::scale(float gain) {
    for (float& s : samples) s *= gain;
}

float LoopBuffer::peak() const {
    float p = 0.0f;
    for (float s : samples) p = std::max(p, std::fabs(s));
    return p;
}

float LoopBuffer::rms() const {
    double sum = 0.0;
    for (float s : samples) sum += double(s) * s;
    return float(std::sqrt(sum / double(length)));
}
