#include "game/actors/ShieldRing.h"

#include <GL/gl.h>

#include <cmath>

#include "engine/gfx/ShaderProgram.h"
#include "scene/SceneState.h"
#include "scene/Shaders.h"

ShieldRing::ShieldRing(float r, float t, unsigned char red, unsigned char green, unsigned char blue)
    : radius(r), thickness(t), brightness(0), primed(false) {
    setSize(2 * (r + t), 2 * (r + t));
    setDrawMode(DRAW_MODE_ADD);
    blendColor.r = red;
    blendColor.g = green;
    blendColor.b = blue;
    blendColor.a = 255;
}

void ShieldRing::draw(SceneState& state) {
    // The first draw goes ahead while the ring is still dark: the GL driver
    // builds its pipeline for this state on first use, which would otherwise
    // fall on the frame of the first shield pick-up, in the middle of play.
    unsigned char alpha = SceneState::composeChannel(brightness, state.color.a);
    if (alpha == 0 && primed) return;
    primed = true;
    // Two strips: the inner edge up to the middle of the band, and the
    // middle out to the outer edge; the middle is opaque, the edges clear.
    static float corners[2][(segments + 1) * 4];
    static unsigned char colors[2][(segments + 1) * 8];
    float radii[3] = {radius - thickness * 0.5f, radius, radius + thickness * 0.5f};
    for (int s = 0; s < 2; ++s) {
        for (int i = 0; i <= segments; ++i) {
            float a = 6.2831853f * i / segments;
            float c = cosf(a), n = sinf(a);
            for (int k = 0; k < 2; ++k) {
                float r = radii[s + k];
                corners[s][i * 4 + k * 2] = hotSpot.x + c * r;
                corners[s][i * 4 + k * 2 + 1] = hotSpot.y + n * r;
                unsigned char* col = &colors[s][i * 8 + k * 4];
                col[0] = state.color.r;
                col[1] = state.color.g;
                col[2] = state.color.b;
                col[3] = (s + k == 1) ? alpha : 0;
            }
        }
    }
    Shaders::color_shader_fixed->bind();
    for (int s = 0; s < 2; ++s) {
        glVertexPointer(2, GL_FLOAT, 0, corners[s]);
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, colors[s]);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, (segments + 1) * 2);
    }
}
