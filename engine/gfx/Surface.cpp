#include "engine/gfx/Surface.h"

#include <cstddef>
#include <cstring>

namespace quenth {

namespace {

long long minll(long long a, long long b) {
    return a < b ? a : b;
}
long long maxll(long long a, long long b) {
    return a > b ? a : b;
}

} // namespace

Surface::Surface(int w, int h) {
    width = w < 1 ? 1 : w;
    height = h < 1 ? 1 : h;
    pixels = new unsigned[(size_t)width * (size_t)height]();
}

Surface::Surface(Surface const& other) {
    width = other.width;
    height = other.height;
    size_t n = (size_t)width * (size_t)height;
    pixels = new unsigned[n];
    memcpy(pixels, other.pixels, n * sizeof(unsigned));
}

Surface::~Surface() {
    delete[] pixels;
}

Surface& Surface::operator=(Surface const& other) {
    if (this == &other) return *this;
    size_t n = (size_t)other.width * (size_t)other.height;
    unsigned* p = new unsigned[n];
    memcpy(p, other.pixels, n * sizeof(unsigned));
    delete[] pixels;
    pixels = p;
    width = other.width;
    height = other.height;
    return *this;
}

void Surface::setPixel(int x, int y, unsigned c) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[(size_t)y * width + x] = c;
}

unsigned Surface::getPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return pixels[(size_t)y * width + x];
}

void Surface::copy(Surface const* src, int srcX, int srcY, int dstX, int dstY, int w, int h) {
    if (!src || src == this) return;
    if (w < 0) w = src->width;
    if (h < 0) h = src->height;
    if (w == 0 || h == 0) return;
    // Clip the block against both surfaces once, then copy whole row spans.
    // Offsets within the block; 64-bit so that extreme arguments cannot wrap.
    long long x0 = maxll(0, maxll(-(long long)srcX, -(long long)dstX));
    long long y0 = maxll(0, maxll(-(long long)srcY, -(long long)dstY));
    long long x1 = minll(w, minll((long long)src->width - srcX, (long long)width - dstX));
    long long y1 = minll(h, minll((long long)src->height - srcY, (long long)height - dstY));
    if (x0 >= x1 || y0 >= y1) return;
    for (long long y = y0; y < y1; y++) {
        unsigned const* s = src->pixels + (size_t)(srcY + y) * src->width + (srcX + x0);
        unsigned* d = pixels + (size_t)(dstY + y) * width + (dstX + x0);
        memcpy(d, s, (size_t)(x1 - x0) * sizeof(unsigned));
    }
}

void Surface::replaceColor(unsigned from, unsigned to) {
    size_t n = (size_t)width * (size_t)height;
    for (size_t i = 0; i < n; i++)
        if (pixels[i] == from) pixels[i] = to;
}

void Surface::makeTilable(int border) {
    int lim = (width < height ? width : height) / 2;
    if (border > lim) border = lim;
    if (border < 1) border = 1;
    (void)border;
}

} // namespace quenth
