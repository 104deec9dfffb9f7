#ifndef QUENTH_GFX_SURFACE_H
#define QUENTH_GFX_SURFACE_H

namespace quenth {

// A CPU-side image of 32-bit pixels in the layout of Color (red in the lowest
// byte, alpha in the highest), not premultiplied. Row 0 is the top row; rows
// follow each other without padding. Every access is bounds-tested.
class Surface {
public:
    unsigned* pixels; // width * height pixels, row-major; owned, never null
    int width;        // pixels, at least 1
    int height;       // pixels, at least 1

    // Sizes below 1 become 1. The pixels start as transparent black (0).
    Surface(int w, int h);
    Surface(Surface const& other);
    ~Surface();
    Surface& operator=(Surface const& other);

    // Writes only inside the surface.
    void setPixel(int x, int y, unsigned c);
    // 0 outside the surface.
    unsigned getPixel(int x, int y) const;

    // Copies a w x h block of src at (srcX, srcY) to (dstX, dstY). A negative
    // w or h means src's full width or height. Source pixels outside src are
    // skipped and destination pixels outside this surface dropped; copying
    // from this surface itself or a block of zero size does nothing.
    void copy(Surface const* src, int srcX, int srcY, int dstX, int dstY, int w, int h);

    // Every pixel exactly equal to from becomes to.
    void replaceColor(unsigned from, unsigned to);

    // Kept for the library's interface: clamps border to
    // [1, min(width, height) / 2] and leaves the pixels as they are.
    void makeTilable(int border);
};

} // namespace quenth

#endif
