#include "particles/ParticleLayer.h"

#include "engine/gfx/Framebuffer.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Texture.h"
#include "scene/Shaders.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstring>

using quenth::Framebuffer;
using quenth::mat4;

ParticleLayer::ParticleLayer(unsigned divisor)
    : divisor(divisor < 1 ? 1 : divisor), framebuffer(nullptr), target(0), viewport{0, 0, 0, 0},
      tile(std::max(TILE_TARGET / this->divisor, 1u)), columns(0), rows(0), covered(0, false),
      spans(0, false) {}

ParticleLayer::~ParticleLayer() {
    delete framebuffer;
}

void ParticleLayer::prepare(int width, int height) {
    unsigned w = ((unsigned)std::max(width, 1) + divisor - 1) / divisor;
    unsigned h = ((unsigned)std::max(height, 1) + divisor - 1) / divisor;
    if (framebuffer && framebuffer->width == w && framebuffer->height == h) return;
    delete framebuffer;
    framebuffer = new Framebuffer(w, h, Framebuffer::COLOR0);
    columns = (w + tile - 1) / tile;
    rows = (h + tile - 1) / tile;
    covered.resize(columns * rows);
    covered.count = columns * rows;
    // At worst every other tile of a row is a run of its own.
    spans.resize(rows * (columns / 2 + 1) * 16);
}

void ParticleLayer::begin() {
    GLint bound = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    target = (unsigned)bound;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetFloatv(GL_PROJECTION_MATRIX, projection.m);
    prepare(viewport[2], viewport[3]);
    // A fresh Framebuffer leaves the window's bound: bind() comes after.
    framebuffer->bind();
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    std::memset(covered.data, 0, covered.count);
}

void ParticleLayer::cover(mat4 const& view, const void* xy, unsigned count, unsigned stride, unsigned group) {
    if (group == 0) return;
    // The scenes' projections are orthographic (w stays 1), so a particle's
    // bounding box lands on a parallelogram bounded by its corners' images.
    // Straight into tile units: -1..1 of the viewport is 0..width of the layer.
    mat4 m = projection * view;
    float sx = 0.5f * (float)framebuffer->width / (float)tile,
          sy = 0.5f * (float)framebuffer->height / (float)tile;
    const char* p = static_cast<const char*>(xy);
    for (unsigned first = 0; first + group <= count; first += group) {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        for (unsigned i = 0; i < group; i++, p += stride) {
            const float* v = reinterpret_cast<const float*>(p);
            if (i == 0 || v[0] < x0) x0 = v[0];
            if (i == 0 || v[0] > x1) x1 = v[0];
            if (i == 0 || v[1] < y0) y0 = v[1];
            if (i == 0 || v[1] > y1) y1 = v[1];
        }
        const float corners[4][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
        float tx0 = 0, ty0 = 0, tx1 = 0, ty1 = 0;
        for (int k = 0; k < 4; k++) {
            float x = (m.m[0] * corners[k][0] + m.m[4] * corners[k][1] + m.m[12] + 1) * sx;
            float y = (m.m[1] * corners[k][0] + m.m[5] * corners[k][1] + m.m[13] + 1) * sy;
            if (k == 0 || x < tx0) tx0 = x;
            if (k == 0 || x > tx1) tx1 = x;
            if (k == 0 || y < ty0) ty0 = y;
            if (k == 0 || y > ty1) ty1 = y;
        }
        // The filter reads one layer pixel round what was drawn.
        const float reach = 1.0f / (float)tile;
        int c0 = std::max((int)std::floor(tx0 - reach), 0),
            c1 = std::min((int)std::floor(tx1 + reach), (int)columns - 1);
        int r0 = std::max((int)std::floor(ty0 - reach), 0),
            r1 = std::min((int)std::floor(ty1 + reach), (int)rows - 1);
        for (int r = r0; r <= r1; r++)
            for (int c = c0; c <= c1; c++) covered.data[r * columns + c] = 1;
    }
}

void ParticleLayer::end() {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    // Each row's runs of covered tiles as quads, in -1..1 of the viewport
    // and the layer's texture coordinates (the image fills its texture).
    spans.clear();
    float tw = (float)tile / (float)framebuffer->width, th = (float)tile / (float)framebuffer->height;
    for (unsigned r = 0; r < rows; r++) {
        unsigned char const* row = covered.data + r * columns;
        for (unsigned c = 0; c < columns;) {
            if (!row[c]) {
                c++;
                continue;
            }
            unsigned run = c;
            while (run < columns && row[run]) run++;
            float u0 = c * tw, u1 = std::min(run * tw, 1.0f), v0 = r * th, v1 = std::min((r + 1) * th, 1.0f);
            const float quad[16] = {u0 * 2 - 1, v0 * 2 - 1, u0, v0, u1 * 2 - 1, v0 * 2 - 1, u1, v0,
                                    u1 * 2 - 1, v1 * 2 - 1, u1, v1, u0 * 2 - 1, v1 * 2 - 1, u0, v1};
            for (float f : quad) spans.push(f);
            c = run;
        }
    }
    if (spans.count == 0) return;
    static const unsigned char white[4] = {255, 255, 255, 255};
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    framebuffer->color[0]->bind(GL_TEXTURE0);
    if (Shaders::texture_shader_fixed) {
        Shaders::texture_shader_fixed->bind();
        Shaders::texture_shader_fixed->setUniform("texture", 0);
    }
    // The layer holds sums already weighted by their alpha: added as they are.
    glBlendFunc(GL_ONE, GL_ONE);
    glVertexPointer(2, GL_FLOAT, 4 * sizeof(float), spans.data);
    glTexCoordPointer(2, GL_FLOAT, 4 * sizeof(float), spans.data + 2);
    glDisableClientState(GL_COLOR_ARRAY);
    glColor4ubv(white);
    glDrawArrays(GL_QUADS, 0, (GLsizei)(spans.count / 4));
    glEnableClientState(GL_COLOR_ARRAY);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
