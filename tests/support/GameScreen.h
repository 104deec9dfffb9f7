#ifndef TESTSUPPORT_GAMESCREEN_H
#define TESTSUPPORT_GAMESCREEN_H

#include "tests/support/Image.h"

#include <functional>

namespace testsupport {

// Reading the game's 1280 x 720 screen in the end-to-end tests: regions of
// its layout and the colours of what it draws.
struct Rect {
    int x0, y0, x1, y1; // pixels, x1 and y1 excluded
};

const Rect SCORE_BOX = {0, 0, 200, 45};        // score panel and the number at (15, 12)
const Rect SCORE_DIGITS = {12, 10, 180, 27};   // the score's digits in the panel
const Rect RADAR_BOX = {1030, 470, 1270, 710}; // radar panel centred on (1150, 590)
const Rect WEAPON_BOX = {0, 630, 200, 720};    // energy and hull panel
const Rect CENTRE = {440, 200, 840, 520};      // the ship and its near surroundings
const Rect WAVE_TEXT = {440, 260, 840, 320};   // "Wave 1 incoming" at (640, 288)
const Rect SCREEN = {0, 0, 1280, 720};
const Rect MENU_ITEMS = {340, 300, 940, 620}; // the main menu's items

typedef std::function<bool(Pixel)> PixelTest;

// Share and number of the pixels of r for which pred holds.
double share(Image const& img, Rect r, PixelTest const& pred);
long count(Image const& img, Rect r, PixelTest const& pred);
// Mean of all channels of all pixels, 0-255.
double meanLevel(Image const& img);
// Centre of the pixels of r for which pred holds; false (and -1, -1) when
// there are at most minPixels of them.
bool centroid(Image const& img, Rect r, PixelTest const& pred, double& cx, double& cy, long minPixels = 50);

bool bright(Pixel p);
// The ship's core and glow: bright in every channel.
bool shipPixel(Pixel p);
// The halo of a plasma bolt: full blue with red above green (violet), short of white.
bool boltPixel(Pixel p);
// Enemy hulls are outlined in red.
bool enemyPixel(Pixel p);
// White text at least about two thirds opaque: light and grey.
bool lightPixel(Pixel p);
// The selected item of a menu: light cyan text on its highlight bar.
bool selectedPixel(Pixel p);

// A menu with an item highlighted is on the screen.
bool showsMenu(Image const& img);

// Centre of the ship's pixels in the middle of the screen; (-1, -1) when none.
void shipCentre(Image const& img, double& cx, double& cy);

} // namespace testsupport

#endif
