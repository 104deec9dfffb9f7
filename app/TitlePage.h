#ifndef VORLANE_APP_TITLEPAGE_H
#define VORLANE_APP_TITLEPAGE_H

#include <cstdint>

class Apology;
class Sprite;
class Text;

// The title page in the HUD scene: the generated logo, below it the makers'
// page (Apology), and near the bottom a slowly pulsing "Press Return to
// start". Nothing on it moves but the prompt's brightness, which changes in
// steps, so the page needs drawing only when a step is taken.
class TitlePage {
public:
    static constexpr int LEVELS = 16;       // brightness steps of the prompt
    static constexpr uint32_t PULSE = 2400; // ms from bright to dim and back

    Sprite* logo;  // owned; null when the logo could not be loaded
    Apology* page; // owned
    Text* prompt;  // owned
    int level;     // the prompt's brightness step, 0..LEVELS

    // Clears the HUD scene and fills it with the page.
    TitlePage();
    // Takes everything out of the HUD scene and frees it.
    ~TitlePage();

    // Sets the prompt's brightness for now (frame clock, ms); true when it
    // took a step, so that the page must be drawn again.
    bool update(uint32_t now);
    // The prompt's brightness step at now: from LEVELS (full) down to a
    // third and back, once per PULSE.
    static int levelAt(uint32_t now);

    // Resources::onProgress while the assets load: a bar where the prompt
    // will be, filled done / total, drawn straight to the window (no scene
    // exists yet). It comes up once the load (from done = 1) has lasted
    // BAR_DELAY, then skips frames within 30 ms of the last one but for the
    // last: a quick load spends no time on it and does not flash it.
    static void drawLoadingBar(int done, int total);
    static constexpr uint32_t BAR_DELAY = 100; // ms
};

#endif
