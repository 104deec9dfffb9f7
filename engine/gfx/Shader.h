#ifndef QUENTH_GFX_SHADER_H
#define QUENTH_GFX_SHADER_H

#include "engine/gfx/GLObject.h"

#include <string>

namespace quenth {

// One compiled GLSL stage. Compile status is not queried: a shader that does
// not compile makes the program it joins fail to link, which draws nothing.
// It keeps its source, to be compiled again in a new context.
class Shader : public GLObject {
public:
    static constexpr char VERTEX = 1;
    static constexpr char FRAGMENT = 2;
    static constexpr char GEOMETRY = 4; // GL_GEOMETRY_SHADER_EXT

    unsigned id;        // OpenGL shader object
    char type;          // stage code: VERTEX, FRAGMENT or GEOMETRY
    std::string source; // the GLSL text compiled

    // Compiles source as the stage given by type. A length of 0 means the
    // source is zero-terminated; a null source compiles as an empty one.
    Shader(char type, char const* source, int length);
    ~Shader() override;

    void restore() override;
};

} // namespace quenth

#endif
