#ifndef SCENE_DRAWABLE_H
#define SCENE_DRAWABLE_H

#include "engine/math/vec2.h"
#include "engine/math/vec3.h"

class Container;
struct SceneState;

// Bits of Drawable::flags.
enum DrawableFlag : unsigned {
    DRAWABLE_VISIBLE = 0x1, // drawn at all; cleared hides the node and its subtree
    DRAWABLE_EFFECT = 0x2,  // draws in its parent's frame: never culled, no own transform
    DRAWABLE_GROUP = 0x4,   // a Group: the renderer descends into its children
    DRAWABLE_DIRTY = 0x8,   // size is stale; updateSize() runs before it is used
    DRAWABLE_3D = 0x10,     // drawn with the perspective projection and the 3D model-view
    DRAWABLE_DRAW_MODE_MASK = 0xF00
};

// Draw modes, stored as raw bits 8-11 of the flags. The renderer takes the
// first set bit in the order BLEND, ADD, SRC_COLOR; none set draws as BLEND.
enum DrawMode : unsigned {
    DRAW_MODE_BLEND = 0x100,    // GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA
    DRAW_MODE_ADD = 0x200,      // GL_SRC_ALPHA, GL_ONE
    DRAW_MODE_SRC_COLOR = 0x400 // GL_SRC_ALPHA, GL_SRC_COLOR
};

// The point of a drawable's rectangle that setHotSpot() puts on its position.
enum HotSpotLocation {
    TOP_LEFT = 0,
    TOP_RIGHT = 1,
    LEFT = 2,
    TOP = 3,
    CENTER = 4,
    RIGHT = 5,
    BOTTOM = 6,
    BOTTOM_LEFT = 7,
    BOTTOM_RIGHT = 8
};

// A node of the scene graph. It sits in at most one Container, which links it
// but does not own it; whoever created it deletes it, and deletion unlinks it.
// The renderer calls draw() with the transform and colour already composed.
class Drawable {
public:
    // A colour as four bytes 0-255.
    struct RGBA {
        unsigned char r, g, b, a;
    };

    Container* parent;     // the container holding this node; null when detached
    Drawable* next;        // sibling drawn after this one (in front); null for the last
    Drawable* prev;        // sibling drawn before this one; null for the first
    unsigned flags;        // DrawableFlag bits and the draw mode in bits 8-11
    RGBA blendColor;       // multiplies this node's colour and its subtree's, bytes 0-255
    quenth::vec3 position; // placement in the parent's frame, world units (z unused in 2D)
    quenth::vec3 hotSpot;  // centre of the drawn rectangle relative to position, own unscaled frame
    quenth::vec3 size;     // width, height, depth in own units
    quenth::vec3 rotation; // Euler angles in degrees; 2D drawing uses only z
    float scale;           // uniform scale, never negative

    Drawable();
    virtual ~Drawable() = 0;

    // Clears DRAWABLE_DIRTY; groups and particle slices also recompute size.
    virtual void updateSize();
    // Emits the node's geometry; called only by the scene renderers.
    virtual void draw(SceneState& state) = 0;

    void remove();
    // Places this node directly in front of / behind other, in other's container.
    void insertAfter(Drawable* other);
    void insertBefore(Drawable* other);
    void bringToFront();
    void sendToBack();
    // Flags this node dirty and every group above it.
    void markDirty();

    // Splits a packed pixel with the channel layout of quenth::Color.
    void setBlendColor(unsigned int rgba);
    // Channels 0-1, clamped, truncated to bytes.
    void setBlendColor(float r, float g, float b, float a);
    void setVisible(bool visible);
    bool isVisible() const { return (flags & DRAWABLE_VISIBLE) != 0; }
    void setScale(float s);
    void setSize(float w, float h);
    void setRotation(float degrees);
    void rotate(float degrees);
    void centerHotSpot();
    // Uses the current size; later size changes do not move the hot spot.
    void setHotSpot(HotSpotLocation location);
    void setHotSpot(float x, float y);
    void setDrawMode(unsigned int mode);
    unsigned getDrawMode() const { return flags & DRAWABLE_DRAW_MODE_MASK; }
    // Axis-aligned bounds in the parent's frame: pos = (x, y), extent = (w, h).
    void getBounds(quenth::vec2& pos, quenth::vec2& extent) const;
};

// Kept for the library's interface; nothing calls them. Both return (0, 0).
quenth::vec2 localToGlobal(quenth::vec2 const& p);
quenth::vec2 globalToLocal(quenth::vec2 const& p);

#endif
