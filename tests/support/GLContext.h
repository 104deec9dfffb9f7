#ifndef TESTSUPPORT_GLCONTEXT_H
#define TESTSUPPORT_GLCONTEXT_H

#include <vector>

namespace testsupport {

// One pixel as read back from GL: bytes 0-255.
struct Pixel {
    unsigned char r, g, b, a;
};

// Starts SDL's timer and video on the X11 driver, retrying while the X server
// cannot be reached; Quenth::init then keeps that SDL. Tests that call
// Quenth::init themselves call this first.
void startSDLVideo();

// Opens a 1280 x 720 window with a GL context the first time it is called in
// a process (windowed, no vsync) and leaves it open until the process ends.
// Needs a display: tools/test.sh runs the suite under xvfb-run.
void ensureGLContext();

// Puts the state that drawing tests rely on back to a known start: window
// framebuffer bound, viewport the whole window, no program, no texture on unit
// 0, identity matrices, blending and depth test off.
void resetGLState();

// Clears the back buffer to the colour (components 0..1).
void clearBackBuffer(float r, float g, float b, float a);

// Reads one pixel of the back buffer; (x, y) in window pixels with the origin
// at the top left, as the game's screen coordinates.
Pixel readBackPixel(int x, int y);

// Reads a w x h block of the back buffer whose top-left corner is (x, y) in
// window pixels (origin top left). The result is row-major, top row first.
std::vector<Pixel> readBackPixels(int x, int y, int w, int h);

// The same from colour attachment 0 of a framebuffer object (0: the back
// buffer) whose images are height pixels high, all four channels; the
// framebuffer bound before is bound again.
std::vector<Pixel> readFramebufferPixels(unsigned framebuffer, int height, int x, int y, int w, int h);

} // namespace testsupport

#endif
