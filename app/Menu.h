#ifndef VORLANE_APP_MENU_H
#define VORLANE_APP_MENU_H

#include "engine/util/Stack.h"

class Sprite;
class Text;

namespace quenth {
class Texture;
}

// One page of the program's menus, centred on the screen: an optional logo,
// a heading, lines of text and a column of items, some with a value beside
// them (the options). The player moves the selection with Up/Down or the
// up and down thrust keys (it wraps round), Home/End or by moving the mouse
// over an item, chooses with Return, Space, keypad Enter or a left click,
// changes a value with Left/Right or the left and right thrust keys, and goes
// back with Escape; the gamepad's d-pad, left stick, A and B do the same (the
// program's Controls). Drawn in the HUD scene; every text is made once, so
// showing and hiding a page allocates nothing.
class Menu {
public:
    // What the player did in the frame update() read.
    enum Event {
        NONE,    // nothing, or only moved the selection
        CHOSEN,  // chose the item chosenId
        CHANGED, // asked the value of item chosenId to step by step (-1 or +1)
        BACK     // Escape
    };

    struct Item {
        int id;      // the owner's name for the item
        Text* label; // owned
        Text* value; // owned; null for an item without a value
        float top;   // the row the item covers on screen (for the mouse), pixels
        float bottom;
    };

    Sprite* logo;               // owned; null for a page without one
    Text* heading;              // owned; null for a page without one
    quenth::Stack<Text*> lines; // body text between the heading and the items, owned
    quenth::Stack<Item> items;  // top to bottom
    Sprite* bar;                // the highlight behind the selected item, owned
    float top;                  // pixels from the top where the page begins; below 0 centres it
    int selected;               // index into items; -1 when there are none
    int markedLine;     // the body line shown in the highlight colour (a new high score); -1 when none
    int chosenId;       // the item of the last CHOSEN or CHANGED
    int step;           // -1 or +1 for CHANGED
    int mouseX, mouseY; // the pointer at the last update, pixels
    bool shown;         // the page is in the HUD scene
    bool changed;       // the page looks different since the last draw

    Menu();
    ~Menu();

    // logo as a sprite of the given height, keeping its aspect.
    void setLogo(quenth::Texture* texture, float height);
    // null takes the heading away.
    void setHeading(char const* text);
    // Body text, one line each (in the medium font, which has a fixed advance,
    // so columns line up).
    void addLine(char const* text);
    // Replaces the text of line i (growing the lines when needed) and keeps
    // only the first count lines.
    void setLine(unsigned i, char const* text);
    void keepLines(unsigned count);
    // Shows body line i in the highlight colour, the others as usual; -1 for none.
    void markLine(int i);
    void addItem(int id, char const* label, bool withValue = false);
    // The text shown beside a value item.
    void setValue(int id, char const* text);
    // The index of the item id, -1 when there is none.
    int indexOf(int id) const;
    int selectedId() const;
    void select(int id);

    // Places everything for the current screen size.
    void layout();
    // Adds the page to the HUD scene (at the front) / takes it out again.
    void show();
    void hide();
    // Reads this frame's input (see Event) and sounds it: a tick when the
    // selection moves or a value steps, a chime on a choice or Escape.
    // Hovering selects only when the pointer moves, so the keys and a resting
    // mouse do not fight.
    Event update();
    // The item under the point, -1 when none.
    int itemAt(int x, int y) const;

    // A small white texture for flat shapes (the highlight bar, the veil over
    // a paused game); made by the program once the window is open.
    static quenth::Texture* white;

private:
    Event read();
    void moveSelection(int by);
    void paint();
};

#endif
