// A Cairo drawing surface whose result becomes an Image.
#pragma once

#include "tools/assetgen/Image.h"

#include <cairo.h>

// Owns a premultiplied ARGB32 Cairo surface and its context. With unit set,
// user space runs from -1 to 1 across both axes (y down), centred.
class Canvas {
public:
    int width;             // pixels
    int height;            // pixels
    cairo_surface_t* surf; // owned
    cairo_t* cr;           // owned

    Canvas(int w, int h, bool unit);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The picture drawn so far.
    Image image();
    // One pixel in user units along x at the current unit setup.
    double px() const { return 2.0 / width; }
};
