#include "game/hud/ScoreCounter.h"

#include <cstdio>

#include "engine/core/GameClock.h"
#include "engine/math/Math.h"
#include "game/base/Resources.h"
#include "scene/Text.h"

ScoreCounter::ScoreCounter() : value(0), startValue(0), startTime(0), endTime(0) {
    text = new Text(Resources::font_big, "0");
    text->textScale = 15;
    // Room for a prefix and any int, so that the text rebuilt every frame
    // never regrows when the number gains a digit.
    text->text.allocate(63);
    drawable = text;
}

ScoreCounter::~ScoreCounter() {
    delete text;
}

void ScoreCounter::addValue(int amount) {
    // Extensions of a running roll-up, ms: 450 - 25 i for i < 18, then 10 and 5.
    static const int tadd[20] = {450, 425, 400, 375, 350, 325, 300, 275, 250, 225,
                                 200, 175, 150, 125, 100, 75,  50,  25,  10,  5};
    static int taddp = 0; // shared by all counters
    uint32_t now = quenth::GameClock::currentTime;
    if (endTime <= now) {
        startTime = now;
        endTime = now + 500;
        startValue = value;
        taddp = 0;
    } else {
        endTime += tadd[taddp];
        taddp = taddp + 1 < 19 ? taddp + 1 : 19;
    }
    value += amount;
}

void ScoreCounter::update() {
    uint32_t now = quenth::GameClock::currentTime;
    wrapAndSync();
    if (endTime < now) {
        startValue = value;
        startTime = endTime = 0;
        show(value);
    } else if (endTime == now) {
        show(value);
    } else {
        float t = (float)(now - startTime) / (float)(endTime - startTime);
        float v = quenth::Math::sinh_lerp(t, (float)startValue, (float)value);
        show((int)v);
    }
}

void ScoreCounter::show(int n) {
    // Formatted into a reused buffer: the text is rebuilt every frame.
    static char buf[256];
    snprintf(buf, sizeof buf, "%s%i", prefix.getCString(), n);
    text->setText(buf);
    text->setHotSpot(TOP_LEFT);
}
