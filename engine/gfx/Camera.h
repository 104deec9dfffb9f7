#ifndef QUENTH_GFX_CAMERA_H
#define QUENTH_GFX_CAMERA_H

#include "engine/math/mat4.h"
#include "engine/math/vec3.h"

namespace quenth {

// A perspective camera for the fixed-function matrix stacks: a frustum from
// the field of view and the window's aspect, and a look-at model-view.
class Camera {
public:
    // Bits of the bind() mode.
    static constexpr char PROJECTION = 4;
    static constexpr char ROTATION = 2;
    static constexpr char TRANSLATION = 1;

    mat4 matrix;     // model-view built by the latest bind, column-major
    vec3 up;         // up vector, normalised by bind
    vec3 direction;  // viewing direction, normalised by lookAt and bind
    vec3 position;   // eye position, world units
    float nearPlane; // near clipping distance
    float farPlane;  // far clipping distance
    float fov;       // vertical field of view, degrees; kept within [0.5, 100] by bind

    Camera();

    // Points direction from position towards target.
    void lookAt(vec3 const& target);
    // Loads the matrices selected by mode (PROJECTION | ROTATION | TRANSLATION)
    // into GL; leaves GL_MODELVIEW selected.
    void bind(char mode);
};

} // namespace quenth

#endif
