#include "tests/support/GameScreen.h"

#include <algorithm>

namespace testsupport {

double share(Image const& img, Rect r, PixelTest const& pred) {
    long n = 0, all = 0;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x, ++all)
            if (pred(img.at(x, y))) ++n;
    return all ? (double)n / all : 0;
}

long count(Image const& img, Rect r, PixelTest const& pred) {
    return (long)(share(img, r, pred) * (r.x1 - r.x0) * (r.y1 - r.y0) + 0.5);
}

double meanLevel(Image const& img) {
    double sum = 0;
    for (Pixel const& p : img.data) sum += p.r + p.g + p.b;
    return img.data.empty() ? 0 : sum / (3.0 * img.data.size());
}

bool centroid(Image const& img, Rect r, PixelTest const& pred, double& cx, double& cy, long minPixels) {
    double sx = 0, sy = 0;
    long n = 0;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x)
            if (pred(img.at(x, y))) {
                sx += x;
                sy += y;
                ++n;
            }
    bool found = n > minPixels;
    cx = found ? sx / n : -1;
    cy = found ? sy / n : -1;
    return found;
}

bool bright(Pixel p) {
    return p.r > 64 || p.g > 64 || p.b > 64;
}

bool shipPixel(Pixel p) {
    return p.r > 150 && p.g > 150 && p.b > 200;
}

bool boltPixel(Pixel p) {
    return p.b >= 250 && p.r >= 120 && p.r < 250 && p.r > p.g;
}

bool enemyPixel(Pixel p) {
    return p.r > 180 && p.g < 110 && p.b < 110;
}

bool lightPixel(Pixel p) {
    int lo = std::min(std::min(p.r, p.g), p.b), hi = std::max(std::max(p.r, p.g), p.b);
    return lo > 150 && hi - lo < 40;
}

bool selectedPixel(Pixel p) {
    return p.g > 190 && p.b > 220 && p.r < 175 && p.r + 50 < p.g;
}

bool showsMenu(Image const& img) {
    return img.ok() && count(img, MENU_ITEMS, selectedPixel) > 50;
}

void shipCentre(Image const& img, double& cx, double& cy) {
    centroid(img, CENTRE, shipPixel, cx, cy);
}

} // namespace testsupport
