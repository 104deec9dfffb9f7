#include "tests/support/Image.h"

#include <SDL/SDL.h>

#include <cstdlib>

namespace testsupport {

Image Image::loadBmp(std::string const& path) {
    Image img;
    SDL_Surface* s = SDL_LoadBMP(path.c_str());
    if (!s) return img;
    SDL_LockSurface(s);
    img.width = s->w;
    img.height = s->h;
    img.data.resize(s->w * s->h);
    int bpp = s->format->BytesPerPixel;
    for (int y = 0; y < s->h; y++) {
        for (int x = 0; x < s->w; x++) {
            const Uint8* p = (const Uint8*)s->pixels + y * s->pitch + x * bpp;
            Uint32 v = 0;
            for (int i = 0; i < bpp; i++) v |= (Uint32)p[i] << (8 * i);
            Pixel& out = img.data[y * s->w + x];
            SDL_GetRGB(v, s->format, &out.r, &out.g, &out.b);
            out.a = 255;
        }
    }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return img;
}

double Image::brighterThan(int level) const {
    if (data.empty()) return 0;
    size_t n = 0;
    for (auto const& p : data)
        if (p.r > level || p.g > level || p.b > level) n++;
    return (double)n / data.size();
}

double Image::brighterThan(int level, int x0, int y0, int x1, int y1) const {
    long n = 0, all = 0;
    for (int y = y0; y < y1 && y < height; y++)
        for (int x = x0; x < x1 && x < width; x++, all++) {
            Pixel const& p = at(x, y);
            if (p.r > level || p.g > level || p.b > level) n++;
        }
    return all ? (double)n / all : 0;
}

double Image::meanDifference(Image const& o) const {
    if (width != o.width || height != o.height || data.empty()) return 255;
    double sum = 0;
    for (size_t i = 0; i < data.size(); i++)
        sum += std::abs(data[i].r - o.data[i].r) + std::abs(data[i].g - o.data[i].g) +
               std::abs(data[i].b - o.data[i].b);
    return sum / (3.0 * data.size());
}

} // namespace testsupport
