#ifndef SCENE_VIEWRECT_H
#define SCENE_VIEWRECT_H

// One rectangle of the view in the camera-relative pixel frame (origin at the
// screen centre, y down), and the translation a node found inside it gets.
// The first rectangle is the screen; the others catch objects on the far side
// of a wrapping world's seams and shift them across.
struct ViewRect {
    float x, y, w, h;       // camera-relative pixels
    float offsetX, offsetY; // world units added to the position of a node inside
};

#endif
