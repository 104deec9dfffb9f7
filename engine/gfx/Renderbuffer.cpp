#include "engine/gfx/Renderbuffer.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace quenth {

Renderbuffer::Renderbuffer(unsigned w, unsigned h, unsigned format)
    : GLObject(STORAGE), id(0), width(w), height(h), internalFormat(format) {
    restore();
}

void Renderbuffer::restore() {
    glGenRenderbuffersEXT(1, &id);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, id);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, internalFormat, width, height);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);
}

Renderbuffer::~Renderbuffer() {
    if (alive()) glDeleteRenderbuffersEXT(1, &id);
    id = 0;
}

void Renderbuffer::bind() const {
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, id);
}

} // namespace quenth
