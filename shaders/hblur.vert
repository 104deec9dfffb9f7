#version 120
// Full-screen pass: the quad comes through the fixed-function arrays.
void main() {
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
    gl_Position = ftransform();
}
