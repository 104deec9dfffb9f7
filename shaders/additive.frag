#version 120
// A textured glow added "gain" times in one pass, for the blend function
// (ONE, ONE). Drawn n times with (SRC_ALPHA, ONE), a destination d becomes
//     d + n * rgb * a        (colour)
//     d + n * a * a          (alpha)
// with a the texel alpha times the vertex alpha; the sums saturate at 1
// either way, so one pass with the sums gives the same pixel.
uniform sampler2D texture;
uniform float gain; // how many additive passes this one stands for

void main() {
    vec4 t = texture2D(texture, gl_TexCoord[0].st) * gl_Color;
    gl_FragColor = vec4(t.rgb * t.a, t.a * t.a) * gain;
}
