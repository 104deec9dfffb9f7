#version 120
// Bright pass: keeps the part of each texel whose luminance lies above
// threshold, rescaled so that full white stays full white.
uniform sampler2D texture;
uniform float threshold = 0.7;

void main() {
    vec4 c = texture2D(texture, gl_TexCoord[0].st);
    float lum = dot(c.rgb, vec3(0.299, 0.587, 0.114));
    float keep = max(lum - threshold, 0.0) / max(1.0 - threshold, 0.0001);
    gl_FragColor = vec4(c.rgb * keep, c.a) * gl_Color;
}
