#ifndef VORLANE_PARTICLES_PARTICLELAYER_H
#define VORLANE_PARTICLES_PARTICLELAYER_H

#include "engine/math/mat4.h"
#include "engine/util/Stack.h"

namespace quenth {
class Framebuffer;
}

// An off-screen image at a fraction of the target's resolution that additive
// particles are drawn into, then added onto the target where they fell.
// Additive sums do not care about order and saturate the same way whether
// summed here or in the target, so the picture is the target's own drawn
// divisor times coarser: soft particles look the same for a quarter (at 2) of
// the fragments. Used between begin() and end() around one slice's batches;
// the target's framebuffer, viewport and clear colour come back as they were.
class ParticleLayer {
public:
    unsigned divisor;                 // one layer pixel stands for divisor x divisor target pixels
    quenth::Framebuffer* framebuffer; // the image, ceil(target / divisor); owned, made again for a new size
    unsigned target;                  // framebuffer bound when begin() ran
    int viewport[4];                  // the target's viewport at begin(): x, y, width, height (pixels)
    quenth::mat4 projection;          // projection in use at begin(); the batches share it
    unsigned tile;                    // a tile's side, layer pixels: TILE_TARGET / divisor, at least 1
    unsigned columns, rows;           // tiles of tile x tile layer pixels over the image
    quenth::Stack<unsigned char> covered; // per tile, row by row: 1 where a particle fell since begin()
    quenth::Stack<float> spans;           // the covered runs of each row as quads, x y u v per corner; reused

    // A tile's side in target pixels, whatever the divisor: small enough to
    // follow a spark, large enough that the runs stay few.
    static const unsigned TILE_TARGET = 16;

    explicit ParticleLayer(unsigned divisor);
    ~ParticleLayer();

    // Makes the image for a target viewport of width x height pixels, unless
    // it has that size already. begin() does this itself; calling it ahead
    // keeps the making out of the frames.
    void prepare(int width, int height);
    // Binds the layer, cleared to transparent black, in place of the target.
    void begin();
    // Marks the tiles under count vertices, x and y floats every stride
    // bytes from xy, seen through view; each run of group vertices is one
    // particle, marked by its bounds.
    void cover(quenth::mat4 const& view, const void* xy, unsigned count, unsigned stride, unsigned group);
    // Binds the target again and adds the covered tiles of the layer onto it.
    void end();

    ParticleLayer(ParticleLayer const&) = delete;
    ParticleLayer& operator=(ParticleLayer const&) = delete;
};

#endif
