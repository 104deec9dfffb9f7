#ifndef SCENE_CONTAINER_H
#define SCENE_CONTAINER_H

class Drawable;

// An ordered list of drawables linked through their own next/prev fields: the
// head is drawn first (at the back), the tail last (in front). The container
// never owns its children; removing or clearing only unlinks them. Every
// operation ignores null, the container itself and drawables that are not
// where the operation needs them to be, and none allocates.
class Container {
public:
    Drawable* head; // first child, drawn first; null when empty
    Drawable* tail; // last child, drawn last; null when empty
    unsigned count; // number of children

    Container();
    virtual ~Container() = 0;

    // Called when a child is marked dirty; only groups react.
    virtual void markContainerDirty();
    virtual unsigned getNumDrawables() const;
    // Detaches every child; none is deleted.
    virtual void clear();
    // Appends d as the tail, taking it out of its current container first.
    virtual void add(Drawable* d);
    virtual void remove(Drawable* d);
    // Links d directly before / after ref, a child of this container.
    virtual void insertBefore(Drawable* d, Drawable* ref);
    virtual void insertAfter(Drawable* d, Drawable* ref);
    virtual void bringToFront(Drawable* d);
    virtual void sendToBack(Drawable* d);

private:
    // True when d is a child of this container and not the container itself.
    bool holds(Drawable const* d) const;
    void unlink(Drawable* d);
    void linkTail(Drawable* d);
    void linkHead(Drawable* d);
};

#endif
