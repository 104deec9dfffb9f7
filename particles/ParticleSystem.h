#ifndef VORLANE_PARTICLES_PARTICLESYSTEM_H
#define VORLANE_PARTICLES_PARTICLESYSTEM_H

#include "engine/math/mat4.h"
#include "engine/math/vec2.h"
#include "engine/math/vec4.h"
#include "engine/util/Random.h"
#include "engine/util/Stack.h"
#include "scene/Drawable.h"

namespace quenth {
class Texture;
}

class ParticleLayer;
class ParticleSlice;
class ParticleSystem;

// One pooled particle. It flies in a straight line from start to end between
// birth and death. While it belongs to a slice it is linked into that slice's
// list; a free slot has slice, next and prev null.
struct Particle {
    ParticleSlice* slice; // slice whose list holds the particle; null when free
    Particle* next;       // next particle in that slice's list
    Particle* prev;       // previous particle in that slice's list
    quenth::vec4 color;   // r, g, b, a in 0..1; a is 1 at emission
    quenth::vec2 start;   // position at birth, world units
    quenth::vec2 end;     // position at death, world units
    float sizeStart;      // half the quad's edge at birth, world units
    float sizeEnd;        // half the quad's edge at death, world units
    unsigned int birth;   // engine time of emission, ms
    unsigned int death;   // engine time of death, ms
};

// Parameters that ParticleSystem::update turns into particles at a steady rate.
struct ParticleEmitter {
    quenth::vec4 colorA;              // one end of the colour range, 0..1
    quenth::vec4 colorB;              // other end of the colour range, 0..1
    quenth::vec2 position;            // emission point, world units
    quenth::vec2 direction;           // main direction of flight (any length)
    float lifeMin, lifeMax;           // life span range, ms (truncated when used)
    float speedMin, speedMax;         // distance flown along the direction over the whole life, world units
    float sizeStartMin, sizeStartMax; // start half-size range, world units
    float sizeEndMin, sizeEndMax;     // end half-size range, world units
    float spread;                     // full opening angle of the direction cone, degrees
    float positionSpread;             // radius of the random offset around position, world units
    unsigned int rate;                // particles per second; 0 = idle
    ParticleSlice* slice;  // slice that receives the particles; null means the system's defaultSlice
    unsigned int lastEmit; // engine time of the last emission, ms

    ParticleEmitter();
};

// A drawable view of the pool: draws the particles linked into its list.
// Slices are effects (drawn in their parent's frame, never culled).
//
// Ownership: the creator owns a slice unless deleteWhenEmpty is set, in which
// case the slice deletes itself the first time a draw finds it empty. A slice
// that is destroyed hands its particles back to the pool as free slots, so no
// particle ever points at a dead slice.
class ParticleSlice : public Drawable {
public:
    // Batch vertex, shared with the GPU: 32 bytes, position at 0, texture
    // coordinates at 8, colour bytes at 16.
    struct Vertex {
        float x, y;               // position, world units
        float u, v;               // texture coordinates
        unsigned char r, g, b, a; // colour, 0-255
        unsigned char unused[12]; // pads the record to 32 bytes
    };

    ParticleSystem* system; // owning system (texture source); null once the system is gone
    Particle* head;         // first particle of the list
    Particle* tail;         // last particle of the list
    unsigned int count;     // number of particles in the list
    bool removeWhenEmpty;   // leave the parent container when a draw finds the slice empty
    bool deleteWhenEmpty;   // destroy itself when a draw finds the slice empty

    ParticleSlice(ParticleSystem* system, bool removeWhenEmpty, bool deleteWhenEmpty);
    virtual ~ParticleSlice();
    virtual void updateSize();
    virtual void draw(SceneState& state);

    // List operations; a particle is in at most one slice.
    void append(Particle* p); // links p at the tail, taking it out of any slice first
    void unlink(Particle* p); // unlinks p and frees it; nothing when p is not in this slice
    void releaseParticles();  // frees every particle of the list

    // Ages the list at time now: dead particles are unlinked and freed, the
    // living ones become quads in vertices (4 per particle). Every time
    // flushSize vertices are ready, and once more for the rest, the batch is
    // handed to drawBatch once per view matrix and the vertices are cleared.
    void buildBatches(unsigned int now, quenth::Stack<quenth::mat4> const& views,
                      quenth::Stack<Vertex>& vertices);
    static const unsigned int flushSize = 512;

    // Where the batches go. beginBatches runs once per draw before the first
    // batch (not at all when nothing is left to draw); drawBatch runs for
    // every batch and view matrix, the views from the last pushed to the
    // first; endBatches after the last batch of a draw that began. The
    // defaults draw with GL, through the system's layer when it has one;
    // tests put their own in to count batches or to run without a context.
    static void (*beginBatches)(ParticleSlice* slice);
    static void (*drawBatch)(ParticleSlice* slice, quenth::mat4 const& view, Vertex const* vertices,
                             unsigned int vertexCount);
    static void (*endBatches)(ParticleSlice* slice);
    static void glBeginBatches(ParticleSlice* slice);
    static void glDrawBatch(ParticleSlice* slice, quenth::mat4 const& view, Vertex const* vertices,
                            unsigned int vertexCount);
    static void glEndBatches(ParticleSlice* slice);

private:
    void flush(quenth::Stack<quenth::mat4> const& views, quenth::Stack<Vertex>& vertices, bool& begun);
};

// A fixed pool of particles used as a ring, the continuous emitters and the
// texture drawn on every particle.
class ParticleSystem {
public:
    Particle* particles; // the pool: size + 1 records; the last is the spare for a ring index >= size
    unsigned int size;   // number of usable pool slots
    quenth::Stack<ParticleEmitter*> emitters; // continuous emitters, owned
    quenth::Texture* texture;                 // drawn on every particle quad; set by the owner
    quenth::vec2 drift;                       // added to every end point, world units per second
    ParticleSlice* defaultSlice;              // target of emit and createEmitter without a slice; owned
    unsigned int drawMode;                    // draw mode of new slices (additive)
    ParticleLayer* layer;      // additive slices are drawn through it, at its coarser resolution; null (the
                               // default): straight into the target. Not owned
    unsigned int nextParticle; // ring index of the slot the next emission takes
    quenth::Stack<ParticleSlice*> slices; // every live slice of this system, so it can detach them

    // Every particle random number comes from here (fixed seed, so effects
    // are the same in every run).
    static quenth::Random random;

    explicit ParticleSystem(unsigned int size);
    // Frees the pool, the emitters and the default slice. Slices the owner
    // still holds stay valid but empty, with system null.
    ~ParticleSystem();

    ParticleSlice* createSlice(bool removeWhenEmpty, bool deleteWhenEmpty);
    ParticleEmitter* createEmitter(ParticleSlice* slice);
    void destroyEmitter(ParticleEmitter* e);

    void emit(ParticleSlice* slice, unsigned int count, unsigned int lifeMin, unsigned int lifeMax,
              quenth::vec2 const& position, float positionSpread, float sizeStartMin, float sizeStartMax,
              float sizeEndMin, float sizeEndMax, quenth::vec2 const& direction, float speedMin,
              float speedMax, float spread, quenth::vec4 const& colorA, quenth::vec4 const& colorB);

    // Once per frame: applies drift and runs the emitters.
    void update();

    // The pool and the slices' links belong to exactly one system.
    ParticleSystem(ParticleSystem const&) = delete;
    ParticleSystem& operator=(ParticleSystem const&) = delete;
};

// Placeholders for a 3D particle path that the game never uses.
class Model3D {
public:
    Model3D();
    virtual ~Model3D();
};

class Object3D {
public:
    Object3D();
    virtual ~Object3D();
};

class ParticleEmitter3D {
public:
    ParticleEmitter3D();
    virtual ~ParticleEmitter3D();
};

class ParticleSlice3D {
public:
    ParticleSlice3D();
    virtual ~ParticleSlice3D();
};

class ParticleSystem3D {
public:
    ParticleSystem3D();
    virtual ~ParticleSystem3D();
};

#endif
