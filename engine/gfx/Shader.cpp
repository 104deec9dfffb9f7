#define GL_GLEXT_PROTOTYPES
#include "engine/gfx/Shader.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <cstring>

namespace quenth {

namespace {

GLenum stageEnum(char type) {
    switch (type) {
        case Shader::VERTEX:
            return GL_VERTEX_SHADER;
        case Shader::FRAGMENT:
            return GL_FRAGMENT_SHADER;
        case Shader::GEOMETRY:
            return GL_GEOMETRY_SHADER_EXT;
        default:
            return 0;
    }
}

} // namespace

Shader::Shader(char type_, char const* text, int length) : GLObject(STORAGE), id(0), type(type_) {
    if (text) source.assign(text, length > 0 ? (size_t)length : strlen(text));
    restore();
}

void Shader::restore() {
    char const* text = source.c_str();
    GLint len = (GLint)source.size();
    id = glCreateShader(stageEnum(type));
    glShaderSource(id, 1, &text, &len);
    glCompileShader(id);
}

Shader::~Shader() {
    if (alive()) glDeleteShader(id);
}

} // namespace quenth
