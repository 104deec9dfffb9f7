#ifndef QUENTH_GFX_IMAGELOADER_H
#define QUENTH_GFX_IMAGELOADER_H

struct SDL_Surface;

namespace quenth {

class Surface;
class Texture;

// Decodes image files (PNG and whatever else SDL_image reads) into Surfaces
// and Textures. Images of 8 bits per channel in 3 or 4 bytes a pixel (what
// RGB and RGBA PNG files decode to) are read straight; any other layout is
// converted through SDL_DisplayFormatAlpha, for which the video mode must be
// set. Both give the same pixels. Ownership of every result passes to the
// caller.
class ImageLoader {
public:
    // Outcome of the latest load: one of the codes below.
    static int lastError;

    static constexpr int OK = 0;
    static constexpr int BUFFER_FAILED = 1; // an in-memory image could not be decoded
    static constexpr int FILE_FAILED = 2;   // an image file could not be loaded
    static constexpr int TOO_LARGE = 3;     // decoded, but too large for a texture of this GL

    // Images wider or taller than this are refused right after decoding,
    // before the copies that conversion makes: the game's art is at most
    // 1024 pixels a side, and a huge file must not exhaust memory.
    static constexpr int MAX_SIDE = 8192;

    // Null on failure. With colorKey, every pixel equal to the top-left one
    // (all four channels) becomes transparent black.
    static Surface* load(char const* path, bool colorKey);
    // As load, from an image file held in memory; a success leaves lastError
    // as it was.
    static Surface* loadBuf(void const* data, unsigned size, bool colorKey);
    // Always returns a Texture; after a failure it is named but has no
    // storage and lastError says why.
    static Texture* loadTexture(char const* path, bool colorKey);
    static Texture* loadBufTexture(void const* data, unsigned size, bool colorKey);
    // The texture of s (null allowed: a texture without storage); deletes s.
    // A decoded image that the GL cannot hold is a failure too (TOO_LARGE).
    static Texture* makeTexture(Surface* s);
    // The first half of load, for worker threads: the file as SDL_image
    // decodes it, or null when it cannot be read or is larger than MAX_SIDE
    // either way. Needs no window; calls on separate files may run at once.
    static SDL_Surface* decode(char const* path);
    // s's pixels can be read straight, without the window: 8 bits per
    // channel in 3 or 4 bytes a pixel, no palette, no colour key and no
    // alpha for the whole surface.
    static bool isPlain(SDL_Surface const* s);
    // The second half of load: a new Surface of a decoded image, freeing s.
    // Plain images may be converted on any thread, others only on the one
    // that set the video mode. Null s or a failed conversion gives null.
    static Surface* fromDecoded(SDL_Surface* s, bool colorKey);
    // Converts a 32-bit SDL surface into a new Surface and frees s. Without
    // alpha every pixel comes out opaque. Null s gives null.
    static Surface* prepareImage(SDL_Surface* s, bool alpha, bool colorKey);
};

} // namespace quenth

#endif
