#ifndef GAME_FADER_H
#define GAME_FADER_H

#include <cstdint>

// A full-screen veil of one colour drawn over everything else. Its opacity
// eases from 0 to 1 (fadeOut, towards the colour) or 1 to 0 (fadeIn) between
// two times of Quenth::currentTime. The run levels wait for done() before they
// act on input; power-ups flash the screen white with it. A new fader is
// finished and transparent.
class Fader {
public:
    uint32_t startTime; // ms, currentTime when the fade began
    uint32_t endTime;   // ms, currentTime at which it ends
    float from;         // opacity at the start, 0..1
    float to;           // opacity at the end, 0..1
    float alpha;        // opacity computed at the latest draw, 0..1
    float r, g, b, a;   // veil colour 0..1; set directly by callers; a is not used

    Fader();

    // True once endTime has passed (not in the millisecond of endTime itself).
    bool done() const;
    // Opacity 0 to 1 over ms milliseconds from now; 0 means 1000.
    void fadeOut(unsigned int ms);
    // Opacity 1 to 0 over ms milliseconds from now; 0 means 1000.
    void fadeIn(unsigned int ms);
    // Advances the opacity to now and draws the veil over the whole viewport.
    void draw();
};

#endif
