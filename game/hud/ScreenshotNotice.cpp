#include "game/hud/ScreenshotNotice.h"

#include <cstdio>

#include "engine/core/Quenth.h"
#include "engine/math/vec3.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "scene/DirectScene2D.h"

ScreenshotNotice* ScreenshotNotice::instance = nullptr;

ScreenshotNotice::ScreenshotNotice() : Text(Resources::font_medium, nullptr), shownAt(0), shown(false) {
    textScale = 16;
    setHotSpot(CENTER);
}

void ScreenshotNotice::show(char const* name) {
    static char message[512];
    snprintf(message, sizeof message, "Screenshot saved: %s", name);
    setText(message);
    setHotSpot(CENTER);
    // Between the ship's panel and the radar, clear of the title text too.
    position =
        quenth::vec3(0.5f * quenth::Quenth::getScreenWidth(), quenth::Quenth::getScreenHeight() - 40.0f, 0);
    shownAt = quenth::Quenth::currentTime;
    shown = true;
    // Also after a new game cleared the HUD scene; on top of what is there.
    if (g_hud) g_hud->add(this);
}

void ScreenshotNotice::hide() {
    shown = false;
}

float ScreenshotNotice::alphaAt(uint32_t now) const {
    if (!shown || now < shownAt) return 0;
    uint32_t age = now - shownAt;
    if (age >= lifeTime) return 0;
    uint32_t fadeStart = lifeTime - fadeTime;
    if (age <= fadeStart) return 1;
    return 1 - (float)(age - fadeStart) / (float)fadeTime;
}

void ScreenshotNotice::draw(SceneState& state) {
    color.a = alphaAt(quenth::Quenth::currentTime);
    if (color.a > 0) Text::draw(state);
}

void ScreenshotNotice::announce(char const* name) {
    if (!instance) instance = new ScreenshotNotice();
    instance->show(name);
}

void ScreenshotNotice::hideForShot() {
    if (instance) instance->hide();
}
