#ifndef QUENTH_GFX_RENDERBUFFER_H
#define QUENTH_GFX_RENDERBUFFER_H

#include "engine/gfx/GLObject.h"

namespace quenth {

// A renderbuffer object, used as the depth attachment of a Framebuffer. Must
// be destroyed while the GL context exists; in a new context it gets empty
// storage again.
class Renderbuffer : public GLObject {
public:
    unsigned id;             // OpenGL renderbuffer name, 0 once deleted
    unsigned width;          // pixels
    unsigned height;         // pixels
    unsigned internalFormat; // format of the storage, e.g. GL_DEPTH_COMPONENT

    // Storage of internalFormat (e.g. GL_DEPTH_COMPONENT) and the given size.
    Renderbuffer(unsigned width, unsigned height, unsigned internalFormat);
    ~Renderbuffer() override;

    void bind() const;
    void restore() override;
};

} // namespace quenth

#endif
