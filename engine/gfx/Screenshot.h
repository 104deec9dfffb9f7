#ifndef QUENTH_GFX_SCREENSHOT_H
#define QUENTH_GFX_SCREENSHOT_H

#include <string>

namespace quenth {

class NumberedFiles;

class Screenshot {
public:
    // Writes the back buffer, window-sized, to path as a BMP whose first row
    // is the top of the screen. Call it once the frame is drawn and before
    // Quenth::update() swaps it: the front buffer cannot be read back on every
    // GL (llvmpipe returns zeros). False when the file could not be written.
    static bool saveScreenshot(char const* path);

    // The same as the next member of a series: written to a temporary file,
    // then given the series' next free name, so that no earlier picture is
    // ever replaced. Returns that name, empty when nothing was saved.
    static std::string saveNumbered(NumberedFiles& series);
};

} // namespace quenth

#endif
