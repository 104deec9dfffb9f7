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

namespace {

bool linked(ShaderProgram const* p) {
    GLint ok = 0;
    glGetProgramiv(p->id, GL_LINK_STATUS, &ok);
    return ok != 0;
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
}
