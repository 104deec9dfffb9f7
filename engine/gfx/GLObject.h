#ifndef QUENTH_GFX_GLOBJECT_H
#define QUENTH_GFX_GLOBJECT_H

namespace quenth {

// Base of every engine object that owns an OpenGL name: textures,
// renderbuffers, framebuffers, shaders and programs. All live ones are kept
// in one list, so that when the window's GL context is replaced (a new video
// mode does that on some systems, as do Quenth::quit() and init()) each can be
// made again in the new context, keeping its C++ address and its contents,
// before anything draws:
//
//     GLObject::saveAll();      // while the old context is current
//     Quenth::setVideoMode(w, h, fullscreen);
//     GLObject::restoreAll();   // does nothing to objects whose context lives
//
// A name made in a context that is gone is never passed to GL again: deleting
// it could delete an object of the new context that got the same number.
class GLObject {
public:
    // Restoring runs in two passes: objects of the second are built from those
    // of the first (a program from its shaders, a framebuffer from its
    // textures and renderbuffer).
    enum Pass { STORAGE = 0, LINKED = 1 };

    unsigned context;     // Quenth::contextSerial of the context that owns the name
    Pass pass;            // when restoreAll() makes it again
    GLObject* prevObject; // the list of live objects, oldest first
    GLObject* nextObject;

    explicit GLObject(Pass pass);
    virtual ~GLObject();

    GLObject(GLObject const&) = delete;
    GLObject& operator=(GLObject const&) = delete;

    // The object's name belongs to the current context and may be used.
    bool alive() const;

    // While the object's context is still current: keeps in memory what
    // cannot be made again from the object's fields (a texture's texels).
    virtual void save() {}
    // In the current context: makes the name, and its storage and contents,
    // again from the fields and from what save() kept; marks it alive.
    virtual void restore() = 0;
    // Frees what save() kept.
    virtual void dropSaved() {}

    // save() for every live object.
    static void saveAll();
    // restore() for every object of an older context, first pass first, then
    // dropSaved() for all. Returns the number of objects restored.
    static unsigned restoreAll();
    // Objects in the list.
    static unsigned count();

private:
    static GLObject* first; // oldest live object
    static GLObject* last;  // newest live object
};

} // namespace quenth

#endif
