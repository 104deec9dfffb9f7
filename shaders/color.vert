#version 120
// Colour pass on generic attributes: 2D positions transformed by explicit
// model-view and projection uniforms (column-major, as quenth::mat4 stores them).
uniform mat4 projection;
uniform mat4 modelview;

attribute vec2 vertex;
attribute vec4 color;

varying vec4 v_color;

void main() {
    v_color = color;
    gl_Position = projection * modelview * vec4(vertex, 0.0, 1.0);
}
