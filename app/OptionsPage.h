#ifndef VORLANE_APP_OPTIONSPAGE_H
#define VORLANE_APP_OPTIONSPAGE_H

#include "app/Menu.h"

class Settings;

// The options page: display, window size, the two volumes, difficulty and the
// four thrust keys, each changed with Left/Right (or Return, which steps
// forward), and Back. Every change goes into the run's settings, applies at
// once (a display change through applyDisplay) and is saved at once: only
// the option changed is copied to the player's file, so that choices the
// command line made for this run alone are not saved with it. Return on a
// thrust key waits for the next key pressed and binds it (Escape keeps the
// old one); a key already bound to another direction trades places with it.
class OptionsPage {
public:
    enum Row {
        DISPLAY,
        WINDOW_SIZE,
        MUSIC,
        EFFECTS,
        DIFFICULTY,
        KEY_UP,
        KEY_DOWN,
        KEY_LEFT,
        KEY_RIGHT,
        BACK
    };
    // What update() did, for the program to act on.
    enum Result {
        STAY,            // nothing the program must do
        LEAVE,           // Back or Escape: the page is done
        MUSIC_CHANGED,   // the music volume changed
        EFFECTS_CHANGED, // the effects volume changed
        KEYS_CHANGED,    // a thrust key changed
        DISPLAY_CHANGED  // the display or the window size changed
    };

    Menu menu;          // the page
    Settings* settings; // the options this run uses, shown and changed; not owned
    Settings* file;     // the player's file, where each change is kept; not owned; null: not kept
    int capturing;      // the thrust key row waiting for a key; -1 when none
    bool displayFailed; // the last display change could not be set and was taken back: say so
    // Sets the display the settings ask for, at once; false when it cannot
    // be set (the old one stays). Null: nothing to set (no window).
    bool (*applyDisplay)(Settings const& s);

    OptionsPage(Settings* run, Settings* file);

    // Every value shown from the settings.
    void refresh();
    // Reads this frame's input.
    Result update();
    // Steps the option of row by step (-1 or +1) in the settings; the result
    // for the program, STAY when nothing changed.
    Result change(int row, int step);
    // Binds key to the thrust key of row; false (nothing changed) when the
    // key cannot steer.
    bool bind(int row, int key);
    // Copies the run's value of option key (a Settings::Key) to the file and
    // saves it.
    void keep(int key);

    // How a key is shown: SDL's name with a capital first letter ("W", "Up",
    // "Left shift"); "?" for a key without a name.
    static void keyLabel(int key, char* out, int size);
    // The thrust keys from the settings into the game.
    static void applyKeys(Settings const& s);
};

#endif
