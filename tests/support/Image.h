#ifndef TESTSUPPORT_IMAGE_H
#define TESTSUPPORT_IMAGE_H

#include "tests/support/GLContext.h"

#include <string>
#include <vector>

namespace testsupport {

// A picture read from a BMP file: row-major, top row first.
class Image {
public:
    int width = 0;           // pixels, 0 when the file could not be read
    int height = 0;          // pixels
    std::vector<Pixel> data; // width * height pixels; alpha is 255

    // Reads a BMP file (any depth SDL can read).
    static Image loadBmp(std::string const& path);

    bool ok() const { return width > 0 && height > 0; }
    Pixel at(int x, int y) const { return data[y * width + x]; }
    // Share of pixels whose red, green or blue exceeds level, in the whole
    // picture or in the rectangle x0..x1, y0..y1 (x1 and y1 excluded).
    double brighterThan(int level) const;
    double brighterThan(int level, int x0, int y0, int x1, int y1) const;
    // Mean absolute difference per channel over the whole picture (0-255);
    // 255 when the sizes differ.
    double meanDifference(Image const& o) const;
};

} // namespace testsupport

#endif
