#version 120
varying vec4 v_color;

void main() {
    gl_FragColor = v_color;
}
