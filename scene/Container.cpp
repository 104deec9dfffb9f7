#include "scene/Container.h"

#include "scene/Drawable.h"
#include "scene/Group.h"

Container::Container() : head(nullptr), tail(nullptr), count(0) {}

Container::~Container() {
    clear();
}

void Container::markContainerDirty() {}

unsigned Container::getNumDrawables() const {
    return count;
}

// A group's Drawable and Container parts sit at different addresses; the
// group flag tells when d may be this very container seen as a drawable.
static bool isSelf(Container const* self, Drawable const* d) {
    if (!(d->flags & DRAWABLE_GROUP)) return false;
    return static_cast<Container const*>(static_cast<Group const*>(d)) == self;
}

bool Container::holds(Drawable const* d) const {
    return d && d->parent == this && !isSelf(this, d);
}

void Container::unlink(Drawable* d) {
    if (d->prev)
        d->prev->next = d->next;
    else
        head = d->next;
    if (d->next)
        d->next->prev = d->prev;
    else
        tail = d->prev;
    d->parent = nullptr;
    d->next = nullptr;
    d->prev = nullptr;
    count--;
}

void Container::linkTail(Drawable* d) {
    d->parent = this;
    d->prev = tail;
    d->next = nullptr;
    if (tail)
        tail->next = d;
    else
        head = d;
    tail = d;
    count++;
}

void Container::linkHead(Drawable* d) {
    d->parent = this;
    d->prev = nullptr;
    d->next = head;
    if (head)
        head->prev = d;
    else
        tail = d;
    head = d;
    count++;
}

void Container::clear() {
    Drawable* d = tail;
    while (d) {
        Drawable* before = d->prev;
        d->parent = nullptr;
        d->next = nullptr;
        d->prev = nullptr;
        d = before;
    }
    head = tail = nullptr;
    count = 0;
}

void Container::add(Drawable* d) {
    if (!d || isSelf(this, d)) return;
    if (d->parent) d->parent->remove(d);
    linkTail(d);
}

void Container::remove(Drawable* d) {
    if (!holds(d)) return;
    unlink(d);
}

void Container::insertBefore(Drawable* d, Drawable* ref) {
    if (!d || !ref || d == ref || isSelf(this, d) || !holds(ref)) return;
    if (d->parent) d->parent->remove(d);
    d->parent = this;
    d->next = ref;
    d->prev = ref->prev;
    if (ref->prev)
        ref->prev->next = d;
    else
        head = d;
    ref->prev = d;
    count++;
}

void Container::insertAfter(Drawable* d, Drawable* ref) {
    if (!d || !ref || d == ref || isSelf(this, d) || !holds(ref)) return;
    if (d->parent) d->parent->remove(d);
    d->parent = this;
    d->prev = ref;
    d->next = ref->next;
    if (ref->next)
        ref->next->prev = d;
    else
        tail = d;
    ref->next = d;
    count++;
}

void Container::bringToFront(Drawable* d) {
    if (!holds(d) || d == tail) return;
    unlink(d);
    linkTail(d);
}

void Container::sendToBack(Drawable* d) {
    if (!holds(d) || d == head) return;
    unlink(d);
    linkHead(d);
}
