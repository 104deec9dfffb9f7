#ifndef SCENE_SHADERS_H
#define SCENE_SHADERS_H

namespace quenth {
class ShaderProgram;
}

// The program-wide GLSL programs, loaded from shaders/ of the data directory
// by the first scene constructor. All drawing goes through color_shader_fixed and
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
    // A glow added several times over in one pass (drawAdditive); null when
    // it did not link, and the passes are then drawn one by one.
    static quenth::ShaderProgram* additive_shader;

    // Loads the programs. Later calls do nothing while the programs belong
    // to the current GL context; after a new context whose objects were not
    // restored (GLObject::restoreAll) they load them again.
    static void init();
    // Draws the bound client arrays (count vertices as mode) with the texture
    // on unit 0 as if drawn passes times with the blend function
    // (SRC_ALPHA, ONE) and texture_shader_fixed, in one pass where the GL
    // allows. Leaves texture_shader_fixed bound and that blend function set.
    static void drawAdditive(unsigned mode, int count, unsigned passes);
};

#endif
