#ifndef QUENTH_GFX_SILHOUETTE_H
#define QUENTH_GFX_SILHOUETTE_H

namespace quenth {

class Surface;

// The part of an image that can show: a convex polygon of SIDES sides around
// every texel whose alpha is above 0, grown by one texel on every side so that
// linear filtering near its edge is covered too. Coordinates are the image's
// normalised to 0..1 (u to the right, v down, (0, 0) the top-left corner), so
// the polygon fits the image at any size it is drawn. Drawing only this
// polygon instead of the whole rectangle skips the transparent corners, which
// cost as much to fill as the art.
class Silhouette {
public:
    static const int SIDES = 16;

    // Distance of side i from the origin along the direction i x 360 / SIDES
    // degrees (0: +u, SIDES / 4: +v), normalised image units. Every side
    // touches the polygon.
    float extent[SIDES];
    bool empty; // no texel shows: nothing needs drawing

    // The whole image.
    Silhouette();
    // Fitted to the texels of s with alpha above 0; within the image.
    explicit Silhouette(Surface const* s);

    // Grows this polygon to cover other as well.
    void add(Silhouette const& other);
    // Writes the SIDES corners in order around the polygon, as (u, v) pairs
    // (2 x SIDES floats); neighbouring corners may coincide.
    void corners(float* uv) const;
    // The corners of outline as corners() gives them, or the whole image's
    // four without one; returns how many were written to uv (room for
    // 2 x SIDES floats).
    static int cornersOf(Silhouette const* outline, float* uv);
    // Area of the polygon, in units of the whole image.
    float area() const;
};

} // namespace quenth

#endif
