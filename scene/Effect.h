#ifndef SCENE_EFFECT_H
#define SCENE_EFFECT_H

#include "scene/Drawable.h"

// Base of drawables that place their own geometry in their parent's frame
// (projectiles, the starfield): the renderer neither culls nor transforms them
// and hands them the view rectangles to draw across the wrap seams.
class Effect : public Drawable {
public:
    Effect();
    ~Effect() override;
};

#endif
