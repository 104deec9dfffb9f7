#ifndef VORLANE_GAME_STARFIELD_H
#define VORLANE_GAME_STARFIELD_H

#include <cstdint>

#include "engine/gfx/Camera.h"
#include "engine/gfx/Skybox.h"
#include "engine/math/vec2.h"
#include "engine/util/Stack.h"
#include "scene/Effect.h"

namespace quenth {
class Texture;
}

// The backdrop of the arena: a slowly drifting sky box seen through a 3D
// camera and, in front of it, a layer of screen-space stars that scroll
// against the camera's motion with depth parallax and wrap at the screen
// edges. The first child of the world scene, drawn additively.
class Starfield : public Effect {
public:
    // One star, 24 bytes.
    struct Vertex {
        float x, y;         // screen pixels, origin top left, within the margin around the screen
        float z;            // depth in [zMin, zMax); divides the parallax motion
        uint8_t r, g, b, a; // colour; r, g, b in 168..254, a = 255
        float brightness;   // alpha factor, 1 - size (z - zMin) / (zMax - zMin)
        float size;         // sprite scale in [0.2, 0.7)
    };

    quenth::Texture* texture;    // Resources::star_tex
    quenth::Stack<Vertex> stars; // the stars; count is the number asked for
    float parallax;              // share of the camera motion that the nearest stars follow
    float zMin, zMax;            // depth range
    float margin;                // pixels beyond the screen edges that stars wrap through
    float starWidth, starHeight; // quad size of a star of size 1, pixels
    bool drawSky;                // draw the sky box
    bool drawStars;              // draw the star layer
    float fieldWidth;            // screen size the stars are spread over, pixels (init or resize)
    float fieldHeight;
    quenth::Camera camera;       // the sky box's 3D camera
    quenth::Skybox skybox;       // six faces from Resources

    explicit Starfield(int n);
    virtual ~Starfield();
    // Scatters the stars over the screen.
    void init();
    // Spreads the stars over a new screen size, each keeping its place
    // relative to the screen (and its margin).
    void resize(float width, float height);
    // Scrolls the stars by the camera's motion of this frame.
    void move(quenth::vec2& delta);
    virtual void draw(SceneState& state);
};

#endif
