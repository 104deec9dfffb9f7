#ifndef SCENE_SHADERS_H
#define SCENE_SHADERS_H

namespace quenth {
class ShaderProgram;
}

// The program-wide GLSL programs, loaded once from "shaders" by the first
// scene constructor. All drawing goes through color_shader_fixed and
// texture_shader_fixed (fixed-function matrices and client arrays, sampler
// "texture" on unit 0), glowing sprites through sprite_glow_shader where the
// GL allows; the others are loaded for post-processing.
class Shaders {
public:
    static quenth::ShaderProgram* color_shader_fixed;   // vertex colour
    static quenth::ShaderProgram* texture_shader_fixed; // texel of "texture" times vertex colour
    static quenth::ShaderProgram* color_shader;         // vertex colour, generic attributes
    static quenth::ShaderProgram* texture_shader;       // textured, generic attributes
    static quenth::ShaderProgram* color_extract_shader; // bright-pass extract
    static quenth::ShaderProgram* hblur_shader;         // horizontal Gaussian blur
    static quenth::ShaderProgram* vblur_shader;         // vertical Gaussian blur
    // A sprite and its additive glow in one pass (GlowSprite); needs
    // dual-source blending.
    static quenth::ShaderProgram* sprite_glow_shader;
    // The GL blends with a second fragment output and sprite_glow_shader
    // linked: GlowSprite draws in one pass.
    static bool dualSourceBlending;

    // Loads the programs; only the first call does anything.
    static void init();
};

#endif
