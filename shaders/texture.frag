#version 120
uniform sampler2D texture;

varying vec2 v_texcoord;
varying vec4 v_color;

void main() {
    gl_FragColor = texture2D(texture, v_texcoord) * v_color;
}
