#version 120
// Vertex colour through the fixed-function model-view and projection.
void main() {
    gl_FrontColor = gl_Color;
    gl_BackColor = gl_Color;
    gl_Position = ftransform();
}
