#include "game/hud/Reticle.h"

#include <cmath>

#include "engine/core/Quenth.h"
#include "engine/math/vec2.h"
#include "engine/math/vec3.h"
#include "game/actors/Player.h"
#include "game/base/Arena.h"
#include "game/base/Controls.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "scene/DirectScene2D.h"
#include "scene/Sprite.h"

static Sprite* makeSprite(quenth::Texture* tex, float side) {
    Sprite* s = new Sprite(tex, tex ? -1.0f : side, tex ? -1.0f : side);
    s->setSize(side, side);
    s->size.z = 0;
    return s;
}

Reticle::Reticle() {
    sprite = makeSprite(Resources::reticle_tex, 38);
    glow = makeSprite(Resources::reticle_glow_tex, 40);
    add(sprite);
    add(glow);
    setVisible(true);
}

Reticle::~Reticle() {
    delete sprite;
    delete glow;
}

void Reticle::update() {
    Player* ship = g_arena ? g_arena->player : nullptr;
    quenth::vec2 at = ship ? g_controls.aimFrom(ship->position)
                           : g_controls.aim(quenth::vec2(quenth::Quenth::getScreenWidth() * 0.5f,
                                                         quenth::Quenth::getScreenHeight() * 0.5f));
    quenth::vec2 p = g_hud->screenToWorld(at);
    position = quenth::vec3(p.x, p.y, 0);
    float s = sinf((float)(quenth::Quenth::currentTime * 0.005));
    glow->blendColor.a = (unsigned char)(int)(64 * s + 128);
}
