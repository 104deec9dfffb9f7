// The generator's own seeded pseudo-random numbers.
#pragma once

#include <cstdint>

// xorshift64*: the same sequence for the same seed on every build.
class Rng {
public:
    uint64_t state; // never 0

    explicit Rng(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {
        if (!state) state = 1;
    }
    uint64_t next() {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 0x2545F4914F6CDD1Dull;
    }
    // Uniform in [a, b).
    double uniform(double a, double b) { return a + (b - a) * ((next() >> 11) * (1.0 / 9007199254740992.0)); }
};
