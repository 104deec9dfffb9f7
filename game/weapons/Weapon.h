// game/weapons: the guns and what they fire: the two weapon bases, the plasma guns, the laser,
// the segment hit test and the fire-rate rule.
// Folders build one way, base <- settings <- scores <- weapons <- actors <- hud <- world: a file includes
// only its own folder and those before it (tests/game/LayoutTest checks this).
#ifndef VORLANE_GAME_WEAPON_H
#define VORLANE_GAME_WEAPON_H

#include "engine/math/vec2.h"
#include "game/base/hit_struct.h"
#include "scene/Effect.h"

struct SceneState;

// Base of the guns that shoot at the game's enemies. A gun is an effect in the world
// scene that owns and draws its projectiles; its owner writes the drawable
// position every frame.
class Weapon : public Effect {
public:
    float damageMin;  // damage of one hit (or per second for the laser), lower bound
    float damageMax;  // upper bound
    float fireRate;   // shots per second; 0 never fires, -1 fires on every call
    float energyCost; // energy one shot costs the shooter
    float lastShot;   // currentTime of the last shot, ms
    bool retired;     // the owner has left play for good: no new shots, and those in flight hit nothing

    Weapon();
    virtual ~Weapon();
    virtual void draw(SceneState& state) = 0;
    // The rate limiter: returns the energy spent, 0 when no shot may leave now.
    virtual float shoot(quenth::vec2 const& direction);
    // Segment test against the game's enemies; radius is not used (each body's own radius is).
    virtual hit_struct findHit(quenth::vec2 const& from, quenth::vec2 const& to, float radius);
    virtual void update();
    // Called when the owner leaves play for good. Shots in flight go on and
    // fade out as the owner's game keeps updating the gun, but touch nothing.
    virtual void retire();
};

#endif
