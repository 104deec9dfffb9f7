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

Shader::Shader(char type_, char const* source, int length) {
    type = type_;
    if (!source) {
        source = "";
        length = 0;
    }
    GLint len = length > 0 ? length : (GLint)strlen(source);
    id = glCreateShader(stageEnum(type));
    glShaderSource(id, 1, &source, &len);
    glCompileShader(id);
}

Shader::~Shader() {
    glDeleteShader(id);
}

} // namespace quenth
