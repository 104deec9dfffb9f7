#ifndef SCENE_SHADERS_H
#define SCENE_SHADERS_H

namespace quenth {
class ShaderProgram;
}

// The program-wide GLSL programs, loaded from shaders/ of the data directory
// by the first scene constructor. All drawing goes through color_shader_fixed and
// texture_shader_fixed (fixed-function matrices and client arrays, sampler
// "texture" on unit 0); the others are loaded for post-processing.
class Shaders {
public:
    static quenth::ShaderProgram* color_shader_fixed;   // vertex colour
    static quenth::ShaderProgram* texture_shader_fixed; // texel of "texture" times vertex colour
    static quenth::ShaderProgram* color_shader;         // vertex colour, generic attributes
    static quenth::ShaderProgram* texture_shader;       // textured, generic attributes
    static quenth::ShaderProgram* color_extract_shader; // bright-pass extract
    static quenth::ShaderProgram* hblur_shader;         // horizontal Gaussian blur
    static quenth::ShaderProgram* vblur_shader;         // vertical Gaussian blur

    // Loads the seven programs. Later calls do nothing while the programs
    // belong to the current GL context; after a new context whose objects
    // were not restored (GLObject::restoreAll) they load them again.
    static void init();
};

#endif
