#include "tools/assetgen/Image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <png.h>

Image::Image(int w, int h) : width(w), height(h), p(static_cast<size_t>(w) * h * 4, 0.0f) {}

namespace {

// One box pass of radius r over n samples spaced by stride (4 channels each).
void boxLine(float* data, int n, int stride, int r, std::vector<float>& tmp) {
    tmp.assign(static_cast<size_t>(n) * 4, 0.0f);
    float sum[4] = {0, 0, 0, 0};
    const float inv = 1.0f / (2 * r + 1);
    for (int i = -r; i <= r; ++i)
        if (i >= 0 && i < n)
            for (int c = 0; c < 4; ++c) sum[c] += data[static_cast<size_t>(i) * stride + c];
    for (int i = 0; i < n; ++i) {
        for (int c = 0; c < 4; ++c) tmp[static_cast<size_t>(i) * 4 + c] = sum[c] * inv;
        int out = i - r, in = i + r + 1;
        if (out >= 0)
            for (int c = 0; c < 4; ++c) sum[c] -= data[static_cast<size_t>(out) * stride + c];
        if (in < n)
            for (int c = 0; c < 4; ++c) sum[c] += data[static_cast<size_t>(in) * stride + c];
    }
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < 4; ++c)
            data[static_cast<size_t>(i) * stride + c] = tmp[static_cast<size_t>(i) * 4 + c];
}

unsigned char toByte(float v) {
    v = std::min(std::max(v, 0.0f), 1.0f);
    return static_cast<unsigned char>(std::lround(v * 255.0f));
}

} // namespace

void Image::blur(float sigma) {
    if (sigma <= 0.0f) return;
    // Three box passes whose variances add up to sigma^2.
    int r =
        std::max(1, static_cast<int>(std::lround((std::sqrt(4.0f * sigma * sigma + 1.0f) - 1.0f) / 2.0f)));
    std::vector<float> tmp;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y) boxLine(at(0, y), width, 4, r, tmp);
        for (int x = 0; x < width; ++x) boxLine(at(x, 0), height, width * 4, r, tmp);
    }
}

void Image::add(const Image& o, float k) {
    for (size_t i = 0; i < p.size(); ++i) p[i] += k * o.p[i];
}

void Image::over(const Image& o) {
    for (size_t i = 0; i < p.size(); i += 4) {
        float ia = 1.0f - o.p[i + 3];
        for (int c = 0; c < 4; ++c) p[i + c] = o.p[i + c] + p[i + c] * ia;
    }
}

void Image::scale(float k) {
    for (float& v : p) v *= k;
}

void Image::fadeBorder(float margin) {
    auto ramp = [margin](float d) {
        float t = std::min(std::max(d / margin, 0.0f), 1.0f);
        return t * t * (3 - 2 * t);
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float dx = std::min(x, width - 1 - x) + 0.5f, dy = std::min(y, height - 1 - y) + 0.5f;
            float k = ramp(dx) * ramp(dy);
            float* px = at(x, y);
            for (int c = 0; c < 4; ++c) px[c] *= k;
        }
}

void Image::tint(float r, float g, float b) {
    for (size_t i = 0; i < p.size(); i += 4) {
        p[i] *= r;
        p[i + 1] *= g;
        p[i + 2] *= b;
    }
}

void Image::mask(const Image& m) {
    for (size_t i = 0; i < p.size(); i += 4)
        for (int c = 0; c < 4; ++c) p[i + c] *= m.p[i + 3];
}

void Image::blit(const Image& o, int x0, int y0) {
    for (int y = 0; y < o.height; ++y) {
        int ty = y0 + y;
        if (ty < 0 || ty >= height) continue;
        for (int x = 0; x < o.width; ++x) {
            int tx = x0 + x;
            if (tx < 0 || tx >= width) continue;
            std::copy(o.at(x, y), o.at(x, y) + 4, at(tx, ty));
        }
    }
}

Image Image::downsample(int f) const {
    Image r(width / f, height / f);
    const float inv = 1.0f / (f * f);
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            float* d = r.at(x, y);
            for (int j = 0; j < f; ++j)
                for (int i = 0; i < f; ++i) {
                    const float* s = at(x * f + i, y * f + j);
                    for (int c = 0; c < 4; ++c) d[c] += s[c] * inv;
                }
        }
    return r;
}

Image Image::resized(int w, int h) const {
    Image r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float sx = (x + 0.5f) * width / w - 0.5f, sy = (y + 0.5f) * height / h - 0.5f;
            int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
            float fx = sx - x0, fy = sy - y0;
            float* d = r.at(x, y);
            for (int j = 0; j < 2; ++j)
                for (int i = 0; i < 2; ++i) {
                    int xi = std::min(std::max(x0 + i, 0), width - 1);
                    int yi = std::min(std::max(y0 + j, 0), height - 1);
                    float wgt = (i ? fx : 1 - fx) * (j ? fy : 1 - fy);
                    const float* s = at(xi, yi);
                    for (int c = 0; c < 4; ++c) d[c] += s[c] * wgt;
                }
        }
    return r;
}

bool Image::savePng(const std::string& path, bool alpha) const {
    const int ch = alpha ? 4 : 3;
    std::vector<unsigned char> out(static_cast<size_t>(width) * height * ch);
    if (alpha) {
        // Straight (un-premultiplied) colour, and a mask of the pixels that show.
        std::vector<float> col(static_cast<size_t>(width) * height * 3, 0.0f);
        std::vector<unsigned char> known(static_cast<size_t>(width) * height, 0);
        for (int i = 0; i < width * height; ++i) {
            float a = std::min(p[i * 4 + 3], 1.0f);
            if (toByte(a) > 0) {
                for (int c = 0; c < 3; ++c) col[i * 3 + c] = std::min(p[i * 4 + c] / a, 1.0f);
                known[i] = 1;
            }
        }
        // Grow the visible colours a few pixels into the transparent area.
        for (int pass = 0; pass < 4; ++pass) {
            std::vector<unsigned char> next = known;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    int i = y * width + x;
                    if (known[i]) continue;
                    float s[3] = {0, 0, 0};
                    int n = 0;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            int nx = x + dx, ny = y + dy;
                            if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
                            int j = ny * width + nx;
                            if (!known[j]) continue;
                            for (int c = 0; c < 3; ++c) s[c] += col[j * 3 + c];
                            ++n;
                        }
                    if (n) {
                        for (int c = 0; c < 3; ++c) col[i * 3 + c] = s[c] / n;
                        next[i] = 1;
                    }
                }
            known.swap(next);
        }
        for (int i = 0; i < width * height; ++i) {
            for (int c = 0; c < 3; ++c) out[i * 4 + c] = toByte(col[i * 3 + c]);
            out[i * 4 + 3] = toByte(p[i * 4 + 3]);
        }
    } else {
        for (int i = 0; i < width * height; ++i)
            for (int c = 0; c < 3; ++c) out[i * 3 + c] = toByte(p[i * 4 + c]);
    }

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, width, height, 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, &out[static_cast<size_t>(y) * width * ch]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}
