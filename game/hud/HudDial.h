#ifndef VORLANE_GAME_HUDDIAL_H
#define VORLANE_GAME_HUDDIAL_H

#include "scene/Sprite.h"

// A HUD dial image at half the size of its picture, centred on its parent's
// origin. Without a loaded texture the sprite has no size and draws nothing.
inline Sprite* makeHudDial(quenth::Texture* tex) {
    Sprite* s = new Sprite(tex, tex ? -1.0f : 0.0f, tex ? -1.0f : 0.0f);
    s->setScale(0.5f);
    return s;
}

#endif
