#ifndef SCENE_SCENESTATE_H
#define SCENE_SCENESTATE_H

#include "engine/math/mat2.h"
#include "engine/math/mat4.h"
#include "engine/math/vec3.h"
#include "engine/util/Stack.h"
#include "scene/Drawable.h"
#include "scene/ViewRect.h"

// What a drawable's draw() receives: the composed colour and transforms of
// the node being drawn. The renderers copy it by value onto their state stack
// when they enter a node and restore it when they leave.
struct SceneState {
    quenth::Stack<ViewRect>* viewRects; // this frame's view rectangles; effects draw once per rectangle
    Drawable::RGBA color;               // effective colour of the node, bytes 0-255
    const quenth::mat4* projection;     // orthographic projection of the camera-relative pixel frame
    const quenth::mat4* perspective;    // projection for DRAWABLE_3D nodes
    quenth::mat2 transform;             // node frame to camera-relative pixels
    quenth::mat4 modelView;             // 3D model-view (the camera's, or the node's placement in the HUD)
    quenth::vec3 cameraDelta;           // camera movement since the previous frame, world units

    // A child channel under its parent's: min(255, ((own + 1) * parent) >> 8),
    // so 255 passes the parent through and 0 gives 0.
    static unsigned char composeChannel(unsigned own, unsigned parent) {
        unsigned c = ((own + 1) * parent) >> 8;
        return (unsigned char)(c > 255 ? 255 : c);
    }

    // Replaces out with one model-view matrix per view rectangle: the
    // transform, moved first by that rectangle's offset. An effect that places
    // its own geometry draws it once with each, so that it shows across the
    // seams of a wrapping world like the nodes the renderer moves itself.
    void viewMatrices(quenth::Stack<quenth::mat4>& out) const {
        out.clear();
        if (!viewRects) return;
        for (unsigned i = 0; i < viewRects->count; ++i) {
            ViewRect const& r = viewRects->data[i];
            quenth::mat4 m = transform;
            m.translate(quenth::vec3(r.offsetX, r.offsetY, 0));
            out.push(m);
        }
    }
};

#endif
