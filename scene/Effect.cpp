#include "scene/Effect.h"

Effect::Effect() {
    flags |= DRAWABLE_EFFECT;
}

Effect::~Effect() {}
