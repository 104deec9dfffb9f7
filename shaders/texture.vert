#version 120
// Textured pass on generic attributes: 2D positions, texture coordinates and
// colours, transformed by explicit model-view and projection uniforms.
uniform mat4 projection;
uniform mat4 modelview;

attribute vec2 vertex;
attribute vec2 texcoord;
attribute vec4 color;

varying vec2 v_texcoord;
varying vec4 v_color;

void main() {
    v_texcoord = texcoord;
    v_color = color;
    gl_Position = projection * modelview * vec4(vertex, 0.0, 1.0);
}
