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

Texture::Texture(Surface* s) {
    uExtent = 1.0f;
    vExtent = 1.0f;
    width = 0;
    height = 0;
    depth = 0;
    target = GL_TEXTURE_2D;
    unit = GL_TEXTURE0;
    internalFormat = GL_RGBA8;
    id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
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

Texture::Texture(int w, int h, int d, unsigned target_, unsigned internalFormat_) {
    width = w < 8 ? 8 : w;
    height = h < 8 ? 8 : h;
    depth = d < 2 ? 2 : d;
    uExtent = 1.0f;
    vExtent = 1.0f;
    target = target_;
    internalFormat = internalFormat_;
    unit = GL_TEXTURE0;
    id = 0;
    glGenTextures(1, &id);
    glBindTexture(target, id);
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    if (target == GL_TEXTURE_2D) {
        glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(target, 0, internalFormat, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    } else if (target == GL_TEXTURE_3D) {
        glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(target, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
        glTexImage3D(target, 0, internalFormat, width, height, depth, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    } else if (target == GL_TEXTURE_1D) {
        glTexImage1D(target, 0, internalFormat, width, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    }
    glBindTexture(target, 0);
    usedMemory += width * height * 4;
}

Texture::~Texture() {
    glDeleteTextures(1, &id);
    usedMemory -= width * height * 4;
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
