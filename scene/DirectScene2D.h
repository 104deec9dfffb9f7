#ifndef SCENE_DIRECTSCENE2D_H
#define SCENE_DIRECTSCENE2D_H

#include "engine/math/mat2.h"
#include "engine/math/vec2.h"
#include "scene/Camera2D.h"
#include "scene/Container.h"
#include "scene/Scene2D.h"

// The screen layer (title text, HUD, reticle, messages). The same tree walk as
// Scene2D, but it draws straight into the window over whatever is there, with
// no framebuffer, clear or composite, and gives DRAWABLE_3D nodes their own
// 3D placement that follows the tree. With the built-in camera one unit is one
// window pixel, origin top left, y down.
class DirectScene2D : public Container {
public:
    Camera2D defaultCamera; // (width / 2, height / 2, zoom 1, 0 degrees)
    Camera2D lastCamera;    // the camera as it was at the previous draw()
    Camera2D* camera;       // camera in use; never null
    quenth::vec2 worldSize; // extent of the wrapping world; the screen size by default
    int width, height;      // pixel size of the scene
    bool debugDraw;         // outline the world and every drawn node
    bool wrap;              // toroidal world
    bool skipTransparent;   // skip nodes (and subtrees) whose composed alpha is 0

    // -1 for either size means the screen's. Needs the GL context.
    DirectScene2D(int width, int height);
    ~DirectScene2D() override;

    // Null selects the built-in camera again.
    void setCamera(Camera2D* c);
    Camera2D* getCamera() const { return camera; }

    // Takes a new pixel size, as Scene2D::resize (without a framebuffer):
    // with the built-in camera one unit stays one window pixel.
    void resize(int width, int height);

    // Draws the tree into the current (window) framebuffer; with leaf set,
    // each leaf goes to it instead, after the GL set-up.
    void draw(Scene2D::LeafFunc leaf = nullptr, void* user = nullptr);
    // As Scene2D::render: the camera update and walk; with leaf set no GL call.
    unsigned render(Scene2D::LeafFunc leaf = nullptr, void* user = nullptr);

    quenth::mat2 screenToWorldMatrix() const;
    quenth::vec2 screenToWorld(quenth::vec2 const& p) const;
    quenth::mat2 worldToScreenMatrix() const;
    quenth::vec2 worldToScreen(quenth::vec2 const& p) const;
};

#endif
