#include "game/base/Controls.h"

#include "engine/core/Quenth.h"
#include "engine/math/Math.h"
#include "game/base/Globals.h"
#include "game/base/WrappedOffset.h"
#include "scene/Scene2D.h"

#include <SDL/SDL_joystick.h>
#include <SDL/SDL_mouse.h>

#include <cmath>

using quenth::Quenth;
using quenth::vec2;

Controls g_controls;

namespace {

// Pads with this many buttons or more have digital triggers after the
// shoulders (6 and 7), then Back and Start.
int const TRIGGER_BUTTON_PADS = 13;

float keyAxis(bool minus, bool plus) {
    return (plus ? 1.0f : 0.0f) - (minus ? 1.0f : 0.0f);
}

} // namespace

Controls::Controls()
    : keyUp(SDLK_w), keyDown(SDLK_s), keyLeft(SDLK_a), keyRight(SDLK_d), deadZone(8000), pushThreshold(16000),
      aimRadius(200), padAiming(false), padAim(1, 0) {}

void Controls::bindThrustKeys(SDLKey up, SDLKey down, SDLKey left, SDLKey right) {
    keyUp = up;
    keyDown = down;
    keyLeft = left;
    keyRight = right;
}

int Controls::startButton() {
    return Quenth::pad && SDL_JoystickNumButtons(Quenth::pad) >= TRIGGER_BUTTON_PADS ? 9 : 7;
}

int Controls::backButton() {
    return startButton() - 1;
}

float Controls::stick(int axis) const {
    int v = Quenth::padAxis(axis);
    int a = v < 0 ? -v : v;
    if (a <= deadZone) return 0;
    float f = (float)(a - deadZone) / (float)(32767 - deadZone);
    if (f > 1) f = 1;
    return v < 0 ? -f : f;
}

vec2 Controls::thrust() const {
    unsigned hat = Quenth::padHat();
    float x = keyAxis(Quenth::keyDown(keyLeft) || Quenth::keyDown(SDLK_LEFT) || (hat & SDL_HAT_LEFT),
                      Quenth::keyDown(keyRight) || Quenth::keyDown(SDLK_RIGHT) || (hat & SDL_HAT_RIGHT));
    float y = keyAxis(Quenth::keyDown(keyUp) || Quenth::keyDown(SDLK_UP) || (hat & SDL_HAT_UP),
                      Quenth::keyDown(keyDown) || Quenth::keyDown(SDLK_DOWN) || (hat & SDL_HAT_DOWN));
    x = quenth::Math::clampf(x + stick(AXIS_LEFT_X), -1, 1);
    y = quenth::Math::clampf(y + stick(AXIS_LEFT_Y), -1, 1);
    return vec2(x, y);
}

bool Controls::trigger(int axis, int button) const {
    // A trigger axis rests at its low end (or at 0 before it is first moved).
    if (Quenth::padAxis(axis) > pushThreshold) return true;
    if (Quenth::padButtonDown(button)) return true;
    return startButton() == 9 && Quenth::padButtonDown(button + 2);
}

bool Controls::firePlasma() const {
    return Quenth::mouseDown(SDL_BUTTON_LEFT) || trigger(AXIS_RIGHT_TRIGGER, BUTTON_RIGHT_SHOULDER);
}

bool Controls::fireLaser() const {
    return Quenth::mouseDown(SDL_BUTTON_RIGHT) || trigger(AXIS_LEFT_TRIGGER, BUTTON_LEFT_SHOULDER);
}

vec2 Controls::aim(vec2 const& ship) {
    vec2 s(stick(AXIS_RIGHT_X), stick(AXIS_RIGHT_Y));
    float l = s.length();
    if (l > 0) {
        padAiming = true;
        padAim = s * (1.0f / l);
    } else {
        quenth::Quenth::GEvent const* e = Quenth::events;
        if (e && (e->mouseNowX != e->mousePrevX || e->mouseNowY != e->mousePrevY)) padAiming = false;
    }
    if (padAiming) return ship + padAim * aimRadius;
    return vec2((float)Quenth::mouseX(), (float)Quenth::mouseY());
}

vec2 Controls::aimFrom(vec2 const& shipInWorld) {
    if (!g_world) return aim(vec2(Quenth::getScreenWidth() * 0.5f, Quenth::getScreenHeight() * 0.5f));
    Camera2D const* cam = g_world->getCamera();
    vec2 world = g_world->worldSize;
    vec2 c(quenth::Math::wrapf(cam->x, 0, world.x), quenth::Math::wrapf(cam->y, 0, world.y));
    return aim(g_world->worldToScreen(c + wrappedOffset(c, shipInWorld, world)));
}

bool Controls::pausePressed() const {
    return Quenth::keyPressed(SDLK_p) || Quenth::keyPressed(SDLK_PAUSE) || Quenth::keyPressed(SDLK_ESCAPE) ||
           Quenth::padButtonPressed(startButton());
}

bool Controls::pushed(int axis, int sign) const {
    int now = Quenth::padAxis(axis) * sign, before = Quenth::padAxisPrev(axis) * sign;
    return now > pushThreshold && before <= pushThreshold;
}

bool Controls::hatPressed(unsigned bit) {
    return (Quenth::padHat() & bit) && !(Quenth::padHatPrev() & bit);
}

bool Controls::menuUp() const {
    return Quenth::keyPressed(SDLK_UP) || Quenth::keyPressed(keyUp) || hatPressed(SDL_HAT_UP) ||
           pushed(AXIS_LEFT_Y, -1);
}

bool Controls::menuDown() const {
    return Quenth::keyPressed(SDLK_DOWN) || Quenth::keyPressed(keyDown) || hatPressed(SDL_HAT_DOWN) ||
           pushed(AXIS_LEFT_Y, 1);
}

bool Controls::menuLeft() const {
    return Quenth::keyPressed(SDLK_LEFT) || Quenth::keyPressed(keyLeft) || hatPressed(SDL_HAT_LEFT) ||
           pushed(AXIS_LEFT_X, -1);
}

bool Controls::menuRight() const {
    return Quenth::keyPressed(SDLK_RIGHT) || Quenth::keyPressed(keyRight) || hatPressed(SDL_HAT_RIGHT) ||
           pushed(AXIS_LEFT_X, 1);
}

bool Controls::menuChoose() const {
    return Quenth::keyPressed(SDLK_RETURN) || Quenth::keyPressed(SDLK_KP_ENTER) ||
           Quenth::keyPressed(SDLK_SPACE) || Quenth::padButtonPressed(BUTTON_A);
}

bool Controls::menuBack() const {
    return Quenth::keyPressed(SDLK_ESCAPE) || Quenth::padButtonPressed(BUTTON_B) ||
           Quenth::padButtonPressed(backButton());
}
