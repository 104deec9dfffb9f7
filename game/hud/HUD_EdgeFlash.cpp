#include "game/hud/HUD_EdgeFlash.h"

#include <GL/gl.h>

#include "engine/core/Quenth.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/math/Math.h"
#include "scene/SceneState.h"
#include "scene/Shaders.h"

HUD_EdgeFlash::HUD_EdgeFlash() : band(48), glow(0), primed(false) {
    setHotSpot(TOP_LEFT);
    blendColor.r = 255;
    blendColor.g = 30;
    blendColor.b = 20;
    blendColor.a = 255;
}

void HUD_EdgeFlash::show(float hitTime, float hitAmount, float now) {
    float age = now - hitTime;
    if (hitTime <= 0 || age < 0 || age >= flashTime) {
        glow = 0;
        return;
    }
    float strength = quenth::Math::clampf(0.45f + hitAmount * 0.06f, 0, 1);
    glow = (unsigned char)(200 * strength * (1 - age / flashTime));
}

void HUD_EdgeFlash::draw(SceneState& state) {
    // Drawn once while clear so that the GL driver builds its pipeline for
    // this state at start-up rather than on the frame of the first hit.
    unsigned char alpha = SceneState::composeChannel(glow, state.color.a);
    if (alpha == 0 && primed) return;
    primed = true;
    float w = (float)quenth::Quenth::getScreenWidth(), h = (float)quenth::Quenth::getScreenHeight();
    float b = band;
    // Four trapezoids, outer edge first: top, right, bottom, left.
    static float corners[32];
    static unsigned char colors[64];
    float const c[32] = {0, 0, w, 0, w - b, b,     b,     b,     w, 0, w, h, w - b, h - b, w - b, b,
                         w, h, 0, h, b,     h - b, w - b, h - b, 0, h, 0, 0, b,     b,     b,     h - b};
    for (int i = 0; i < 32; ++i) corners[i] = c[i];
    for (int v = 0; v < 16; ++v) {
        colors[v * 4 + 0] = state.color.r;
        colors[v * 4 + 1] = state.color.g;
        colors[v * 4 + 2] = state.color.b;
        colors[v * 4 + 3] = (v % 4 < 2) ? alpha : 0;
    }
    Shaders::color_shader_fixed->bind();
    glVertexPointer(2, GL_FLOAT, 0, corners);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, colors);
    glDrawArrays(GL_QUADS, 0, 16);
}
