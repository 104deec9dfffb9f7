#include "engine/gfx/Color.h"

namespace quenth {

uint32_t Color::rmask = 0x000000ff;
uint32_t Color::gmask = 0x0000ff00;
uint32_t Color::bmask = 0x00ff0000;
uint32_t Color::amask = 0xff000000;
uint8_t Color::rshift = 0;
uint8_t Color::gshift = 8;
uint8_t Color::bshift = 16;
uint8_t Color::ashift = 24;

namespace {

uint32_t clampByte(uint32_t v) {
    return v > 255 ? 255 : v;
}

uint32_t put(uint32_t c, uint32_t mask, uint8_t shift, uint32_t v) {
    return (c & ~mask) | ((clampByte(v) << shift) & mask);
}

template <typename T>
void setIfOther(T& v, T to) {
    if (v != to) v = to;
}

} // namespace

void Color::init() {
    // Written only where a value differs: images may already be decoding on
    // other threads (ImageBatch), reading the layout that static
    // initialisation set to these same values.
    setIfOther<uint32_t>(rmask, 0x000000ff);
    setIfOther<uint32_t>(gmask, 0x0000ff00);
    setIfOther<uint32_t>(bmask, 0x00ff0000);
    setIfOther<uint32_t>(amask, 0xff000000);
    setIfOther<uint8_t>(rshift, 0);
    setIfOther<uint8_t>(gshift, 8);
    setIfOther<uint8_t>(bshift, 16);
    setIfOther<uint8_t>(ashift, 24);
}

uint32_t Color::getColor(uint16_t r, uint16_t g, uint16_t b, uint16_t a) {
    return ((clampByte(r) << rshift) & rmask) | ((clampByte(g) << gshift) & gmask) |
           ((clampByte(b) << bshift) & bmask) | ((clampByte(a) << ashift) & amask);
}

uint32_t Color::setR(uint32_t c, uint16_t v) {
    return put(c, rmask, rshift, v);
}
uint32_t Color::setG(uint32_t c, uint16_t v) {
    return put(c, gmask, gshift, v);
}
uint32_t Color::setB(uint32_t c, uint16_t v) {
    return put(c, bmask, bshift, v);
}
uint32_t Color::setA(uint32_t c, uint16_t v) {
    return put(c, amask, ashift, v);
}

uint32_t Color::blend(uint32_t c1, uint32_t c2, uint16_t a) {
    uint32_t f = clampByte(a);
    uint32_t r = (getR(c2) * (255 - f) + getR(c1) * f) >> 8;
    uint32_t g = (getG(c2) * (255 - f) + getG(c1) * f) >> 8;
    uint32_t b = (getB(c2) * (255 - f) + getB(c1) * f) >> 8;
    uint32_t al = (getA(c2) * (255 - f) + getA(c1) * f) >> 8;
    return getColor(r, g, b, al);
}

uint32_t Color::add(uint32_t c1, uint32_t c2, uint16_t a) {
    uint32_t f = clampByte(a);
    uint32_t r = ((getR(c1) * f) >> 8) + getR(c2);
    uint32_t g = ((getG(c1) * f) >> 8) + getG(c2);
    uint32_t b = ((getB(c1) * f) >> 8) + getB(c2);
    uint32_t al = ((getA(c1) * f) >> 8) + getA(c2);
    return getColor(clampByte(r), clampByte(g), clampByte(b), clampByte(al));
}

uint32_t Color::multiply(uint32_t c1, uint32_t c2, uint16_t a) {
    uint32_t f = clampByte(a);
    uint32_t r = (((getR(c1) * f) >> 8) * getR(c2)) >> 8;
    uint32_t g = (((getG(c1) * f) >> 8) * getG(c2)) >> 8;
    uint32_t b = (((getB(c1) * f) >> 8) * getB(c2)) >> 8;
    uint32_t al = (((getA(c1) * f) >> 8) * getA(c2)) >> 8;
    return getColor(r, g, b, al);
}

} // namespace quenth
