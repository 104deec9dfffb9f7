#ifndef VORLANE_GAME_ACTOR_H
#define VORLANE_GAME_ACTOR_H

#include "engine/math/vec2.h"

class Drawable;

// Base of every object the game updates once per frame: enemies, the player,
// power-ups, floating texts and score counters. Actors live in the game's
// `actors` list and delete themselves when they die; a deleted actor leaves
// that list, so the list never holds a dead one.
class Actor {
public:
    Drawable* drawable;    // scene node showing the actor; owned by the subclass, may be null
    quenth::vec2 position; // world position of the centre, world units
    float radius;          // body radius, world units (hit tests, waypoints, explosions)
    float rotation;        // degrees, copied to the drawable each update
    float scale;           // uniform scale, copied to the drawable each update
    unsigned updatePass;   // number of the game's actor pass that last updated this actor

    Actor();
    // Leaves g_arena's actors (nothing when absent or when no arena exists).
    virtual ~Actor();
    // Wraps the position into the world and copies position, scale and
    // rotation to the drawable.
    virtual void update();
    // A hit of amount points: true while the actor survives it. The base has
    // no hull and always survives; the ships override it.
    virtual bool damage(float amount);

protected:
    // The part of update() that every actor shares.
    void wrapAndSync();
};

#endif
