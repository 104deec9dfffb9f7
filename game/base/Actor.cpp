#include "game/base/Actor.h"

#include "engine/math/Math.h"
#include "engine/math/vec3.h"
#include "game/base/Arena.h"
#include "game/base/Globals.h"
#include "scene/Drawable.h"
#include "scene/Scene2D.h"

Actor::Actor() : drawable(nullptr), position(0, 0), radius(0), rotation(0), scale(1.0f), updatePass(0) {}

Actor::~Actor() {
    if (g_arena) g_arena->removeActor(this);
}

bool Actor::damage(float) {
    return true;
}

void Actor::update() {
    wrapAndSync();
}

void Actor::wrapAndSync() {
    if (g_world) {
        position.x = quenth::Math::wrapf(position.x, 0, g_world->worldSize.x);
        position.y = quenth::Math::wrapf(position.y, 0, g_world->worldSize.y);
    }
    if (drawable) {
        drawable->position = quenth::vec3(position.x, position.y, 0);
        drawable->setScale(scale);
        drawable->setRotation(rotation);
    }
}
