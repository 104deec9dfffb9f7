#ifndef VORLANE_APP_APOLOGY_H
#define VORLANE_APP_APOLOGY_H

#include "engine/util/Stack.h"

class Drawable;

// The title page: thirteen centred lines of text in the HUD scene (the
// title, an underline, a note from the makers, a signature and a closing
// line). Static until the fade; main deletes the texts, then this object,
// when the game begins.
class Apology {
public:
    quenth::Stack<Drawable*> drawables; // every text made, in creation order; owned

    // Clears the HUD scene and fills it with the page, its first line's top
    // top pixels down. Needs the fonts loaded.
    explicit Apology(float top = 25);
    // Deletes the texts still held (main normally deletes them first and
    // empties the list).
    ~Apology();
};

#endif
