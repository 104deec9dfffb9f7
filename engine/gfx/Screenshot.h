#ifndef QUENTH_GFX_SCREENSHOT_H
#define QUENTH_GFX_SCREENSHOT_H

namespace quenth {

class Screenshot {
public:
    // Writes the back buffer, window-sized, to path as a BMP whose first row
    // is the top of the screen. Call it once the frame is drawn and before
    // Quenth::update() swaps it: the front buffer cannot be read back on every
    // GL (llvmpipe returns zeros). A file that cannot be written is skipped.
    static void saveScreenshot(char const* path);
};

} // namespace quenth

#endif
