#version 120
// The world image laid over the window without blending. Its pixels carry
// the alpha the world's blending left in them; the window shows each colour
// scaled by that alpha, as it would blended over black.
uniform sampler2D texture;

void main() {
    vec4 t = texture2D(texture, gl_TexCoord[0].st);
    gl_FragColor = vec4(t.rgb * t.a, 1.0);
}
