#ifndef SCENE_GROUP_H
#define SCENE_GROUP_H

#include "scene/Container.h"
#include "scene/Drawable.h"

// Interior node of the scene graph: its position, rotation, scale, colour and
// visibility apply to everything inside it. The renderers descend into its
// children and never call its draw(). Its size is the extent of its children
// in its own frame, always including its origin, so that the whole subtree can
// be culled at once; it is recomputed only while the group is dirty.
class Group : public Container, public Drawable {
public:
    Group();
    ~Group() override;

    // Both bases name these; the argument count tells the list operation
    // (on a child) from the drawable's own (on the group itself).
    using Container::bringToFront;
    using Container::insertAfter;
    using Container::insertBefore;
    using Container::remove;
    using Container::sendToBack;
    using Drawable::bringToFront;
    using Drawable::insertAfter;
    using Drawable::insertBefore;
    using Drawable::remove;
    using Drawable::sendToBack;

    // Marks the group dirty, and with it every group above.
    void markContainerDirty() override;
    // Recomputes size from the children (visible or not), updating dirty
    // children first, and clears the dirty flag.
    void updateSize() override;
    void draw(SceneState& state) override;
};

#endif
