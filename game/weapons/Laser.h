#ifndef VORLANE_GAME_LASER_H
#define VORLANE_GAME_LASER_H

#include <cstdint>

#include "engine/math/vec2.h"
#include "game/weapons/Weapon.h"
#include "game/weapons/WeaponColor.h"

class ParticleSlice;
struct ParticleEmitter;
namespace quenth {
class Texture;
}

// The player's heavy gun (right mouse button). Each shot is a beam that lives
// 650 ms, always runs 1280 units from the ship towards the mouse, stops at the
// first enemy on its line and burns it (damage per second) while throwing
// sparks back towards the ship. Beams narrow and fade over their life.
class Laser : public Weapon {
public:
    // One beam slot; live while expiry > now.
    struct Beam {
        quenth::vec2 end;  // current far end, rewritten every frame
        WeaponColor color; // the alpha fades
        float width;       // half width of the band, world units; shrinks
        float start;       // ms
        float expiry;      // ms
    };

    // One corner of a quad as the card reads it, 20 bytes.
    struct Vertex {
        float x, y;
        float u, v;
        uint8_t r, g, b, a;
    };

    static const uint32_t slotCount = 32;

    quenth::Texture* muzzleTexture; // glow at the ship end
    quenth::Texture* tipTexture;    // glow at the far end
    quenth::Texture* beamTexture;   // texture of the band
    Beam* beams;                    // the ring of beam slots, owned
    uint32_t capacity;              // number of slots (32)
    ParticleEmitter** hitEmitters;  // one spark emitter per slot, in the game's weaponParticles
    ParticleSlice** hitSlices;      // one spark slice per slot
    uint32_t cursor;                // slot the next shot takes
    WeaponColor color;              // colour of new beams
    uint32_t drawPasses;            // each draw pass is drawn drawPasses + 1 times
    float beamWidth;                // width of a new beam
    float beamLifetime;             // life of a beam, ms
    float sizzleAt;                 // ms: the burn on a hull is heard again from here on
    float burnStart;                // ms: the ignition of the latest burn (beams back to back)
    // Every pass has been drawn once: the GL has made ready what the first
    // beam needs, and a shot in the middle of play costs it nothing.
    bool drawnOnce;

    Laser();
    // Frees the slots and gives the emitters and slices back.
    virtual ~Laser();
    // Whether any beam lives at now (ms).
    bool burning(float now) const;
    // The direction is not used: beams follow the mouse.
    virtual float shoot(quenth::vec2 const& direction);
    virtual void update();
    virtual void draw(SceneState& state);
    // Also stops the spark emitters: nothing will set them back to idle.
    virtual void retire();
};

#endif
