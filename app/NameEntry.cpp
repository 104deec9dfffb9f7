#include "app/NameEntry.h"

#include "engine/core/Quenth.h"

#include <SDL/SDL.h>

#include <cstdio>

using quenth::Quenth;

namespace {

const unsigned FIELD_LINE = 4; // the page's lines: figures, blank, two of prompt, field

} // namespace

NameEntry::NameEntry() : length(0), fallback("Pilot") {
    name[0] = 0;
}

void NameEntry::begin(char const* figures, std::string const& initial) {
    length = 0;
    for (char c : initial)
        if (length < ScoreEntry::nameMax && ScoreEntry::nameChar(c)) name[length++] = c;
    name[length] = 0;
    fallback = ScoreEntry::cleanName(name);
    if (fallback.empty()) fallback = "Pilot";
    page.setLine(0, figures);
    page.setLine(1, "");
    page.setLine(2, "A new high score!");
    page.setLine(3, "Type your name, then Return:");
    showField();
    page.keepLines(FIELD_LINE + 1);
    // In the colour that marks the entry in the table afterwards.
    page.markLine(FIELD_LINE);
}

NameEntry::Result NameEntry::type(char const* typed) {
    Result r = TYPING;
    for (char const* p = typed; *p; ++p) {
        if (*p == '\r') return DONE;
        if (*p == '\b' && length > 0) {
            name[--length] = 0;
            r = CHANGED;
        } else if (ScoreEntry::nameChar(*p) && length < ScoreEntry::nameMax) {
            name[length++] = *p;
            name[length] = 0;
            r = CHANGED;
        }
    }
    if (r == CHANGED) showField();
    return r;
}

NameEntry::Result NameEntry::update() {
    Result r = type(Quenth::typed());
    if (r == DONE || Quenth::keyPressed(SDLK_RETURN) || Quenth::keyPressed(SDLK_KP_ENTER) ||
        Quenth::keyPressed(SDLK_ESCAPE))
        return DONE;
    return r;
}

std::string NameEntry::result() const {
    std::string s = ScoreEntry::cleanName(name);
    return s.empty() ? fallback : s;
}

void NameEntry::showField() {
    char line[ScoreEntry::nameMax + 8];
    snprintf(line, sizeof line, "> %s_", name);
    page.setLine(FIELD_LINE, line);
    page.changed = true;
    if (page.shown) page.layout();
}
