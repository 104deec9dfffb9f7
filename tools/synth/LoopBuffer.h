#pragma once

#include <vector>

// Mono sample buffer exactly one loop long. Positions wrap around its length,
// so a note that rings past the end of the loop carries on at its start: the
// piece then joins itself without a seam when the player restarts it.
class LoopBuffer {
public:
    std::vector<float> samples; // one loop, linear amplitude (1.0 = full scale)
    long length;                // samples in the loop, > 0

    explicit LoopBuffer(long length);

    long wrap(long pos) const {
        long p = pos % length;
        return p < 0 ? p + length : p;
    }
    float at(long pos) const { return samples[wrap(pos)]; }
    void add(long pos, float value) { samples[wrap(pos)] += value; }

    // Adds n samples of src starting at pos; whatever passes the end wraps to the start.
    void addBlock(long pos, const float* src, long n, float gain = 1.0f);
    void mix(const LoopBuffer& other, float gain);
    void scale(float gain);
    float peak() const;
    float rms() const;
};
