#include "game/actors/TextIndicator.h"

#include <cmath>

#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/math/vec3.h"
#include "game/base/Arena.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "scene/DirectScene2D.h"
#include "scene/Text.h"

float TextIndicator::speed = 35.0f;
uint32_t TextIndicator::lifeTime = 2750;

TextIndicator::TextIndicator() : stacked(false) {
    text = new Text(Resources::font_medium, nullptr);
    text->color.r = 1;
    text->color.g = 1;
    text->color.b = 1;
    text->color.a = 1;
    text->textScale = 16;
    text->setHotSpot(CENTER);
    drawable = text;
    birthTime = quenth::GameClock::currentTime;
}

TextIndicator::~TextIndicator() {
    delete text;
}

void TextIndicator::update() {
    uint32_t now = quenth::GameClock::currentTime;
    position.y -= speed * quenth::GameClock::sync;
    text->color.a = 1.0f - (float)(now - birthTime) / (float)lifeTime;
    wrapAndSync();
    if (birthTime + lifeTime < now) delete this;
}

float TextIndicator::halfHeight() const {
    return text->textScale * scale * 0.5f;
}

float TextIndicator::freeCentreY(float h) {
    float y = (float)quenth::Quenth::getScreenHeight() * 0.4f;
    // Each pass moves the candidate below one message it overlaps; after as
    // many passes as there are messages, none is left in the way.
    for (unsigned pass = 0; pass <= g_arena->actors.count; ++pass) {
        bool moved = false;
        for (unsigned i = 0; i < g_arena->actors.count; ++i) {
            TextIndicator* m = dynamic_cast<TextIndicator*>(g_arena->actors.data[i]);
            if (!m || !m->stacked) continue;
            float need = h + m->halfHeight() + stackGap;
            if (fabsf(y - m->position.y) < need) {
                y = m->position.y + need;
                moved = true;
            }
        }
        if (!moved) break;
    }
    return y;
}

TextIndicator* TextIndicator::announce(char const* message, float scale) {
    TextIndicator* ti = new TextIndicator();
    ti->text->setText(message);
    ti->text->outline = Text::RGBAf{0.0f, 0.0f, 0.05f, 0.9f};
    ti->scale = scale;
    ti->position =
        quenth::vec2((float)quenth::Quenth::getScreenWidth() * 0.5f, freeCentreY(ti->halfHeight()));
    ti->text->position = quenth::vec3(ti->position.x, ti->position.y, 0);
    ti->stacked = true;
    g_hud->add(ti->text);
    g_arena->actors.push(ti);
    return ti;
}
