#include "engine/gfx/ImageLoader.h"

#include "engine/gfx/Color.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>

namespace quenth {

int ImageLoader::lastError = 0;

namespace {

// The decoded image in the display's 32-bit format with alpha; frees
// decoded. Null when the image is implausibly large or cannot be converted.
SDL_Surface* toDisplayFormat(SDL_Surface* decoded) {
    if (!decoded) return nullptr;
    SDL_Surface* converted = nullptr;
    if (decoded->w <= ImageLoader::MAX_SIDE && decoded->h <= ImageLoader::MAX_SIDE)
        converted = SDL_DisplayFormatAlpha(decoded);
    SDL_FreeSurface(decoded);
    return converted;
}

// Pixel formats other than 32 bits (should a display ever give one) are
// first converted, so prepareImage can read whole words.
SDL_Surface* to32Bits(SDL_Surface* s) {
    if (s->format->BytesPerPixel == 4) return s;
    SDL_Surface* c =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0x000000ff, 0x0000ff00, 0x00ff0000, 0xff000000);
    SDL_Surface* out = c ? SDL_ConvertSurface(s, c->format, SDL_SWSURFACE) : nullptr;
    if (c) SDL_FreeSurface(c);
    SDL_FreeSurface(s);
    return out;
}

} // namespace

Surface* ImageLoader::prepareImage(SDL_Surface* s, bool alpha, bool colorKey) {
    if (!s) return nullptr;
    s = to32Bits(s);
    if (!s) return nullptr;
    Surface* out = new Surface(s->w, s->h);
    SDL_PixelFormat const* f = s->format;
    unsigned base = alpha ? 0u : Color::getColor(0, 0, 0, 255);
    if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
    Uint8 const* row = static_cast<Uint8 const*>(s->pixels);
    for (int y = 0; y < s->h; y++, row += s->pitch) {
        Uint32 const* src = reinterpret_cast<Uint32 const*>(row);
        for (int x = 0; x < s->w; x++) {
            Uint32 p = src[x];
            unsigned c = base;
            c = Color::setR(c, ((p & f->Rmask) >> f->Rshift) << f->Rloss);
            c = Color::setG(c, ((p & f->Gmask) >> f->Gshift) << f->Gloss);
            c = Color::setB(c, ((p & f->Bmask) >> f->Bshift) << f->Bloss);
            if (alpha) c = Color::setA(c, ((p & f->Amask) >> f->Ashift) << f->Aloss);
            out->pixels[(size_t)y * out->width + x] = c;
        }
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    if (colorKey) out->replaceColor(out->getPixel(0, 0), 0);
    return out;
}

Surface* ImageLoader::load(char const* path, bool colorKey) {
    SDL_Surface* converted = path ? toDisplayFormat(IMG_Load(path)) : nullptr;
    if (!converted) {
        lastError = FILE_FAILED;
        return nullptr;
    }
    lastError = OK;
    return prepareImage(converted, true, colorKey);
}

Surface* ImageLoader::loadBuf(void const* data, unsigned size, bool colorKey) {
    SDL_Surface* decoded = nullptr;
    if (data && size > 0 && size <= 0x7fffffffu) {
        SDL_RWops* rw = SDL_RWFromConstMem(data, (int)size);
        if (rw) {
            decoded = IMG_Load_RW(rw, 0);
            SDL_FreeRW(rw);
        }
    }
    SDL_Surface* converted = toDisplayFormat(decoded);
    if (!converted) {
        lastError = BUFFER_FAILED;
        return nullptr;
    }
    return prepareImage(converted, true, colorKey);
}

Texture* ImageLoader::makeTexture(Surface* s) {
    Texture* t = new Texture(s);
    if (s && !t->hasStorage()) lastError = TOO_LARGE;
    delete s;
    return t;
}

Texture* ImageLoader::loadTexture(char const* path, bool colorKey) {
    return makeTexture(load(path, colorKey));
}

Texture* ImageLoader::loadBufTexture(void const* data, unsigned size, bool colorKey) {
    return makeTexture(loadBuf(data, size, colorKey));
}

} // namespace quenth
