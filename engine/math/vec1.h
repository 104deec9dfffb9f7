#ifndef QUENTH_MATH_VEC1_H
#define QUENTH_MATH_VEC1_H

namespace quenth {

// A single float; exists for clamping a scalar the same way as the wider vectors.
struct vec1 {
    float x;

    vec1() : x(0) {}
    vec1(float x) : x(x) {}

    // Clamps x to [lo, hi]; a value above hi becomes hi, else one below lo becomes lo.
    vec1& clamp(float lo, float hi) {
        if (x > hi)
            x = hi;
        else if (x < lo)
            x = lo;
        return *this;
    }
};

} // namespace quenth

#endif
