#ifndef VORLANE_GAME_SCREENSHOTNOTICE_H
#define VORLANE_GAME_SCREENSHOTNOTICE_H

#include <cstdint>

#include "scene/Text.h"

// "Screenshot saved: NAME" at the bottom of the screen for two seconds, then
// fading out over half a second. There is one notice, made by the first screenshot
// and reused, so showing it allocates nothing per frame. It runs on the frame
// clock: it shows on the title page, during fades and in a paused game alike.
class ScreenshotNotice : public Text {
public:
    uint32_t shownAt; // frame clock (Quenth::currentTime) when last shown, ms

    static const uint32_t lifeTime = 2500; // ms from showing to gone
    static const uint32_t fadeTime = 500;  // ms of fading at the end

    ScreenshotNotice();
    // Names the file and puts the notice on top of the HUD scene at full strength.
    void show(char const* name);
    // Takes the notice off the screen at once.
    void hide();
    // Strength at frame-clock time now: 1, fading to 0 over the last
    // fadeTime; 0 before it is shown and once it is over.
    float alphaAt(uint32_t now) const;
    void draw(SceneState& state) override;

    // The one notice, made on first use; null until then.
    static ScreenshotNotice* instance;
    // Shows the notice for the screenshot just saved as name.
    static void announce(char const* name);
    // Hides it before a screenshot is taken, so the picture does not show it.
    static void hideForShot();

private:
    bool shown; // show() was called since the last hide()
};

#endif
