#include "game/base/Fader.h"

#include "engine/core/Quenth.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/math/Math.h"
#include "scene/Shaders.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

using quenth::Quenth;

Fader::Fader() : startTime(0), endTime(0), from(1.0f), to(0.0f), alpha(0.0f), r(0), g(0), b(0), a(0) {}

bool Fader::done() const {
    return endTime < Quenth::currentTime;
}

void Fader::fadeOut(unsigned int ms) {
    if (ms == 0) ms = 1000;
    from = 0.0f;
    to = 1.0f;
    startTime = Quenth::currentTime;
    endTime = Quenth::currentTime + ms;
}

void Fader::fadeIn(unsigned int ms) {
    if (ms == 0) ms = 1000;
    from = 1.0f;
    to = 0.0f;
    startTime = Quenth::currentTime;
    endTime = Quenth::currentTime + ms;
}

void Fader::draw() {
    uint32_t now = Quenth::currentTime;
    // Once the fade is over and alpha has landed on its end value, there is
    // nothing left to compute.
    if (!(endTime < now && alpha == to)) {
        float t = (float)(now - startTime) / (float)(endTime - startTime);
        alpha = quenth::Math::clampf(quenth::Math::sin_lerp(t, from, to), 0.0f, 1.0f);
    }
    if (alpha <= 0.0f) return;

    if (Shaders::color_shader_fixed)
        Shaders::color_shader_fixed->bind();
    else
        glUseProgram(0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor4f(r, g, b, alpha);
    glBegin(GL_QUADS);
    glVertex2f(-1, -1);
    glVertex2f(1, -1);
    glVertex2f(1, 1);
    glVertex2f(-1, 1);
    glEnd();
}
