#include "game/hud/HUD_Bar.h"

#include <GL/gl.h>

#include "engine/gfx/ShaderProgram.h"
#include "engine/math/Math.h"
#include "scene/SceneState.h"
#include "scene/Shaders.h"

HUD_Bar::HUD_Bar(float w, float h, unsigned char r, unsigned char g, unsigned char b, unsigned char a)
    : fill(1) {
    setSize(w, h);
    setHotSpot(TOP_LEFT);
    blendColor.r = r;
    blendColor.g = g;
    blendColor.b = b;
    blendColor.a = a;
}

void HUD_Bar::setFill(float value, float max) {
    fill = max > 0 ? quenth::Math::clampf(value / max, 0, 1) : 0;
}

void HUD_Bar::draw(SceneState& state) {
    if (fill <= 0) return;
    float x0 = hotSpot.x - size.x * 0.5f, y0 = hotSpot.y - size.y * 0.5f;
    float x1 = x0 + size.x * fill, y1 = y0 + size.y;
    float corners[8] = {x0, y0, x1, y0, x1, y1, x0, y1};
    unsigned char colors[16];
    for (int i = 0; i < 4; ++i) {
        colors[i * 4 + 0] = state.color.r;
        colors[i * 4 + 1] = state.color.g;
        colors[i * 4 + 2] = state.color.b;
        colors[i * 4 + 3] = state.color.a;
    }
    Shaders::color_shader_fixed->bind();
    glVertexPointer(2, GL_FLOAT, 0, corners);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, colors);
    glDrawArrays(GL_QUADS, 0, 4);
}
