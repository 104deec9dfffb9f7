#ifndef SCENE_CAMERA2D_H
#define SCENE_CAMERA2D_H

// The 2D view of a scene. Game code moves and zooms the view by writing these
// fields; the renderer raises a zoom at or below 0.01 to 0.01.
struct Camera2D {
    float x, y;     // world point shown at the centre of the screen, world units
    float zoom;     // screen pixels per world unit
    float rotation; // camera angle in degrees; the world is drawn turned by minus this
};

#endif
