// A DejaVu outline face read through FreeType, its glyphs turned into Cairo paths.
#pragma once

#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <string>

// Owns a FreeType library instance (one per job: FreeType libraries are not
// shared between threads) and the face. Outlines are taken unhinted, in font
// units, and scaled by the caller's em size.
class FontFace {
public:
    FT_Library library; // owned
    FT_Face face;       // owned

    explicit FontFace(const std::string& path);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // Appends the outline of character code to the current path with its
    // origin (on the baseline) at (x, y), em sizes emX across and emY up
    // (Cairo's y grows downwards). Returns the advance in em units; 0 and no
    // path for a character the face lacks.
    double glyphPath(cairo_t* cr, unsigned code, double x, double y, double emX, double emY) const;
    // Ink bounds of a character in em units (y up); false when it has no outline.
    bool inkBounds(unsigned code, double& x0, double& y0, double& x1, double& y1) const;
};
