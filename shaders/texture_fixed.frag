#version 120
// The 2D texture on unit 0 modulated by the vertex colour.
uniform sampler2D texture;

void main() {
    gl_FragColor = texture2D(texture, gl_TexCoord[0].st) * gl_Color;
}
