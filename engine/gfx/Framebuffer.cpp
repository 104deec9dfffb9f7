#include "engine/gfx/Framebuffer.h"

#include "engine/core/Quenth.h"
#include "engine/gfx/GfxUtil.h"
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

bool Framebuffer::canCopy() {
    static const bool can = GfxUtil::hasExtension("GL_EXT_framebuffer_blit");
    return can;
}

bool Framebuffer::copyTo(unsigned target, int x, int y) const {
    if (!canCopy()) return false;
    glBindFramebufferEXT(GL_READ_FRAMEBUFFER_EXT, id);
    glBindFramebufferEXT(GL_DRAW_FRAMEBUFFER_EXT, target);
    glBlitFramebufferEXT(0, 0, (GLint)width, (GLint)height, x, y, x + (GLint)width, y + (GLint)height,
                         GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target);
    return true;
}

void Framebuffer::unbindFB() {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glViewport(0, 0, Quenth::getScreenWidth(), Quenth::getScreenHeight());
}

} // namespace quenth
