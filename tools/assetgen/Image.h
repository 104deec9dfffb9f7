// A float RGBA picture that the generator composes its art in.
#pragma once

#include <string>
#include <vector>

// Pixels are premultiplied by alpha, each channel 0..1 (values above 1 are
// allowed while composing and clipped when written). Row 0 is the top row.
class Image {
public:
    int width;            // pixels
    int height;           // pixels
    std::vector<float> p; // width * height * 4 floats: r, g, b, a, premultiplied

    Image(int w, int h);

    float* at(int x, int y) { return &p[(static_cast<size_t>(y) * width + x) * 4]; }
    const float* at(int x, int y) const { return &p[(static_cast<size_t>(y) * width + x) * 4]; }

    // Gaussian-like blur (three box passes) of standard deviation sigma pixels;
    // outside the picture counts as transparent black.
    void blur(float sigma);
    // this += k * o (additive light, also for alpha).
    void add(const Image& o, float k = 1.0f);
    // Porter-Duff "o over this".
    void over(const Image& o);
    // Multiplies every channel (alpha too) by k.
    void scale(float k);
    // Fades everything to nothing over the outer margin pixels: textures
    // repeat, so light must not reach a picture's border.
    void fadeBorder(float margin);
    // Multiplies the colour channels by (r, g, b), alpha unchanged.
    void tint(float r, float g, float b);
    // Keeps this only where the mask has alpha: every channel times the mask's alpha.
    void mask(const Image& m);
    // Copies o into this with its top-left corner at (x, y); pixels outside are dropped.
    void blit(const Image& o, int x, int y);
    // Box-filtered copy at an integer fraction of the size (f divides width and height).
    Image downsample(int f) const;
    // Bilinear resample to w x h.
    Image resized(int w, int h) const;

    // Writes an 8-bit PNG. With alpha the colour is un-premultiplied and fully
    // transparent pixels take the colour of their nearest visible neighbours,
    // so linear filtering does not pull dark fringes into sprite edges. Without
    // alpha the picture is written as RGB over black (for additive images).
    bool savePng(const std::string& path, bool alpha) const;
};
