#ifndef VORLANE_GAME_PLASMAGUN_H
#define VORLANE_GAME_PLASMAGUN_H

#include <cstdint>

#include "engine/math/vec4.h"
#include "engine/util/Stack.h"
#include "game/base/Sounds.h"
#include "game/weapons/Bullet.h"
#include "game/weapons/WeaponColor.h"

class ParticleSlice;
struct SceneState;
namespace quenth {
class Texture;
}

// The body shared by the two plasma guns: bullets fly straight at constant
// speed from a fixed pool, hit the first body on their path, and throw sparks
// from the point of impact; drawn as additive quads once per view of the
// wrapping world. Gun is the weapon base that decides what is hit (Weapon:
// enemies, EnemyWeapon: the player's side). The two guns differ only in
// their numbers, set by their constructors.
template <class Gun>
class PlasmaGun : public Gun {
public:
    // One corner of a bullet quad as the card reads it, 20 bytes.
    struct Vertex {
        float x, y;
        float u, v;
        uint8_t r, g, b, a;
    };

    Bullet* bullets;                           // the pool, capacity slots, owned
    uint32_t capacity;                         // number of slots
    quenth::Stack<ParticleSlice*> sparkSlices; // one spark slice per slot, index for index
    quenth::Texture* texture;                  // Resources::plasmabullet_tex
    WeaponColor color;                         // colour of the bullets
    uint32_t cursor;                           // slot where the next free-slot search starts
    float bulletSize;                          // half the side of a bullet quad, world units
    float bulletSpeed;                         // world units per second
    uint32_t bulletLifetime;                   // ms
    uint32_t drawPasses;                       // times the quads are drawn per view (additive: brighter)
    quenth::vec4 cmin, cmax;                   // spark colour range (r, g, b, a in 0..1)
    SoundEffect shotSound;                     // heard from the muzzle when a bullet leaves
    SoundEffect hitSound;                      // heard where a bullet strikes a body that survives it

    // A pool of the given number of free slots, each with its spark slice.
    explicit PlasmaGun(uint32_t slots);
    // Deletes the spark slices and the pool; bullets in flight vanish.
    virtual ~PlasmaGun();
    virtual float shoot(quenth::vec2 const& direction);
    virtual void update();
    virtual void draw(SceneState& state);
    // Doubles the pool (and its spark slices); new slots are free.
    void growArray();
};

#endif
