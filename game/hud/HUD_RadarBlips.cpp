#include "game/hud/HUD_RadarBlips.h"

#include <GL/gl.h>

#include "engine/gfx/ShaderProgram.h"
#include "engine/math/Math.h"
#include "game/actors/Enemy.h"
#include "game/actors/Player.h"
#include "game/actors/Powerup.h"
#include "game/base/Arena.h"
#include "game/base/Globals.h"
#include "game/base/WrappedOffset.h"
#include "scene/Scene2D.h"
#include "scene/SceneState.h"
#include "scene/Shaders.h"

using quenth::vec2;

HUD_RadarBlips::HUD_RadarBlips() : screenRadius(96), range(2048), blips(256) {
    setSize(2 * screenRadius, 2 * screenRadius);
}

vec2 HUD_RadarBlips::toRadar(vec2 const& worldOffset) const {
    vec2 p = worldOffset * (screenRadius / range);
    float len = p.length();
    if (len > screenRadius) p *= screenRadius / len;
    return p;
}

void HUD_RadarBlips::collect() {
    blips.clear();
    if (!g_arena || !g_arena->player || !g_world) return;
    vec2 centre = g_arena->player->position;
    vec2 world = g_world->worldSize;
    for (unsigned i = 0; i < g_arena->powerups.count; ++i) {
        Blip b = {toRadar(wrappedOffset(centre, g_arena->powerups[i]->position, world)), 255, 200, 60, 255};
        blips.push(b);
    }
    for (unsigned i = 0; i < g_arena->enemies.count; ++i) {
        Blip b = {toRadar(wrappedOffset(centre, g_arena->enemies[i]->position, world)), 255, 60, 40, 255};
        blips.push(b);
    }
}

void HUD_RadarBlips::draw(SceneState& state) {
    // Corner positions and colours of every dot, reused every frame.
    static quenth::Stack<float> corners(2048, false);
    static quenth::Stack<unsigned char> colors(4096, false);
    collect();
    if (blips.count == 0) return;
    corners.clear();
    colors.clear();
    const float h = 2; // half the side of a dot, pixels
    for (unsigned i = 0; i < blips.count; ++i) {
        Blip const& b = blips[i];
        float x = hotSpot.x + b.offset.x, y = hotSpot.y + b.offset.y;
        float quad[8] = {x - h, y - h, x + h, y - h, x + h, y + h, x - h, y + h};
        for (int k = 0; k < 8; ++k) corners.push(quad[k]);
        for (int k = 0; k < 4; ++k) {
            colors.push(b.r);
            colors.push(b.g);
            colors.push(b.b);
            colors.push((unsigned char)((b.a * (state.color.a + 1)) >> 8));
        }
    }
    Shaders::color_shader_fixed->bind();
    glVertexPointer(2, GL_FLOAT, 0, corners.data);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, colors.data);
    glDrawArrays(GL_QUADS, 0, blips.count * 4);
}
