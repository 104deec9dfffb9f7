#include "app/Apology.h"

#include "engine/core/Quenth.h"
#include "engine/math/vec3.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "scene/DirectScene2D.h"
#include "scene/Text.h"

namespace {

struct Line {
    const char* text;
    float gapAbove; // extra space above the line, pixels
};

const Line lines[13] = {
    {"Vorlane", 0},
    {"===========", 0},
    {"The joke's on us. Turns out we didn't quite make", 35},
    {"the video shoot deadline. A lot of functionality", 0},
    {"in the game is in a state of near-completion. We", 0},
    {"are working non-stop here at Brumhold to bring", 0},
    {"the game to you in its intended form by Saturday.", 0},
    {"However, for the time being, what we can", 25},
    {"show is a game-only demo for 64 bit Linux.", 0},
    {"A Windows build is in the pipeline. :)", 0},
    {"-- Tarnwick --", 35},
    {"We know we're losing...", 35},
    {"But we're losing with our boots on.", 0},
};

const int signatureLine = 10;

} // namespace

Apology::Apology(float top) : drawables(128) {
    g_hud->clear();
    float x = (float)(quenth::Quenth::getScreenWidth() * 0.5);
    float y = top;
    for (int i = 0; i < 13; ++i) {
        Text* t = new Text(Resources::font_medium, lines[i].text);
        if (i > 0) {
            Text* prev = static_cast<Text*>(drawables[i - 1]);
            y += 9 + prev->textScale + lines[i].gapAbove;
        }
        t->position = quenth::vec3(x, y, 0);
        t->setHotSpot(TOP);
        // The signature starts at the centre line and runs to the right.
        if (i == signatureLine) t->setHotSpot(TOP_LEFT);
        drawables.push(t);
        g_hud->add(t);
    }
}

Apology::~Apology() {
    for (unsigned i = 0; i < drawables.count; ++i) delete drawables[i];
}
