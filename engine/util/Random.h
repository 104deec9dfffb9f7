#ifndef QUENTH_UTIL_RANDOM_H
#define QUENTH_UTIL_RANDOM_H

#include <cstdint>

namespace quenth {

// Table-driven random source. Seeding fills two tables from the C library's srand/rand; each
// call then reads one entry and writes back its complement (integers: 0x7fffffff - v, floats:
// 1 - v), so a stream repeats after two passes over its table. The integer and float streams
// advance independently. Not thread-safe; init() also reseeds the C library's rand.
class Random {
public:
    static const int tableSize = 65536;

    uint32_t* intTable; // tableSize values in [0, 2^31 - 1], owned
    float* floatTable;  // tableSize values in [0, 1], owned
    int32_t intIndex;   // next intTable entry, 0..65535
    int32_t floatIndex; // next floatTable entry, 0..65535

    explicit Random(int seed);
    ~Random();
    Random(Random const&) = delete;
    Random& operator=(Random const&) = delete;

    // Refills both tables from srand(seed) and rewinds both streams.
    void init(int seed);

    // Next integer, 0 <= r <= 2^31 - 1.
    int randi() {
        uint32_t v = intTable[intIndex];
        intTable[intIndex] = ~v & 0x7fffffffu;
        intIndex = (intIndex + 1) & 0xffff;
        return (int)v;
    }
    // randi() % n (C remainder): in [0, |n|). n must not be 0.
    int randi(int n) { return randi() % n; }
    // a when a == b (no entry consumed); else a + randi() % (b - a): [a, b) for b > a,
    // [a, 2a - b) for b < a.
    int randi(int a, int b) { return a == b ? a : a + randi() % (b - a); }

    // Next float, 0 <= r <= 1.
    float randf() {
        float v = floatTable[floatIndex];
        floatTable[floatIndex] = 1 - v;
        floatIndex = (floatIndex + 1) & 0xffff;
        return v;
    }
    float randf(float m) { return randf() * m; }
    // a + randf() * (b - a): in [a, b].
    float randf(float a, float b) { return a + randf() * (b - a); }
};

} // namespace quenth

#endif
