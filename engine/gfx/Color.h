#ifndef QUENTH_GFX_COLOR_H
#define QUENTH_GFX_COLOR_H

#include <cstdint>

namespace quenth {

// Packs and unpacks 32-bit pixel values. The channel layout lives in the
// statics below so that every pixel routine reads one definition; init() sets
// red in the lowest byte and alpha in the highest (bytes R, G, B, A in memory
// on a little-endian machine, which is what glTexImage2D with GL_RGBA and
// GL_UNSIGNED_BYTE reads). Channel arguments are clamped to 255.
class Color {
public:
    static uint32_t rmask; // bits of red in a pixel
    static uint32_t gmask; // bits of green
    static uint32_t bmask; // bits of blue
    static uint32_t amask; // bits of alpha
    static uint8_t rshift; // bit position of red
    static uint8_t gshift; // bit position of green
    static uint8_t bshift; // bit position of blue
    static uint8_t ashift; // bit position of alpha

    static void init();

    static uint32_t getColor(uint16_t r, uint16_t g, uint16_t b, uint16_t a);

    static uint32_t getR(uint32_t c) { return (c & rmask) >> rshift; }
    static uint32_t getG(uint32_t c) { return (c & gmask) >> gshift; }
    static uint32_t getB(uint32_t c) { return (c & bmask) >> bshift; }
    static uint32_t getA(uint32_t c) { return (c & amask) >> ashift; }

    static uint32_t setR(uint32_t c, uint16_t v);
    static uint32_t setG(uint32_t c, uint16_t v);
    static uint32_t setB(uint32_t c, uint16_t v);
    static uint32_t setA(uint32_t c, uint16_t v);

    // Per channel (all four): (c2 * (255 - a) + c1 * a) >> 8.
    static uint32_t blend(uint32_t c1, uint32_t c2, uint16_t a);
    // Per channel: min(((c1 * a) >> 8) + c2, 255).
    static uint32_t add(uint32_t c1, uint32_t c2, uint16_t a);
    // Per channel: (((c1 * a) >> 8) * c2) >> 8.
    static uint32_t multiply(uint32_t c1, uint32_t c2, uint16_t a);
};

} // namespace quenth

#endif
