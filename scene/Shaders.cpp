#define GL_GLEXT_PROTOTYPES
#include "scene/Shaders.h"

#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/Shader.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/util/DataDir.h"

#include <string>

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
ShaderProgram* Shaders::additive_shader = nullptr;

namespace {

bool linked(ShaderProgram const* p) {
    GLint ok = 0;
    glGetProgramiv(p->id, GL_LINK_STATUS, &ok);
    return ok != 0;
}

ShaderProgram** const PROGRAMS[7] = {&Shaders::color_shader_fixed,   &Shaders::texture_shader_fixed,
                                     &Shaders::color_shader,         &Shaders::texture_shader,
                                     &Shaders::color_extract_shader, &Shaders::hblur_shader,
                                     &Shaders::vblur_shader};
const char* const NAMES[7] = {"color_fixed",   "texture_fixed", "color", "texture",
                              "color_extract", "hblur",         "vblur"};
// The programs the drawing can do without; null where they did not load.
ShaderProgram** const OPTIONAL[2] = {&Shaders::sprite_glow_shader, &Shaders::additive_shader};

// Deletes a program and its stages, which belong to nothing else.
void drop(ShaderProgram** p) {
    if (!*p) return;
    quenth::Shader* stages[3] = {(*p)->vertex, (*p)->geometry, (*p)->fragment};
    delete *p;
    *p = nullptr;
    for (quenth::Shader* s : stages) delete s;
}

// The program, or null (and dropped) when it did not link.
ShaderProgram* loadOptional(std::string const& dir, char const* name) {
    ShaderProgram* p = GfxUtil::loadShaderFromDisk(dir.c_str(), name);
    if (!linked(p)) drop(&p);
    return p;
}

} // namespace

void Shaders::init() {
    static bool loaded = false;
    if (loaded && color_shader_fixed->alive()) return;
    // Programs of a context that is gone (the window was closed and opened
    // again, and they were not restored) are dropped and loaded anew.
    for (ShaderProgram** p : PROGRAMS) drop(p);
    for (ShaderProgram** p : OPTIONAL) drop(p);
    dualSourceBlending = false;
    loaded = true;
    std::string dir = quenth::DataDir::path("shaders");
    for (int i = 0; i < 7; i++) *PROGRAMS[i] = GfxUtil::loadShaderFromDisk(dir.c_str(), NAMES[i]);
    // Older GLs cannot compile it; glowing sprites then take two passes.
    if (GfxUtil::hasExtension("GL_ARB_blend_func_extended")) {
        sprite_glow_shader = GfxUtil::loadShaderFromDisk(dir.c_str(), "sprite_glow");
        dualSourceBlending = linked(sprite_glow_shader);
    }
    additive_shader = loadOptional(dir, "additive");
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
