#include "game/actors/TextIndicator.h"

#include "engine/core/GameClock.h"
#include "game/base/Arena.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "scene/Text.h"

float TextIndicator::speed = 35.0f;
uint32_t TextIndicator::lifeTime = 2750;

TextIndicator::TextIndicator() {
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
