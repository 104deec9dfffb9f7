// Seeded pseudo-random numbers and smooth 3D value noise for the generator.
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

// Value noise on the integer lattice, smoothly interpolated; output in [-1, 1].
class Noise {
public:
    unsigned char perm[512]; // permutation of 0..255, repeated
    float values[256];       // lattice values in [-1, 1]

    explicit Noise(uint64_t seed);
    float at(float x, float y, float z) const;
    // Sum of octaves, each at twice the frequency and gain times the amplitude;
    // normalised so the result stays in [-1, 1].
    float fbm(float x, float y, float z, int octaves, float gain = 0.5f) const;
    // Hash of a lattice cell in [0, 1), for placing things per cell.
    float cellHash(int x, int y, int z, int k) const;
};
