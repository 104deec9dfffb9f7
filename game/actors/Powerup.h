#ifndef VORLANE_GAME_POWERUP_H
#define VORLANE_GAME_POWERUP_H

#include <cstdint>

#include "engine/math/vec2.h"
#include "game/base/Actor.h"

class Friend;
class Group;
class Sprite;

// The animated token a destroyed enemy may leave behind. It drifts and slows
// down; when a friendly ship comes within its pickup radius it flies into
// the ship over half a second, shrinking, and then takes effect. Lives in the
// game's `actors` and `powerups`; never expires.
class Powerup : public Actor {
public:
    uint32_t kind;            // 0 upgrade, 1 energy, 2 shield, 3 score, 4 hull, 5 speed boost, 6 nuke
    Group* ship;              // the token's node, owned; drawable is its drawable part
    Sprite* anim;             // animated token, 48 x 48, 16 x 16 sheet, owned
    Sprite* animGlow;         // its additive glow, owned
    quenth::vec2 velocity;    // drift, world units per second; loses 20 % per second
    float animFrame;          // animation position in frames
    float frameRate;          // frames per second
    bool collecting;          // flying into collector
    float collectStart;       // start of the flight, ms
    float collectEnd;         // end of the flight, ms
    quenth::vec2 collectFrom; // where the flight began
    Friend* collector;        // the ship it flies into, not owned; null while drifting

    // Draws the kind and the drift from g_rand.
    Powerup();
    // Leaves the game's lists; deletes the node and sprites.
    virtual ~Powerup();
    virtual void update();
    // Applies the effect and shows its text.
    virtual void collect();
};

#endif
