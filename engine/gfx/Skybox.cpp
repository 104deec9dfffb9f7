#define GL_GLEXT_PROTOTYPES
#include "engine/gfx/Skybox.h"

#include "engine/gfx/Camera.h"
#include "engine/gfx/Texture.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace quenth {

namespace {

const float front_vertices[12] = {1, -1, -1, -1, -1, -1, -1, 1, -1, 1, 1, -1};
const float left_vertices[12] = {1, -1, 1, 1, -1, -1, 1, 1, -1, 1, 1, 1};
const float back_vertices[12] = {-1, -1, 1, 1, -1, 1, 1, 1, 1, -1, 1, 1};
const float right_vertices[12] = {-1, -1, -1, -1, -1, 1, -1, 1, 1, -1, 1, -1};
const float top_vertices[12] = {-1, 1, -1, -1, 1, 1, 1, 1, 1, 1, 1, -1};
const float bottom_vertices[12] = {-1, -1, -1, -1, -1, 1, 1, -1, 1, 1, -1, -1};
const float horiz_texcoords[8] = {0, 1, 1, 1, 1, 0, 0, 0};
const float top_texcoords[8] = {1, 1, 1, 0, 0, 0, 0, 1};
const float bottom_texcoords[8] = {1, 0, 1, 1, 0, 1, 0, 0};

void drawFace(Texture* t, float const* vertices) {
    if (!Texture::usable(t)) return;
    t->bind(GL_TEXTURE0);
    // Image textures repeat, so linear filtering at a face's border would blend
    // in the opposite border and draw a thin line along every cube edge. The
    // faces meet edge to edge, so they sample clamped.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glVertexPointer(3, GL_FLOAT, 0, vertices);
    glDrawArrays(GL_QUADS, 0, 4);
}

} // namespace

Skybox::Skybox()
    : left(nullptr), right(nullptr), front(nullptr), back(nullptr), top(nullptr), bottom(nullptr),
      brightness(1.0f), rotation(0, 0, 0) {}

void Skybox::draw(Camera* camera) {
    if (!camera) return;
    glPushMatrix();
    camera->bind(Camera::PROJECTION | Camera::ROTATION);

    // Same as clamping the truncated 255 * brightness to [0, 255], but also
    // safe for values whose product would not fit an int (or NaN).
    float b = brightness > 0.0f ? brightness : 0.0f;
    if (b > 1.0f) b = 1.0f;
    unsigned char c = (unsigned char)(int)(255.0f * b);
    // Read by GL during the draws below; rewritten on every call.
    static unsigned char colours[16];
    for (int i = 0; i < 4; i++) {
        colours[i * 4] = 255;
        colours[i * 4 + 1] = c;
        colours[i * 4 + 2] = c;
        colours[i * 4 + 3] = c;
    }

    glRotatef(rotation.z, 0, 0, 1);
    glRotatef(rotation.y, 0, 1, 0);
    glRotatef(rotation.x, 1, 0, 0);

    glDisableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours);
    glTexCoordPointer(2, GL_FLOAT, 0, horiz_texcoords);
    drawFace(front, front_vertices);
    drawFace(left, left_vertices);
    drawFace(back, back_vertices);
    drawFace(right, right_vertices);
    glTexCoordPointer(2, GL_FLOAT, 0, top_texcoords);
    drawFace(top, top_vertices);
    glTexCoordPointer(2, GL_FLOAT, 0, bottom_texcoords);
    drawFace(bottom, bottom_vertices);

    glPopMatrix();
}

} // namespace quenth
