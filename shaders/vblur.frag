#version 120
// Vertical Gaussian blur, 9 taps (sigma about 2 texels); texel is the
// height of one texel in texture coordinates.
uniform sampler2D texture;
uniform float texel = 1.0 / 720.0;

void main() {
    vec2 st = gl_TexCoord[0].st;
    vec2 dir = vec2(0.0, texel);
    vec4 sum = texture2D(texture, st) * 0.2270270270;
    sum += texture2D(texture, st + dir * 1.0) * 0.1945945946;
    sum += texture2D(texture, st - dir * 1.0) * 0.1945945946;
    sum += texture2D(texture, st + dir * 2.0) * 0.1216216216;
    sum += texture2D(texture, st - dir * 2.0) * 0.1216216216;
    sum += texture2D(texture, st + dir * 3.0) * 0.0540540541;
    sum += texture2D(texture, st - dir * 3.0) * 0.0540540541;
    sum += texture2D(texture, st + dir * 4.0) * 0.0162162162;
    sum += texture2D(texture, st - dir * 4.0) * 0.0162162162;
    gl_FragColor = sum * gl_Color;
}
