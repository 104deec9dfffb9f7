#include "app/TitlePage.h"

#include "app/Apology.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Texture.h"
#include "engine/math/vec3.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "scene/DirectScene2D.h"
#include "scene/Sprite.h"
#include "scene/Text.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL/SDL.h>

#include <cmath>

using quenth::Quenth;

namespace {

// The prompt's (and the loading bar's) height on the screen, as a share of it.
const float PROMPT_Y = 0.9f;

} // namespace

TitlePage::TitlePage() : logo(nullptr), page(nullptr), prompt(nullptr), level(-1) {
    float sw = (float)Quenth::getScreenWidth(), sh = (float)Quenth::getScreenHeight();
    quenth::Texture* t = Resources::title_tex;
    float pageTop = 25;
    if (t && t->width > 0 && t->height > 0) {
        float h = sh * 0.16f;
        float w = h * (t->width * t->uExtent) / (t->height * t->vExtent);
        logo = new Sprite(t, w, h);
        logo->position = quenth::vec3(sw * 0.5f, sh * 0.02f + h * 0.5f, 0);
        pageTop = sh * 0.02f + h + 10;
    }
    // The page clears the HUD scene, so it comes first.
    page = new Apology(pageTop);
    if (logo) g_hud->add(logo);
    prompt = new Text(Resources::font_medium, "Press Return to start");
    prompt->position = quenth::vec3(sw * 0.5f, sh * PROMPT_Y, 0);
    prompt->setHotSpot(CENTER);
    g_hud->add(prompt);
}

TitlePage::~TitlePage() {
    delete prompt;
    delete logo;
    delete page;
}

int TitlePage::levelAt(uint32_t now) {
    const double pi = 3.14159265358979;
    double phase = (double)(now % PULSE) / PULSE;
    double bright = 2.0 / 3.0 + cos(2 * pi * phase) / 3.0; // 1 down to 1/3 and back
    return (int)lround(bright * LEVELS);
}

bool TitlePage::update(uint32_t now) {
    int l = levelAt(now);
    if (l == level) return false;
    level = l;
    prompt->color.a = (float)l / LEVELS;
    return true;
}

void TitlePage::drawLoadingBar(int done, int total) {
    static uint32_t began = 0; // ms of the load's first call
    static bool shown = false; // a bar of this load is on screen
    static uint32_t last = 0;  // ms of the last bar drawn
    uint32_t now = SDL_GetTicks();
    if (done <= 1) {
        began = now;
        shown = false;
    }
    if (total <= 0 || now - began < BAR_DELAY) return;
    if (shown && done < total && now - last < 30) return;
    shown = true;
    last = now;

    int w = Quenth::getScreenWidth(), h = Quenth::getScreenHeight();
    float x0 = w * 0.35f, x1 = w * 0.65f, y0 = h * PROMPT_Y - 3, y1 = h * PROMPT_Y + 3;
    float fill = x0 + (x1 - x0) * (done > total ? 1.0f : (float)done / total);
    glViewport(0, 0, w, h);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // Rectangles by scissored clears, which need no state of ours and cost a
    // software GL less to set up than drawn quads (the first bar 18 ms
    // against 28 here). A pixel is filled when its centre lies inside
    // (a, b) - (c, d), as a quad fills it; y runs down the screen, the
    // scissor's up.
    glEnable(GL_SCISSOR_TEST);
    auto rect = [h](float a, float b, float c, float d, float red, float green, float blue) {
        int left = (int)ceilf(a - 0.5f), right = (int)ceilf(c - 0.5f);
        int top = (int)ceilf(b - 0.5f), bottom = (int)ceilf(d - 0.5f);
        if (right <= left || bottom <= top) return;
        glScissor(left, h - bottom, right - left, bottom - top);
        glClearColor(red, green, blue, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    };
    rect(x0 - 2, y0 - 2, x1 + 2, y1 + 2, 0.2f, 0.32f, 0.4f);
    rect(x0, y0, x1, y1, 0, 0, 0);
    rect(x0, y0, fill, y1, 0.55f, 0.9f, 1.0f);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    SDL_GL_SwapBuffers();
}
