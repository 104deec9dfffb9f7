#define GL_GLEXT_PROTOTYPES
#include "engine/gfx/ShaderProgram.h"

#include "engine/gfx/Shader.h"
#include "engine/math/mat2.h"
#include "engine/math/mat4.h"
#include "engine/math/vec2.h"
#include "engine/math/vec3.h"
#include "engine/math/vec4.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace quenth {

Shader* ShaderProgram::default_vs = nullptr;
Shader* ShaderProgram::default_fs = nullptr;

namespace {

const char* const DEFAULT_VS_SOURCE =
    "void main() { gl_TexCoord[0] = gl_MultiTexCoord0; gl_FrontColor = gl_Color; "
    "gl_BackColor = gl_Color; gl_Position = ftransform(); }";
const char* const DEFAULT_FS_SOURCE = "void main() { gl_FragColor = gl_Color; }";

// Arrays of vectors and matrices are handed to GL as one run of floats.
static_assert(sizeof(vec2) == 2 * sizeof(float), "vec2 must be two packed floats");
static_assert(sizeof(vec3) == 3 * sizeof(float), "vec3 must be three packed floats");
static_assert(sizeof(vec4) == 4 * sizeof(float), "vec4 must be four packed floats");
static_assert(sizeof(mat2) == 6 * sizeof(float), "mat2 must be six packed floats");
static_assert(sizeof(mat4) == 16 * sizeof(float), "mat4 must be sixteen packed floats");

} // namespace

ShaderProgram::ShaderProgram() : GLObject(LINKED) {
    // Fallbacks of a context that is gone are compiled again in this one.
    if (default_vs && !default_vs->alive()) {
        default_vs->restore();
        default_vs->context = context;
    }
    if (default_fs && !default_fs->alive()) {
        default_fs->restore();
        default_fs->context = context;
    }
    if (!default_vs) default_vs = new Shader(Shader::VERTEX, DEFAULT_VS_SOURCE, 0);
    if (!default_fs) default_fs = new Shader(Shader::FRAGMENT, DEFAULT_FS_SOURCE, 0);
    vertex = nullptr;
    fragment = nullptr;
    geometry = nullptr;
    id = glCreateProgram();
}

ShaderProgram::~ShaderProgram() {
    if (!alive()) return;
    if (vertex) glDetachShader(id, vertex->id);
    if (fragment) glDetachShader(id, fragment->id);
    if (geometry) glDetachShader(id, geometry->id);
    // Deleting the program also releases its hold on the fallback stages.
    glDeleteProgram(id);
}

void ShaderProgram::restore() {
    id = glCreateProgram();
    for (Shader* s : {vertex, geometry, fragment})
        if (s) glAttachShader(id, s->id);
    link();
}

void ShaderProgram::attach(Shader* s) {
    if (!s) return;
    switch (s->type) {
        case Shader::VERTEX:
            vertex = s;
            break;
        case Shader::FRAGMENT:
            fragment = s;
            break;
        case Shader::GEOMETRY:
            geometry = s;
            break;
        default:
            return; // not a stage this program knows how to detach again
    }
    glAttachShader(id, s->id);
}

void ShaderProgram::link() {
    if (!vertex) glAttachShader(id, default_vs->id);
    if (!fragment) glAttachShader(id, default_fs->id);
    glLinkProgram(id);
}

void ShaderProgram::bind() const {
    glUseProgram(id);
}

void ShaderProgram::unbind() const {
    glUseProgram(0);
}

int ShaderProgram::getUniformLocation(char const* name) const {
    return glGetUniformLocation(id, name);
}

int ShaderProgram::getAttributeLocation(char const* name) const {
    return glGetAttribLocation(id, name);
}

void ShaderProgram::setUniform(char const* name, int v) const {
    glUniform1i(getUniformLocation(name), v);
}

void ShaderProgram::setUniform(char const* name, float v) const {
    glUniform1f(getUniformLocation(name), v);
}

void ShaderProgram::setUniform(char const* name, vec2 const& v) const {
    glUniform2fv(getUniformLocation(name), 1, &v.x);
}

void ShaderProgram::setUniform(char const* name, vec3 const& v) const {
    glUniform3fv(getUniformLocation(name), 1, &v.x);
}

void ShaderProgram::setUniform(char const* name, vec4 const& v) const {
    glUniform4fv(getUniformLocation(name), 1, &v.x);
}

void ShaderProgram::setUniform(char const* name, int const* v, int count) const {
    glUniform1iv(getUniformLocation(name), count, v);
}

void ShaderProgram::setUniform(char const* name, float const* v, int count) const {
    glUniform1fv(getUniformLocation(name), count, v);
}

void ShaderProgram::setUniform(char const* name, vec2 const* v, int count) const {
    glUniform2fv(getUniformLocation(name), count, &v->x);
}

void ShaderProgram::setUniform(char const* name, vec3 const* v, int count) const {
    glUniform3fv(getUniformLocation(name), count, &v->x);
}

void ShaderProgram::setUniform(char const* name, vec4 const* v, int count) const {
    glUniform4fv(getUniformLocation(name), count, &v->x);
}

void ShaderProgram::setUniform(char const* name, mat2 const& m) const {
    glUniformMatrix3x2fv(getUniformLocation(name), 1, GL_FALSE, m.m);
}

void ShaderProgram::setUniform(char const* name, mat2 const* m, int count) const {
    glUniformMatrix3x2fv(getUniformLocation(name), count, GL_FALSE, m->m);
}

void ShaderProgram::setUniform(char const* name, mat4 const& m) const {
    glUniformMatrix4fv(getUniformLocation(name), 1, GL_FALSE, m.m);
}

void ShaderProgram::setUniform(char const* name, mat4 const* m, int count) const {
    glUniformMatrix4fv(getUniformLocation(name), count, GL_FALSE, m->m);
}

} // namespace quenth
