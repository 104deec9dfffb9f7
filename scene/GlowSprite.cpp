#define GL_GLEXT_PROTOTYPES
#include "scene/GlowSprite.h"

#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Silhouette.h"
#include "engine/gfx/Texture.h"
#include "engine/math/vec2.h"
#include "scene/SceneState.h"
#include "scene/Shaders.h"

#include <GL/gl.h>
#include <GL/glext.h>

GlowSprite::GlowSprite(quenth::Texture* tex, quenth::Texture* glow, float w, float h)
    : Sprite(tex, w, h), glowTexture(glow), outline(nullptr) {}

GlowSprite::~GlowSprite() {}

namespace {

// One corner of the outline as the card reads it, 20 bytes.
struct Vertex {
    float x, y;
    float u, v;
    unsigned char r, g, b, a;
};

} // namespace

void GlowSprite::draw(SceneState& s) {
    if (!texture) return;
    if (outline && outline->empty) return;

    // The outline's corners, or the square's, in the sprite's own frame.
    float uv[2 * quenth::Silhouette::SIDES];
    int n = quenth::Silhouette::cornersOf(outline, uv);
    float cell[8];
    texCoords(cell); // s0, t0 at [0], [1]; s1, t1 at [4], [5]
    float x0 = hotSpot.x - size.x * 0.5f, y0 = hotSpot.y - size.y * 0.5f;
    Vertex vertices[quenth::Silhouette::SIDES];
    for (int i = 0; i < n; i++) {
        float u = uv[2 * i], v = uv[2 * i + 1];
        vertices[i] = Vertex{x0 + u * size.x,
                             y0 + v * size.y,
                             cell[0] + u * (cell[4] - cell[0]),
                             cell[1] + v * (cell[5] - cell[1]),
                             s.color.r,
                             s.color.g,
                             s.color.b,
                             s.color.a};
    }

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    char const* base = (char const*)vertices;
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), base);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), base + 8);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), base + 16);
    texture->bind(GL_TEXTURE0);

    // The glow's texture coordinates are the sprite's scaled to its extents.
    float su = 1, sv = 1;
    if (glowTexture && texture->uExtent > 0 && texture->vExtent > 0) {
        su = glowTexture->uExtent / texture->uExtent;
        sv = glowTexture->vExtent / texture->vExtent;
    }

    quenth::ShaderProgram* glowProgram = Shaders::sprite_glow_shader;
    if (glowTexture && glowProgram && Shaders::dualSourceBlending) {
        glowTexture->bind(GL_TEXTURE1);
        glActiveTexture(GL_TEXTURE0);
        glowProgram->bind();
        glowProgram->setUniform("image", 0);
        glowProgram->setUniform("glow", 1);
        glowProgram->setUniform("glowScale", quenth::vec2(su, sv));
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC1_ALPHA);
        glDrawArrays(GL_TRIANGLE_FAN, 0, n);
        return;
    }

    // Two passes: the sprite in the blend the renderer set for this node,
    // then the glow added.
    Shaders::texture_shader_fixed->bind();
    Shaders::texture_shader_fixed->setUniform("texture", 0);
    glDrawArrays(GL_TRIANGLE_FAN, 0, n);
    if (!glowTexture) return;
    for (int i = 0; i < n; i++) {
        vertices[i].u *= su;
        vertices[i].v *= sv;
    }
    glowTexture->bind(GL_TEXTURE0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDrawArrays(GL_TRIANGLE_FAN, 0, n);
}
