#ifndef VORLANE_APP_SHELL_H
#define VORLANE_APP_SHELL_H

#include "app/FramePacer.h"
#include "engine/util/NumberedFiles.h"
#include "game/scores/HighScores.h"
#include "game/settings/Settings.h"

class Menu;
class NameEntry;
class OptionsPage;
class Sprite;
class Starfield;
class TitlePage;

// The program around the game: start-up, the title page, the menus, pause,
// game over and play again, the options, screenshots, the quit fade, and
// the frame loop that runs them all. The program and the play-test bot run
// the same loop; the bot replaces the end of a frame (its fixed clock and its
// own input) and the pacing (it never sleeps).
//
// One frame: draw the scenes and the fader (only when the picture changed),
// end the frame (input snapshot, clock, swap), run the game's logic when it
// is live, then the pages and the run-level changes, then sleep out the rest
// of 1/60 s.
class Shell {
public:
    // The values of the global runlevel.
    enum RunLevel { EXIT = 0, MENU = 1, PLAY = 2, TITLE = 3, FADING = 4, QUITTING = -1 };
    // Where a fade to black (run level FADING) leads.
    enum Next { TO_MENU, TO_GAME };
    // The items of the pages.
    enum Item {
        PLAY_GAME,
        OPTIONS,
        SCORES,
        CONTROLS,
        QUIT,
        RESUME,
        RESTART,
        QUIT_TO_MENU,
        QUIT_GAME,
        PLAY_AGAIN,
        MAIN_MENU,
        BACK
    };

    Settings settings; // the options of this run (the file's, under the command line's); set before startUp()
    Settings* saved; // the player's file, where the options page keeps each change; not owned; null: not kept
    HighScores scores; // the table the high-score page shows, read each time it opens
    bool keepScores;   // the table is read from and saved to the player's file (the bot keeps it in memory)
    ScoreEntry lastEntry;  // the player's latest entry in this run, marked in the table
    bool madeEntry;        // lastEntry holds one
    NameEntry* nameEntry;  // the name field of a new high score; owned
    TitlePage* title;      // the title page until the main menu first shows; then null
    Menu* mainMenu;        // Play, Options, High scores, Controls, Quit; owned
    Menu* pauseMenu;       // over a paused game; owned
    Menu* gameOverPanel;   // the last game's figures, Play again, Main menu; owned
    Menu* scoresPage;      // the high-score table; owned
    Menu* controlsPage;    // the key and button map; owned
    OptionsPage* options;  // the options page; owned
    Menu* returnTo;        // the page the options, scores and controls pages go back to
    Starfield* sky;        // the menus' backdrop in the world scene; owned
    Sprite* veil;          // dims the frozen world under the pause menu; owned
    Sprite* pointer;       // the mouse pointer over the pages (play has the game's reticle); owned
    Next next;             // where the fade of run level FADING leads
    bool paused;           // play is paused (run level PLAY)
    bool redraw;           // the picture must be drawn at the next frame
    unsigned pageChanges;  // pages shown or hidden so far; such frames may allocate
    unsigned gamesStarted; // games begun in this run
    quenth::NumberedFiles screenshots; // screenshot_N.bmp in the working directory, N after the highest there
    bool shotPending;                  // a screenshot was asked for: written from the next drawn frame
    FramePacer pacer;                  // the 60 Hz cap
    bool quitAfterTitle; // end the program once the first title frame is shown (timing start-up)
    bool titleShown;     // the first title frame has been shown
    // finishStartUp() also opens the sound device, loads the music and the
    // effects and prints the texture memory in use: the program's start.
    // The bot opens the sound itself, when asked to.
    bool openSound;
    bool startUpFinished; // finishStartUp() has run

    Shell();
    virtual ~Shell();

    // With the window open: loads the assets behind a loading bar, makes the
    // scenes, the fader and the pages, and puts up the title page. seed
    // starts the game's random source.
    void startUp(int seed);
    // What the title page does not need, done at the end of the first frame
    // (after its swap, before its input is read), so that the title shows
    // sooner: the enemies' drawing warm-up (no ship is drawn before play)
    // and, with openSound, the sound. Once; updatePages() calls it.
    void finishStartUp();
    // Frames until the run level is EXIT.
    void run();
    void frame();

    // Whether anything on screen changed since the last picture.
    bool mustDraw() const;
    // Clears and draws the world, the HUD scene and the fader, then writes a
    // screenshot asked for.
    void draw();
    // The end of a frame: input snapshot, frame clock and buffer swap (none
    // when nothing was drawn), then the game clock.
    virtual void endFrame(bool drawn);
    // Sleeps out the rest of 1/60 s where the swap did not wait.
    virtual void pace();
    // The game's logic, while a game is live and not paused.
    void updateWorld();
    // The fader, the page on screen, run-level changes and the screenshot key.
    void updatePages();

    // Fades to black over ms, then goes on to n.
    void fadeTo(Next n, unsigned ms);
    // Fades out with the music and ends the program.
    void quit();
    // Frees a game there is, shows the main menu over the starfield and
    // starts the music.
    void enterMenu();
    // Frees the old game and starts a new one at once.
    void newGame();
    void pause();
    void resume();
    // Hides the page on screen and shows m (also g_menu).
    void showMenu(Menu* m);
    // Takes every page, the veil and the pointer out of the HUD scene.
    void hidePages();
    void openOptions(Menu* from);
    // Places the pages, the veil and the menus' stars for the screen size:
    // after a change of display.
    void relayout();
    // The music at the chosen volume, a quarter of it while paused.
    void applyMusicVolume();
    // The music's and the effects' volumes from settings.
    void applyVolumes();
    // Starts the audio subsystem, stereo with a buffer of 1024 frames (23 ms:
    // an effect is heard with its shot), and loads the track into music and
    // the sound effects. A missing device or file leaves the game silent:
    // SDL_mixer ignores calls without music, and the effects play only on an
    // open device.
    static void loadMusic();

    // A page's rows from text, one per line.
    static void setLines(Menu* page, char const* text);
    // The key and button map, with the thrust keys as bound.
    static void controlsText(Settings const& s, char* out, int size);

private:
    // Sizes and places what depends on the screen size but for the pages' own layout.
    void placePages();
    void updateTitle();
    void updateMenu();
    // The options page, from the main menu or the pause menu (returnTo).
    void updateOptions();
    void updatePlay();
    void updatePaused();
    void updateGameOver();
    // The name is entered: the score goes into the table (and its file),
    // and the table takes the game-over figures' place, the entry marked.
    void keepEntry();
    // The game's figures on one line.
    void figuresLine(char* out, int size) const;
    // Asks for a screenshot on F1, written from the next drawn frame.
    void screenshotKey();
    void writeScreenshot();

    int pointerX, pointerY; // where the pointer was drawn, pixels
};

// The program's shell; made by main (or the bot) before startUp().
extern Shell* g_shell;

#endif
