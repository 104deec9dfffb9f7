#include "tools/assetgen/Canvas.h"

#include <cstdint>

Canvas::Canvas(int w, int h, bool unit) : width(w), height(h) {
    surf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cr = cairo_create(surf);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_BEST);
    if (unit) {
        cairo_translate(cr, w * 0.5, h * 0.5);
        cairo_scale(cr, w * 0.5, h * 0.5);
    }
}

Canvas::~Canvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surf);
}

Image Canvas::image() {
    cairo_surface_flush(surf);
    Image img(width, height);
    const unsigned char* data = cairo_image_surface_get_data(surf);
    const int stride = cairo_image_surface_get_stride(surf);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            uint32_t v = row[x];
            float* d = img.at(x, y);
            d[0] = ((v >> 16) & 255) / 255.0f;
            d[1] = ((v >> 8) & 255) / 255.0f;
            d[2] = (v & 255) / 255.0f;
            d[3] = (v >> 24) / 255.0f;
        }
    }
    return img;
}
