#ifndef VORLANE_GAME_TEXTINDICATOR_H
#define VORLANE_GAME_TEXTINDICATOR_H

#include <cstdint>

#include "game/base/Actor.h"

class Text;

// A short-lived floating message (score pop-up, wave announcement, power-up
// text): drifts up, fades out over its lifetime and deletes itself. The
// creator sets the text, position and scale, pushes it onto the game's
// `actors` and adds `text` to the world or the HUD scene.
class TextIndicator : public Actor {
public:
    Text* text;         // the message, owned; the same object as drawable
    uint32_t birthTime; // currentTime at creation, ms

    static float speed;       // upward drift, units per second
    static uint32_t lifeTime; // ms from creation to deletion

    // A white, centred, 16-pixel text in the medium font, born now.
    TextIndicator();
    // Leaves the game's actors and deletes the text.
    virtual ~TextIndicator();
    virtual void update();
};

#endif
