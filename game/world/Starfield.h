#ifndef VORLANE_GAME_STARFIELD_H
#define VORLANE_GAME_STARFIELD_H

#include <cstdint>

#include "engine/gfx/Camera.h"
#include "engine/gfx/Skybox.h"
#include "engine/math/vec2.h"
#include "engine/util/Stack.h"
#include "scene/Effect.h"

namespace quenth {
class Framebuffer;
class Texture;
} // namespace quenth

// The backdrop of the arena: a slowly drifting sky box seen through a 3D
// camera and, in front of it, a layer of screen-space stars that scroll
// against the camera's motion with depth parallax and wrap at the screen
// edges. The first child of the world scene, drawn additively.
//
// The sky turns by a few hundredths of a pixel per frame, so it is kept
// drawn in a window-sized image and copied into the scene each frame. Once
// it has moved, the bands of that image are drawn again one per frame, so
// the image is never more than one sweep of the bands behind (a third of a
// pixel); the first later frame in which the sky has not moved draws the
// rest, so a still sky (a paused game) is exact and stands still.
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
    quenth::Camera camera; // the sky box's 3D camera
    quenth::Skybox skybox; // six faces from Resources
    bool cacheSky;         // keep the sky in skyCache (off: drawn whole every frame)
    quenth::Framebuffer*
        skyCache; // the sky as drawn, the size of the target: sharedSkyCache once drawn; not owned

    // Rows of skyCache drawn again per frame after the sky moved.
    static const int SKY_BAND_ROWS = 64;
    // One image serves every starfield (the menus', the game's), so a new
    // game draws its first frame without making one. Made on first use,
    // remade when the target's size changes, kept until the process ends.
    // Every starfield aims its sky camera by the clock alone, so skies with
    // the same faces, turn and brightness look the same at the same time:
    // such a starfield takes the image, and how far its bands are, over as
    // they are; another sky draws it whole.
    static quenth::Framebuffer* sharedSkyCache;
    static quenth::Skybox skyShown;   // the sky the image holds (faces null: none yet)
    static quenth::vec3 skyDirection; // sky camera direction of the bands drawn last
    static int skyBand;               // band of the image to draw next, counted from the bottom
    static int skyBandsBehind;        // bands not yet drawn at skyDirection
    static uint32_t skyFrame;         // Quenth::framenum when the image was last brought up to date

    explicit Starfield(int n);
    // Scatters the stars over the screen.
    void init();
    // Spreads the stars over a new screen size, each keeping its place
    // relative to the screen (and its margin).
    void resize(float width, float height);
    // Scrolls the stars by the camera's motion of this frame.
    void move(quenth::vec2& delta);
    virtual void draw(SceneState& state);

private:
    // Points the sky camera for the current game time.
    void aimSkyCamera();
    // Draws the sky box added to the bound framebuffer.
    void drawSkybox();
    // Brings skyCache up to date as far as this frame does and copies it
    // into the bound framebuffer, which must hold nothing yet. False when
    // the GL cannot copy between framebuffers.
    bool copySkyFromCache();
};

#endif
