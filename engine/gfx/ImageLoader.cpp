#include "engine/gfx/ImageLoader.h"

#include "engine/gfx/Color.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>

namespace quenth {

int ImageLoader::lastError = 0;

namespace {

// decoded, or null (and decoded freed) when it is implausibly large: refused
// before the copies that conversion makes.
SDL_Surface* withinLimits(SDL_Surface* decoded) {
    if (decoded && (decoded->w > ImageLoader::MAX_SIDE || decoded->h > ImageLoader::MAX_SIDE)) {
        SDL_FreeSurface(decoded);
        return nullptr;
    }
    return decoded;
}

// The decoded image in the display's 32-bit format with alpha; frees
// decoded. Null when it cannot be converted.
SDL_Surface* toDisplayFormat(SDL_Surface* decoded) {
    SDL_Surface* converted = SDL_DisplayFormatAlpha(decoded);
    SDL_FreeSurface(decoded);
    return converted;
}

// A plain image (ImageLoader::isPlain) as a Surface, frees s. Each channel is
// taken as it is, and alpha is opaque where s has none: what the display
// format's conversion gives for such images, without its two copies.
Surface* readPlain(SDL_Surface* s, bool colorKey) {
    Surface* out = new Surface(s->w, s->h);
    SDL_PixelFormat const* f = s->format;
    int bytes = f->BytesPerPixel;
    uint32_t opaque = f->Amask ? 0u : 255u << Color::ashift;
    if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
    Uint8 const* row = static_cast<Uint8 const*>(s->pixels);
    unsigned* dst = out->pixels;
    for (int y = 0; y < s->h; y++, row += s->pitch) {
        Uint8 const* src = row;
        for (int x = 0; x < s->w; x++, src += bytes) {
            // SDL keeps pixels in the machine's byte order (little-endian
            // here); a 3-byte pixel is the low three bytes of the value.
            uint32_t p = src[0] | (uint32_t)src[1] << 8 | (uint32_t)src[2] << 16;
            if (bytes == 4) p |= (uint32_t)src[3] << 24;
            uint32_t c = opaque;
            c |= ((p & f->Rmask) >> f->Rshift) << Color::rshift;
            c |= ((p & f->Gmask) >> f->Gshift) << Color::gshift;
            c |= ((p & f->Bmask) >> f->Bshift) << Color::bshift;
            if (f->Amask) c |= ((p & f->Amask) >> f->Ashift) << Color::ashift;
            *dst++ = c;
        }
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    if (colorKey) out->replaceColor(out->getPixel(0, 0), 0);
    return out;
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

bool ImageLoader::isPlain(SDL_Surface const* s) {
    SDL_PixelFormat const* f = s ? s->format : nullptr;
    if (!f || f->palette || (s->flags & SDL_SRCCOLORKEY)) return false;
    if (f->BytesPerPixel != 3 && f->BytesPerPixel != 4) return false;
    // An alpha for the whole surface is not the image's: left to SDL.
    if (!f->Amask && (s->flags & SDL_SRCALPHA)) return false;
    // Every channel a whole byte of its own.
    Uint32 masks[4] = {f->Rmask, f->Gmask, f->Bmask, f->Amask};
    Uint8 shifts[4] = {f->Rshift, f->Gshift, f->Bshift, f->Ashift};
    Uint32 seen = 0;
    for (int i = 0; i < 4; i++) {
        if (i == 3 && masks[i] == 0) break;
        if (shifts[i] % 8 != 0 || shifts[i] >= 8 * f->BytesPerPixel || masks[i] != 0xffu << shifts[i] ||
            (seen & masks[i]))
            return false;
        seen |= masks[i];
    }
    return true;
}

SDL_Surface* ImageLoader::decode(char const* path) {
    return path ? withinLimits(IMG_Load(path)) : nullptr;
}

Surface* ImageLoader::fromDecoded(SDL_Surface* s, bool colorKey) {
    if (!s) return nullptr;
    if (isPlain(s)) return readPlain(s, colorKey);
    SDL_Surface* converted = toDisplayFormat(s);
    return converted ? prepareImage(converted, true, colorKey) : nullptr;
}

Surface* ImageLoader::load(char const* path, bool colorKey) {
    Surface* out = fromDecoded(decode(path), colorKey);
    lastError = out ? OK : FILE_FAILED;
    return out;
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
    Surface* out = fromDecoded(withinLimits(decoded), colorKey);
    if (!out) lastError = BUFFER_FAILED;
    return out;
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
