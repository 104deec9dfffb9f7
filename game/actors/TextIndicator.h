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
    bool stacked;       // one of the centre messages of the HUD, which never overlap each other

    static constexpr float stackGap = 4; // HUD pixels kept free between two centre messages

    static float speed;       // upward drift, units per second
    static uint32_t lifeTime; // ms from creation to deletion

    // A white, centred, 16-pixel text in the medium font, born now.
    TextIndicator();
    // Leaves the game's actors and deletes the text.
    virtual ~TextIndicator();
    virtual void update();

    // Half the height of the message's rectangle, HUD pixels (its text at its scale).
    float halfHeight() const;
    // The centre y (HUD pixels) for a new centre message half h high: 40 %
    // down the screen, or just under the centre messages already showing
    // that would overlap it. All of them rise at the same speed, so they stay
    // apart.
    static float freeCentreY(float h);
    // A centre message on the HUD: placed by freeCentreY, pushed onto the
    // game's actors, its text in the HUD scene, with a dark outline.
    static TextIndicator* announce(char const* message, float scale);
};

#endif
