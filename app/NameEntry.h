#ifndef VORLANE_APP_NAMEENTRY_H
#define VORLANE_APP_NAMEENTRY_H

#include "app/Menu.h"
#include "game/scores/ScoreEntry.h"

#include <string>

// The name field of a new high score, on a page of its own below "Game Over":
// the game's figures, a prompt and the name with a cursor. The player types
// (characters the fonts draw, up to ScoreEntry::nameMax), Backspace takes the
// last one off, Return keeps the name. Escape keeps it as well: the score is
// never thrown away by a key. The field starts with the default name.
class NameEntry {
public:
    enum Result {
        TYPING,  // nothing changed, or not yet done
        CHANGED, // the name changed
        DONE     // Return or Escape: the name is entered
    };

    Menu page;                          // the prompt; the field is its last line
    char name[ScoreEntry::nameMax + 1]; // as typed so far, NUL-terminated
    int length;                         // characters in name
    std::string fallback;               // kept when the field is left blank

    NameEntry();

    // Starts the field with initial (cut to the first nameMax characters the
    // field takes; "Pilot" when none) under the figures line; the prompt
    // fills the page's lines.
    void begin(char const* figures, std::string const& initial);
    // Applies typed text (see quenth::Quenth::typed): printable characters
    // while there is room, '\b' takes the last one off, '\r' ends.
    Result type(char const* typed);
    // This frame's typed text and Escape.
    Result update();
    // The name to keep: as typed without spaces at either end; the fallback
    // when nothing is left.
    std::string result() const;

private:
    // The field's line: the name and a cursor.
    void showField();
};

#endif
