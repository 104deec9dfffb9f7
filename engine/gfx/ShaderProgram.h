#ifndef QUENTH_GFX_SHADERPROGRAM_H
#define QUENTH_GFX_SHADERPROGRAM_H

#include "engine/gfx/GLObject.h"

namespace quenth {

class Shader;
struct vec2;
struct vec3;
struct vec4;
struct mat2;
struct mat4;

// A linked GLSL program. It does not own its Shader objects: it detaches the
// ones attached through attach() when destroyed. A missing vertex or fragment
// stage is filled at link time by the shared fallback pair, compiled once on
// the first construction and kept for the rest of the run (made again when
// the first program of a new context is made). In a new context the program
// is linked again from the same stages.
class ShaderProgram : public GLObject {
public:
    unsigned id;      // OpenGL program object
    Shader* vertex;   // attached vertex stage, or null (the fallback is not recorded)
    Shader* fragment; // attached fragment stage, or null
    Shader* geometry; // attached geometry stage, or null

    // Fallback stages: fixed-function transform, texture set 0 and vertex
    // colour passed through; the fragment writes the vertex colour.
    static Shader* default_vs;
    static Shader* default_fs;

    ShaderProgram();
    ~ShaderProgram() override;

    // Records s in the slot of its stage and attaches it; null is ignored.
    void attach(Shader* s);
    // Supplies the fallbacks for missing vertex or fragment stages and links.
    void link();
    void bind() const;
    void unbind() const;

    // -1 when the program has no such name.
    int getUniformLocation(char const* name) const;
    int getAttributeLocation(char const* name) const;

    // Each looks the location up by name and sets it on the current program,
    // so the program must be bound. Matrices are uploaded as stored
    // (column-major, no transpose); a mat2 is three columns of two rows.
    void setUniform(char const* name, int v) const;
    void setUniform(char const* name, float v) const;
    void setUniform(char const* name, vec2 const& v) const;
    void setUniform(char const* name, vec3 const& v) const;
    void setUniform(char const* name, vec4 const& v) const;
    void setUniform(char const* name, int const* v, int count) const;
    void setUniform(char const* name, float const* v, int count) const;
    void setUniform(char const* name, vec2 const* v, int count) const;
    void setUniform(char const* name, vec3 const* v, int count) const;
    void setUniform(char const* name, vec4 const* v, int count) const;
    void setUniform(char const* name, mat2 const& m) const;
    void setUniform(char const* name, mat2 const* m, int count) const;
    void setUniform(char const* name, mat4 const& m) const;
    void setUniform(char const* name, mat4 const* m, int count) const;

    // A new program object with the recorded stages, linked.
    void restore() override;
};

} // namespace quenth

#endif
