#ifndef SCENE_SCENE2D_H
#define SCENE_SCENE2D_H

#include "engine/math/mat2.h"
#include "engine/math/mat4.h"
#include "engine/math/vec2.h"
#include "engine/util/Stack.h"
#include "scene/Camera2D.h"
#include "scene/Container.h"
#include "scene/SceneState.h"
#include "scene/ViewRect.h"

namespace quenth {
class Framebuffer;
class Texture;
} // namespace quenth

// The world layer. Once per frame it walks its tree without recursion,
// composing transforms and colours on explicit stacks, culls every node
// against the view rectangles, draws into its off-screen framebuffer and lays
// the result over the window. With wrap set the world is a torus: near an
// edge extra view rectangles pick up objects from the far side and shift them
// across the seam. It links its children but never owns them.
class Scene2D : public Container {
public:
    // Receives a leaf instead of drawing it (see render()).
    typedef void (*LeafFunc)(Drawable* node, SceneState& state, void* user);

    quenth::Framebuffer* framebuffer;  // off-screen target, width x height; kept for the program's life
    quenth::Texture* colorTextures[4]; // the framebuffer's colour textures; only [0] is drawn and shown
    Camera2D defaultCamera;            // (width / 2, height / 2, zoom 1, 0 degrees)
    Camera2D lastCamera;               // the camera as it was at the previous draw()
    Camera2D* camera;                  // camera in use; never null
    quenth::vec2 worldSize;            // extent of the wrapping world, world units
    int width, height;                 // pixel size of the scene and its framebuffer
    bool debugDraw;                    // outline the world and every drawn node
    bool wrap;                         // toroidal world
    bool skipTransparent;              // skip nodes (and subtrees) whose composed alpha is 0

    // -1 for either size means the screen's. Needs the GL context.
    Scene2D(int width, int height);
    ~Scene2D() override;

    // Null selects the built-in camera again.
    void setCamera(Camera2D* c);
    Camera2D* getCamera() const { return camera; }

    // Takes a new pixel size (the window's, after a change of display mode):
    // the framebuffer is made again at that size. A world that had the
    // scene's size keeps having it, and the built-in camera, when it still
    // looks at the old centre, looks at the new one; a camera the game moves
    // stays where it is.
    void resize(int width, int height);

    // Draws the frame into the framebuffer and composites it onto the window:
    // drawWorld(), then composite().
    void draw();
    // The frame into the framebuffer; leaves the framebuffer bound. With leaf
    // set, each leaf goes to it instead, after the GL set-up (a measuring
    // tool wraps drawLeaf() that way).
    void drawWorld(LeafFunc leaf = nullptr, void* user = nullptr);
    // Copies the framebuffer's image onto the window, replacing what it held.
    void composite();

    // One frame's camera update and tree walk, without GL set-up, outlines or
    // composite: with leaf null every leaf is drawn with GL as draw() does;
    // otherwise leaf receives each leaf with its state and no GL call is made
    // at all. Returns the number of leaves reached.
    unsigned render(LeafFunc leaf = nullptr, void* user = nullptr);

    quenth::mat2 screenToWorldMatrix() const;
    // p in window pixels (origin top left, y down) to world units.
    quenth::vec2 screenToWorld(quenth::vec2 const& p) const;
    quenth::mat2 worldToScreenMatrix() const;
    quenth::vec2 worldToScreen(quenth::vec2 const& p) const;

    // The machinery below is shared with DirectScene2D.

    // Pushes the view rectangles for a camera at (cx, cy) (already wrapped when
    // wrap is set) seeing vw x vh world units: the screen first, then, with
    // wrap, the seam rectangles in their fixed order.
    static void computeViewRects(quenth::Stack<ViewRect>& rects, float cx, float cy, float vw, float vh,
                                 quenth::vec2 const& worldSize, bool wrap);
    // Index of the first rectangle that holds a corner of the bounds (x, y, w,
    // h), corners tried as (x, y), (x + w, y + h), (x, y + h), (x + w, y),
    // edges inclusive; -1 when none does.
    static int findViewRect(quenth::Stack<ViewRect>& rects, float x, float y, float w, float h);
    // Camera clamp, view rectangles and root state of one frame. The root
    // state points at rects, projection and perspective, which must outlive it.
    static void beginFrame(Camera2D& camera, Camera2D& lastCamera, int width, int height,
                           quenth::vec2 const& worldSize, bool wrap, quenth::Stack<ViewRect>& rects,
                           quenth::mat4& projection, quenth::mat4& perspective, SceneState& root);
    // Walks the list starting at first. placement3D gives DRAWABLE_3D nodes
    // their own model-view and box culling (the screen layer). With leaf null
    // leaves are drawn with GL and outlines follows the debug flag; with leaf
    // set nothing touches GL.
    static unsigned walk(Drawable* first, SceneState const& root, quenth::Stack<SceneState>& states,
                         quenth::Stack<Drawable*>& pending, bool skipTransparent, bool outlines,
                         bool placement3D, LeafFunc leaf, void* user);
    // A leaf as the walk draws it: its matrices, blend function, default
    // arrays and the textured program, then its own draw().
    static void drawLeaf(Drawable* node, SceneState& state);
    static void drawWorldOutline(SceneState const& root, quenth::vec2 const& worldSize);
    // The size, world and built-in camera part of resize(), for both scenes.
    static void fitSize(int& width, int& height, quenth::vec2& worldSize, Camera2D& defaultCamera, int w,
                        int h);
    static quenth::mat2 makeScreenToWorld(Camera2D const& camera, int width, int height,
                                          quenth::vec2 const& worldSize);
    static quenth::mat2 makeWorldToScreen(Camera2D const& camera, int width, int height,
                                          quenth::vec2 const& worldSize);
};

#endif
