#define GL_GLEXT_PROTOTYPES
#include "scene/Shaders.h"

#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/ShaderProgram.h"

#include <GL/gl.h>
#include <GL/glext.h>

using quenth::GfxUtil;
using quenth::ShaderProgram;

ShaderProgram* Shaders::color_shader_fixed = nullptr;
ShaderProgram* Shaders::texture_shader_fixed = nullptr;
ShaderProgram* Shaders::color_shader = nullptr;
ShaderProgram* Shaders::texture_shader = nullptr;
ShaderProgram* Shaders::color_extract_shader = nullptr;
ShaderProgram* Shaders::hblur_shader = nullptr;
ShaderProgram* Shaders::vblur_shader = nullptr;
ShaderProgram* Shaders::sprite_glow_shader = nullptr;
bool Shaders::dualSourceBlending = false;
ShaderProgram* Shaders::composite_shader = nullptr;
ShaderProgram* Shaders::additive_shader = nullptr;

namespace {

bool linked(ShaderProgram const* p) {
    GLint ok = 0;
    glGetProgramiv(p->id, GL_LINK_STATUS, &ok);
    return ok != 0;
}

// The program, or null (and deleted) when it did not link.
ShaderProgram* loadOptional(char const* name) {
    ShaderProgram* p = GfxUtil::loadShaderFromDisk("shaders", name);
    if (linked(p)) return p;
    delete p;
    return nullptr;
}

} // namespace

void Shaders::init() {
    static bool loaded = false;
    if (loaded) return;
    loaded = true;
    color_shader_fixed = GfxUtil::loadShaderFromDisk("shaders", "color_fixed");
    texture_shader_fixed = GfxUtil::loadShaderFromDisk("shaders", "texture_fixed");
    color_shader = GfxUtil::loadShaderFromDisk("shaders", "color");
    texture_shader = GfxUtil::loadShaderFromDisk("shaders", "texture");
    color_extract_shader = GfxUtil::loadShaderFromDisk("shaders", "color_extract");
    hblur_shader = GfxUtil::loadShaderFromDisk("shaders", "hblur");
    vblur_shader = GfxUtil::loadShaderFromDisk("shaders", "vblur");
    // Older GLs cannot compile it; glowing sprites then take two passes.
    if (GfxUtil::hasExtension("GL_ARB_blend_func_extended")) {
        sprite_glow_shader = GfxUtil::loadShaderFromDisk("shaders", "sprite_glow");
        dualSourceBlending = linked(sprite_glow_shader);
    }
    composite_shader = loadOptional("composite");
    additive_shader = loadOptional("additive");
}

void Shaders::drawAdditive(unsigned mode, int count, unsigned passes) {
    if (count <= 0 || passes == 0) return;
    if (!additive_shader) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        texture_shader_fixed->bind();
        texture_shader_fixed->setUniform("texture", 0);
        for (unsigned p = 0; p < passes; ++p) glDrawArrays(mode, 0, count);
        return;
    }
    additive_shader->bind();
    additive_shader->setUniform("texture", 0);
    additive_shader->setUniform("gain", (float)passes);
    glBlendFunc(GL_ONE, GL_ONE);
    glDrawArrays(mode, 0, count);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    texture_shader_fixed->bind();
    texture_shader_fixed->setUniform("texture", 0);
}
