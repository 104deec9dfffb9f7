#include "app/Display.h"

#include "engine/core/Quenth.h"
#include "engine/gfx/GLObject.h"
#include "game/base/Globals.h"
#include "game/world/Game.h"
#include "scene/DirectScene2D.h"
#include "scene/Scene2D.h"

using quenth::Quenth;

Display::Mode const Display::windowSizes[] = {
    {800, 600, false},  {1024, 768, false},  {1280, 720, false},  {1366, 768, false},
    {1600, 900, false}, {1920, 1080, false}, {2560, 1440, false},
};
int const Display::windowSizeCount = sizeof windowSizes / sizeof windowSizes[0];

Display::Mode Display::modeFor(Settings const& s) {
    if (s.display == DISPLAY_DESKTOP) {
        int w, h;
        if (Quenth::desktopSize(w, h)) return Mode{w, h, true};
        return Mode{1280, 720, true};
    }
    return Mode{s.windowWidth, s.windowHeight, s.display == DISPLAY_FULLSCREEN};
}

void Display::open(Settings const& s, char const* caption) {
    Mode m = modeFor(s);
    Quenth::init(m.width, m.height, caption, m.fullscreen, true);
}

bool Display::apply(Settings const& s) {
    Mode m = modeFor(s);
    if (m.width == Quenth::width && m.height == Quenth::height && m.fullscreen == Quenth::fullscreen)
        return true;
    // The texels are read back while the old context is current: the new
    // mode may come with a new one.
    quenth::GLObject::saveAll();
    bool ok = Quenth::setVideoMode(m.width, m.height, m.fullscreen);
    quenth::GLObject::restoreAll();
    int w = Quenth::getScreenWidth(), h = Quenth::getScreenHeight();
    if (g_world) g_world->resize(w, h);
    if (g_hud) g_hud->resize(w, h);
    if (g_game) g_game->relayout();
    return ok;
}
