#include "engine/gfx/GLObject.h"

#include "engine/core/Quenth.h"

namespace quenth {

GLObject* GLObject::first = nullptr;
GLObject* GLObject::last = nullptr;

GLObject::GLObject(Pass p) : context(Quenth::contextSerial), pass(p), prevObject(last), nextObject(nullptr) {
    if (last)
        last->nextObject = this;
    else
        first = this;
    last = this;
}

GLObject::~GLObject() {
    if (prevObject)
        prevObject->nextObject = nextObject;
    else
        first = nextObject;
    if (nextObject)
        nextObject->prevObject = prevObject;
    else
        last = prevObject;
}

bool GLObject::alive() const {
    return context == Quenth::contextSerial;
}

void GLObject::saveAll() {
    for (GLObject* o = first; o; o = o->nextObject)
        if (o->alive()) o->save();
}

unsigned GLObject::restoreAll() {
    unsigned n = 0;
    for (int p = STORAGE; p <= LINKED; p++) {
        for (GLObject* o = first; o; o = o->nextObject) {
            if (o->pass != p || o->alive()) continue;
            o->restore();
            o->context = Quenth::contextSerial;
            n++;
        }
    }
    for (GLObject* o = first; o; o = o->nextObject) o->dropSaved();
    return n;
}

unsigned GLObject::count() {
    unsigned n = 0;
    for (GLObject* o = first; o; o = o->nextObject) n++;
    return n;
}

} // namespace quenth
