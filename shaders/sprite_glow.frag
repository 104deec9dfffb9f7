#version 130
#extension GL_ARB_explicit_attrib_location : require
// A sprite texel and its additive glow in one pass, for the blend function
// (ONE, ONE_MINUS_SRC1_ALPHA). Drawn with alpha blending and then the glow
// added, a destination d becomes
//     d * (1 - sa) + sprite * sa + glow * ga         (colour)
//     d * (1 - sa) + sa * sa + ga * ga               (alpha)
// with sa and ga the two alphas times the vertex alpha: the sum is the
// colour written, sa the coverage that scales what lies below.
uniform sampler2D image;
uniform sampler2D glow;
uniform vec2 glowScale; // glow texture coordinate per sprite texture coordinate

layout(location = 0, index = 0) out vec4 color;
layout(location = 0, index = 1) out vec4 coverage;

void main() {
    vec4 s = texture2D(image, gl_TexCoord[0].st);
    vec4 g = texture2D(glow, gl_TexCoord[0].st * glowScale);
    float sa = s.a * gl_Color.a;
    float ga = g.a * gl_Color.a;
    color = vec4(gl_Color.rgb * (s.rgb * sa + g.rgb * ga), sa * sa + ga * ga);
    coverage = vec4(sa);
}
