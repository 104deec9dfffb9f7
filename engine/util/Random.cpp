#include "engine/util/Random.h"

#include <cstdlib>

namespace quenth {

Random::Random(int seed)
    : intTable(new uint32_t[tableSize]), floatTable(new float[tableSize]), intIndex(0), floatIndex(0) {
    init(seed);
}

Random::~Random() {
    delete[] intTable;
    delete[] floatTable;
}

void Random::init(int seed) {
    srand((unsigned)seed);
    intIndex = floatIndex = 0;
    // The two tables take alternate values of one rand() sequence. The float product is formed
    // in single precision, so values near 2^31 round to exactly 1.0.
    const float scale = 1.0f / 2147483648.0f;
    for (int i = 0; i < tableSize; i++) {
        intTable[i] = (uint32_t)rand() & 0x7fffffffu;
        floatTable[i] = (float)(rand() & 0x7fffffff) * scale;
    }
}

} // namespace quenth
