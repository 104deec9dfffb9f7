#ifndef GAME_WRAPPEDOFFSET_H
#define GAME_WRAPPEDOFFSET_H

#include "engine/math/Math.h"
#include "engine/math/vec2.h"

// Offset from one point of the wrapping arena to the nearest image of another
// (world units): each component lies in [-world / 2, world / 2). Aiming and the
// radar use it so that a point just across a seam counts as near, not as
// almost a whole arena away in the other direction.
inline quenth::vec2 wrappedOffset(quenth::vec2 const& from, quenth::vec2 const& to,
                                  quenth::vec2 const& world) {
    quenth::vec2 d = to - from;
    d.x = quenth::Math::wrapf(d.x + world.x * 0.5f, 0, world.x) - world.x * 0.5f;
    d.y = quenth::Math::wrapf(d.y + world.y * 0.5f, 0, world.y) - world.y * 0.5f;
    return d;
}

#endif
