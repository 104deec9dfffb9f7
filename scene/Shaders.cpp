#include "scene/Shaders.h"

#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/Shader.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/util/DataDir.h"

#include <string>

using quenth::GfxUtil;
using quenth::ShaderProgram;

ShaderProgram* Shaders::color_shader_fixed = nullptr;
ShaderProgram* Shaders::texture_shader_fixed = nullptr;
ShaderProgram* Shaders::color_shader = nullptr;
ShaderProgram* Shaders::texture_shader = nullptr;
ShaderProgram* Shaders::color_extract_shader = nullptr;
ShaderProgram* Shaders::hblur_shader = nullptr;
ShaderProgram* Shaders::vblur_shader = nullptr;

namespace {

ShaderProgram** const PROGRAMS[7] = {&Shaders::color_shader_fixed,   &Shaders::texture_shader_fixed,
                                     &Shaders::color_shader,         &Shaders::texture_shader,
                                     &Shaders::color_extract_shader, &Shaders::hblur_shader,
                                     &Shaders::vblur_shader};
const char* const NAMES[7] = {"color_fixed",   "texture_fixed", "color", "texture",
                              "color_extract", "hblur",         "vblur"};

} // namespace

void Shaders::init() {
    static bool loaded = false;
    if (loaded && color_shader_fixed->alive()) return;
    // Programs of a context that is gone (the window was closed and opened
    // again, and they were not restored) are dropped and loaded anew. Their
    // stages belong to nothing else.
    for (ShaderProgram** p : PROGRAMS) {
        if (!*p) continue;
        quenth::Shader* stages[3] = {(*p)->vertex, (*p)->geometry, (*p)->fragment};
        delete *p;
        *p = nullptr;
        for (quenth::Shader* s : stages) delete s;
    }
    loaded = true;
    std::string dir = quenth::DataDir::path("shaders");
    for (int i = 0; i < 7; i++) *PROGRAMS[i] = GfxUtil::loadShaderFromDisk(dir.c_str(), NAMES[i]);
}
