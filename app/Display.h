#ifndef VORLANE_APP_DISPLAY_H
#define VORLANE_APP_DISPLAY_H

#include "game/settings/Settings.h"

// The window as the player's display option wants it: full screen at the
// desktop's resolution, a window of a chosen size, or full screen in a
// chosen video mode. A change applies at once: the window, the GL objects
// (when the context is replaced), both scenes and the game's HUD follow.
class Display {
public:
    // A video mode: the window's size in pixels and whether it fills the screen.
    struct Mode {
        int width;
        int height;
        bool fullscreen;
    };

    // Window sizes the options menu offers, smallest first.
    static Mode const windowSizes[];
    static int const windowSizeCount;

    // The mode s asks for: "desktop" is full screen at the desktop's size
    // (1280 x 720 when SDL cannot tell it), "window" and "fullscreen" use
    // the window size.
    static Mode modeFor(Settings const& s);

    // Start-up: opens the window in the mode s asks for (SDL and the GL
    // context with it). Before anything that needs GL (Resources::load).
    static void open(Settings const& s, char const* caption);

    // The options menu: changes to the mode s asks for, now. GL objects come
    // back if the context was replaced, the world framebuffer is made at the
    // new size, the HUD scene takes it and a running game re-places its HUD.
    // False when the mode could not be set: the previous one stays (with a
    // warning on standard error).
    static bool apply(Settings const& s);
};

#endif
