#ifndef QUENTH_AUDIO_SOUNDPLACE_H
#define QUENTH_AUDIO_SOUNDPLACE_H

#include "engine/math/vec2.h"

#include <cmath>

namespace quenth {

// Where a sound sits for the listener: how loud and how far to the side.
struct SoundPlace {
    float gain; // 0 (silent) to 1
    float pan;  // -1 hard left, 0 middle, 1 hard right

    // A source at offset from the listener (world units), on a screen whose
    // half width is halfWidth world units. The pan follows the source across
    // the screen and holds at its edges; the gain is full up to nearRadius
    // and falls to silence at farRadius along a quadratic curve, so a source
    // at the edge of the screen is still clear and one far beyond it is not
    // heard at all.
    static SoundPlace at(vec2 const& offset, float halfWidth, float nearRadius, float farRadius) {
        SoundPlace p;
        float x = halfWidth > 0 ? offset.x / halfWidth : 0;
        p.pan = x < -1 ? -1 : (x > 1 ? 1 : x);
        float d = std::sqrt(offset.x * offset.x + offset.y * offset.y);
        if (d <= nearRadius) {
            p.gain = 1;
        } else if (d >= farRadius) {
            p.gain = 0;
        } else {
            float f = (farRadius - d) / (farRadius - nearRadius);
            p.gain = f * f;
        }
        return p;
    }

    // The factors of the left and right channel for pan: the far side falls
    // to 0.2 at a hard pan while the near side keeps full level, so a sound
    // in the middle plays as recorded and never louder anywhere.
    static void gains(float pan, float& left, float& right) {
        left = pan > 0 ? 1 - 0.8f * pan : 1;
        right = pan < 0 ? 1 + 0.8f * pan : 1;
    }
};

} // namespace quenth

#endif
