#include "scene/Sprite.h"

#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Texture.h"
#include "scene/SceneState.h"
#include "scene/Shaders.h"

#include <GL/gl.h>

Sprite::Sprite(quenth::Texture* tex, float w, float h) {
    init(tex, nullptr, w, h);
}

Sprite::Sprite(quenth::Texture* tex, quenth::Texture* second, float w, float h) {
    init(tex, second, w, h);
}

Sprite::~Sprite() {}

void Sprite::init(quenth::Texture* tex, quenth::Texture* second, float w, float h) {
    animated = false;
    columns = rows = 1;
    frame = 0;
    texture = tex;
    secondTexture = second;
    // Without a texture there is no image size to take.
    if (w == -1.0f) w = tex ? tex->width * tex->uExtent : 0.0f;
    if (h == -1.0f) h = tex ? tex->height * tex->vExtent : 0.0f;
    size.x = w;
    size.y = h;
    flags |= DRAWABLE_VISIBLE;
}

void Sprite::texCoords(float out[8]) const {
    float sMax = texture ? texture->uExtent : 1.0f;
    float tMax = texture ? texture->vExtent : 1.0f;
    float s0 = 0, s1 = sMax, t0 = 0, t1 = tMax;
    if (animated) {
        // A sheet of fewer than one cell either way counts as one cell; the
        // frame is otherwise unchecked and may address cells past the sheet.
        int cols = columns < 1 ? 1 : columns;
        int rws = rows < 1 ? 1 : rows;
        float cw = sMax / cols, ch = tMax / rws;
        int column = frame % cols, row = frame / cols;
        s0 = column * cw;
        s1 = (column + 1) * cw;
        t0 = row * ch;
        t1 = (row + 1) * ch;
    }
    out[0] = s0, out[1] = t0;
    out[2] = s1, out[3] = t0;
    out[4] = s1, out[5] = t1;
    out[6] = s0, out[7] = t1;
}

void Sprite::draw(SceneState& s) {
    if (!quenth::Texture::usable(texture)) return;
    float hx = size.x * 0.5f, hy = size.y * 0.5f;
    float corners[8] = {hotSpot.x - hx, hotSpot.y - hy, hotSpot.x + hx, hotSpot.y - hy,
                        hotSpot.x + hx, hotSpot.y + hy, hotSpot.x - hx, hotSpot.y + hy};
    float coords[8];
    texCoords(coords);
    unsigned char colors[16];
    for (int i = 0; i < 4; i++) {
        colors[i * 4 + 0] = s.color.r;
        colors[i * 4 + 1] = s.color.g;
        colors[i * 4 + 2] = s.color.b;
        colors[i * 4 + 3] = s.color.a;
    }
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    Shaders::texture_shader_fixed->bind();
    Shaders::texture_shader_fixed->setUniform("texture", 0);
    texture->bind(GL_TEXTURE0);
    glColor4f(1, 1, 1, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, colors);
    glTexCoordPointer(2, GL_FLOAT, 0, coords);
    glVertexPointer(2, GL_FLOAT, 0, corners);
    glDrawArrays(GL_QUADS, 0, 4);
}
