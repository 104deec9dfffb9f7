// Smooth 3D value noise for the generator, from a seed.
#pragma once

#include <cstdint>

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
