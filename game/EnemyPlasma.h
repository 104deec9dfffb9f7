#ifndef VORLANE_GAME_ENEMYPLASMA_H
#define VORLANE_GAME_ENEMYPLASMA_H

#include <cstdint>

#include "engine/util/Stack.h"
#include "game/Bullet.h"
#include "game/EnemyWeapon.h"
#include "game/WeaponColor.h"

class ParticleSlice;
namespace quenth {
class Texture;
}

// The gun of every enemy, aimed at the player's side. Bullets fly straight at constant
// speed from a fixed pool, hit the first body on their path, and throw sparks
// from the point of impact. Drawn as additive quads once per view of the
// wrapping world.
class EnemyPlasma : public EnemyWeapon {
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

    EnemyPlasma();
    // Deletes the spark slices and the pool; bullets in flight vanish.
    virtual ~EnemyPlasma();
    virtual float shoot(quenth::vec2 const& direction);
    virtual void update();
    virtual void draw(SceneState& state);
    // Doubles the pool (and its spark slices); new slots are free.
    void growArray();
};

#endif
