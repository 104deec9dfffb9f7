#include "engine/gfx/Framebuffer.h"

#include "engine/core/Quenth.h"
#include "engine/gfx/Renderbuffer.h"
#include "engine/gfx/Texture.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace quenth {

Framebuffer::Framebuffer(unsigned w, unsigned h, unsigned flags)
    : GLObject(LINKED), id(0), width(w), height(h), color{nullptr, nullptr, nullptr, nullptr},
      depth(nullptr) {
    for (int i = 0; i < 4; i++)
        if (flags & (1u << i)) color[i] = new Texture(width, height, 0, GL_TEXTURE_2D, GL_RGBA8);
    if (flags & DEPTH) depth = new Renderbuffer(width, height, GL_DEPTH_COMPONENT);
    attach();
}

void Framebuffer::attach() {
    glGenFramebuffersEXT(1, &id);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, id);
    for (int i = 0; i < 4; i++)
        if (color[i])
            glFramebufferTexture2D(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT + i, GL_TEXTURE_2D,
                                   color[i]->id, 0);
    if (depth)
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                     depth->id);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

void Framebuffer::restore() {
    attach();
}

Framebuffer::~Framebuffer() {
    if (alive()) glDeleteFramebuffersEXT(1, &id);
    for (Texture* t : color) delete t;
    delete depth;
}

void Framebuffer::bind() const {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, id);
    glViewport(0, 0, width, height);
}

void Framebuffer::unbind() const {
    unbindFB();
}

void Framebuffer::unbindFB() {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glViewport(0, 0, Quenth::getScreenWidth(), Quenth::getScreenHeight());
}

} // namespace quenth
