#define GL_GLEXT_PROTOTYPES
#include "engine/gfx/Texture.h"

#include "engine/gfx/Surface.h"
#include "engine/math/Math.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace quenth {

unsigned Texture::usedMemory = 0;

unsigned Texture::maxSize() {
    static GLint limit = 0;
    if (limit <= 0) glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    // Without a context the query leaves 0; then nothing may be uploaded anyway.
    return limit > 0 ? (unsigned)limit : 0;
}

void Texture::makeName() {
    id = 0;
    glGenTextures(1, &id);
    glBindTexture(target, id);
    GLint wrap = renderTarget ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(target, GL_TEXTURE_WRAP_S, wrap);
    if (target != GL_TEXTURE_1D) glTexParameteri(target, GL_TEXTURE_WRAP_T, wrap);
    if (target == GL_TEXTURE_3D) glTexParameteri(target, GL_TEXTURE_WRAP_R, wrap);
}

void Texture::allocateTarget() {
    if (target == GL_TEXTURE_2D)
        glTexImage2D(target, 0, internalFormat, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    else if (target == GL_TEXTURE_3D)
        glTexImage3D(target, 0, internalFormat, width, height, depth, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    else if (target == GL_TEXTURE_1D)
        glTexImage1D(target, 0, internalFormat, width, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
}

Texture::Texture(Surface* s) : GLObject(STORAGE) {
    uExtent = 1.0f;
    vExtent = 1.0f;
    width = 0;
    height = 0;
    depth = 0;
    target = GL_TEXTURE_2D;
    unit = GL_TEXTURE0;
    internalFormat = GL_RGBA8;
    renderTarget = false;
    saved = nullptr;
    makeName();
    if (!s) return;

    unsigned sw = (unsigned)s->width, sh = (unsigned)s->height;
    unsigned pw = Math::getNextPow2(sw), ph = Math::getNextPow2(sh);
    // An image whose padded size the GL cannot hold stays without storage
    // rather than asking the driver for an impossible allocation.
    unsigned limit = maxSize();
    if (pw > limit || ph > limit) return;

    if (Math::isPowerOf2(sw) && Math::isPowerOf2(sh)) {
        glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, sw, sh, 0, GL_RGBA, GL_UNSIGNED_BYTE, s->pixels);
    } else {
        Surface padded(pw, ph);
        padded.copy(s, 0, 0, 0, 0, -1, -1);
        uExtent = (float)sw / (float)pw;
        vExtent = (float)sh / (float)ph;
        glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, pw, ph, 0, GL_RGBA, GL_UNSIGNED_BYTE, padded.pixels);
    }
    width = pw;
    height = ph;
    usedMemory += width * height * 4;
}

Texture::Texture(int w, int h, int d, unsigned target_, unsigned internalFormat_) : GLObject(STORAGE) {
    width = w < 8 ? 8 : w;
    height = h < 8 ? 8 : h;
    depth = d < 2 ? 2 : d;
    uExtent = 1.0f;
    vExtent = 1.0f;
    target = target_;
    internalFormat = internalFormat_;
    unit = GL_TEXTURE0;
    renderTarget = true;
    saved = nullptr;
    makeName();
    allocateTarget();
    glBindTexture(target, 0);
    usedMemory += width * height * 4;
}

Texture::~Texture() {
    if (alive()) glDeleteTextures(1, &id);
    dropSaved();
    usedMemory -= width * height * 4;
}

void Texture::save() {
    // A render target's contents are drawn again every frame; only images
    // are read back, and only the 2D ones the engine makes.
    if (renderTarget || !hasStorage() || target != GL_TEXTURE_2D) return;
    dropSaved();
    saved = new unsigned[(size_t)width * height];
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, saved);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Texture::restore() {
    makeName();
    if (renderTarget)
        allocateTarget();
    else if (hasStorage())
        // Without texels kept (a context lost unannounced) the storage is
        // made again with undefined contents rather than left missing.
        glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, saved);
    glBindTexture(target, 0);
}

void Texture::dropSaved() {
    delete[] saved;
    saved = nullptr;
}

void Texture::bind(unsigned unit_) {
    unit = unit_;
    glActiveTexture(unit);
    glBindTexture(target, id);
}

void Texture::unbind() {
    glActiveTexture(unit);
    glBindTexture(target, 0);
}

void Texture::bindNone(unsigned unit) {
    glActiveTexture(unit);
    glBindTexture(GL_TEXTURE_2D, 0);
}

} // namespace quenth
