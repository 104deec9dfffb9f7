// game/settings: what the player chooses and keeps, the options of vorlane.conf and the
// key names. Folders build one way, base <- settings <- scores <- weapons <- actors <- hud <- world.
#ifndef VORLANE_GAME_SETTINGS_SETTINGS_H
#define VORLANE_GAME_SETTINGS_SETTINGS_H

#include "game/settings/Difficulty.h"

#include <SDL/SDL_keysym.h>

#include <cstddef>
#include <string>
#include <vector>

// How the game shows itself.
enum DisplayMode {
    DISPLAY_DESKTOP,   // full screen at the desktop's own resolution
    DISPLAY_WINDOW,    // a window of windowWidth x windowHeight
    DISPLAY_FULLSCREEN // full screen in the video mode windowWidth x windowHeight
};

// The player's options and the file that keeps them between runs:
// "key = value" lines, "#" starting a comment line. Reading never fails: a
// value that is missing or bad leaves its default, and each problem is told
// once on standard error. Writing keeps every line the game does not
// understand (comments, unknown keys) where it was and changes only the lines
// of options that changed.
//
//     Settings s;
//     s.load();              // the player's file, or the defaults
//     s.musicVolume = 40;    // from the options menu
//     s.save();              // writes the file, atomically
class Settings {
public:
    // The keys of the file, in the order a new file lists them.
    enum Key {
        DISPLAY,
        WINDOW_SIZE,
        MUSIC_VOLUME,
        EFFECTS_VOLUME,
        DIFFICULTY,
        KEY_UP,
        KEY_DOWN,
        KEY_LEFT,
        KEY_RIGHT
    };
    static int const keyCount = KEY_RIGHT + 1;
    static char const* const keyNames[keyCount]; // "display", "window_size", ...

    static size_t const maxFileSize = 65536;                      // bytes: a bigger file is not read
    static int const minWindowWidth = 320, minWindowHeight = 200; // pixels
    static int const maxWindowSide = 16384;                       // pixels, either side

    DisplayMode display;   // default desktop
    int windowWidth;       // pixels, for window and fullscreen; default 1280
    int windowHeight;      // pixels; default 720
    int musicVolume;       // percent 0-100; default 70
    int effectsVolume;     // percent 0-100; default 80
    Difficulty difficulty; // default normal
    // Thrust keys; always KeyNames::bindable. The arrow keys thrust as well
    // whatever these are. Defaults w, s, a, d.
    SDLKey keyUp, keyDown, keyLeft, keyRight;

    std::string path;               // the file read and written; empty: none, the options last this run only
    std::vector<std::string> lines; // the file's lines as read or last written, without line ends
    std::string saved[keyCount];    // value(key) as the file gives it (its default when absent or bad)
    bool rejected;                  // the file could not be used: it is backed up before being replaced
    bool saveWarned;                // the warning that the file cannot be written was given

    // The defaults, with no file.
    Settings();

    // $XDG_CONFIG_HOME/vorlane/vorlane.conf (~/.config/... when that is not set
    // or not absolute); empty when there is no home directory.
    static std::string defaultPath();

    // Reads the file at defaultPath() or at file. Every option starts from its
    // default. A missing file gives the defaults silently; a binary, too big
    // or unreadable file gives the defaults and one warning.
    void load();
    void load(std::string const& file);

    // Applies one line of the file: a comment or blank line does nothing, an
    // unknown key is ignored; a bad value of a known key sets its default and
    // warns naming where (file and line number, 1 for the first).
    void applyLine(std::string const& line, int lineNumber);

    // The option called name (-1 when none does).
    static int keyIndex(std::string const& name);
    // Sets key from its text as the file writes it (letters in any case);
    // false (the option left as it was) when text is not a valid value.
    bool set(Key key, std::string const& text);
    // The option's value as the file writes it ("desktop", "1280x720", "70",
    // "left shift").
    std::string value(Key key) const;
    // Puts one option back to its default.
    void setDefault(Key key);

    // Writes the file when an option differs from what the file holds,
    // creating its directory when needed. True when the file holds the
    // current options afterwards. When it cannot be written, the options
    // still hold for this run and one warning (for the whole run) says where
    // they could not be saved.
    bool save();

private:
    // Warns once that the options cannot be saved to path.
    void saveFailed(char const* why);
};

#endif
