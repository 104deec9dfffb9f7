#ifndef QUENTH_GFX_SKYBOX_H
#define QUENTH_GFX_SKYBOX_H

#include "engine/math/vec3.h"

namespace quenth {

class Camera;
class Texture;

// Six textured faces of the cube from -1 to 1 around the eye, drawn with the
// camera's rotation and projection only, so the box stays infinitely far.
// Blending, program and depth state are the caller's.
class Skybox {
public:
    Texture* left; // face textures, not owned; a null face is not drawn
    Texture* right;
    Texture* front;
    Texture* back;
    Texture* top;
    Texture* bottom;
    float brightness; // grey level of the faces, 0 to 1
    vec3 rotation;    // rotation of the box about x, y and z, degrees

    Skybox();

    // Draws the set faces; a null camera draws nothing.
    void draw(Camera* camera);
};

} // namespace quenth

#endif
