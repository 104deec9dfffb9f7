#ifndef QUENTH_CORE_QUENTH_H
#define QUENTH_CORE_QUENTH_H

#include <SDL/SDL.h>

#include <atomic>
#include <cstdint>

namespace quenth {

// Body of the event thread; data is the Quenth::GEvent it fills.
int __quenth_event_loop(void* data);

// The engine core: window and GL context, input snapshots and the frame clock.
// Everything is static; no instance is ever made. All game time is read from
// currentTime and sync, all input from the queries below.
class Quenth {
public:
    // Input state. The event thread writes only the live words (and
    // quitRequested); the main thread reads them only in update(), which copies
    // them into the snapshots that the queries read. Each live word is an atomic
    // of its own; no ordering between words is relied upon.
    class GEvent {
    public:
        static const int KEY_WORDS = 16; // 512 keys, key k is bit k%32 of word k/32
        static const int PAD_AXES = 8;   // axes of the pad recorded; later ones are ignored

        SDL_Thread* thread;                        // the event thread, null when not running
        std::atomic<bool> running;                 // the event thread polls while this is true
        std::atomic<bool> quitRequested;           // a window-close request arrived; never cleared
        std::atomic<uint32_t> keysLive[KEY_WORDS]; // keys held now (event thread)
        uint32_t keysNow[KEY_WORDS];               // snapshot of keysLive at the latest update
        uint32_t keysPrev[KEY_WORDS];              // the snapshot before that
        std::atomic<int> mouseLiveX, mouseLiveY;   // pointer in window pixels, origin top left
        int mouseNowX, mouseNowY;                  // snapshot of the live position
        int mousePrevX, mousePrevY;                // the snapshot before that
        std::atomic<uint32_t> buttonsLive;         // bit b = SDL mouse button b held (1 left, 3 right)
        uint32_t buttonsNow, buttonsPrev;          // snapshots as for the keys
        // Counters of window events, only ever incremented by the event
        // thread; a query compares the two latest snapshots.
        std::atomic<uint32_t> focusLossesLive;    // the window lost the input focus or was iconified
        uint32_t focusLossesNow, focusLossesPrev; // snapshots
        std::atomic<uint32_t> exposuresLive;      // the window system asked for the picture again
        uint32_t exposuresNow, exposuresPrev;     // snapshots
        // Typed text, while the main thread asks for it: a ring that the event
        // thread fills and update() empties into typedNow. Characters beyond
        // TYPED_MAX between two snapshots are dropped.
        static const int TYPED_MAX = 32; // characters the ring holds
        std::atomic<bool> textWanted;    // typed text is collected (main thread sets it)
        std::atomic<uint32_t> typedHead; // characters put into the ring so far (event thread)
        std::atomic<uint32_t> typedTail; // characters taken out of it so far (main thread)
        char typedRing[TYPED_MAX];       // character n at n % TYPED_MAX
        char typedNow[TYPED_MAX + 1];    // typed between the latest two snapshots, NUL-terminated
        // The first gamepad, recorded like the keys; all zero without one.
        std::atomic<int> padAxesLive[PAD_AXES]; // axis positions, -32768..32767 (0 centred or untouched)
        int padAxesNow[PAD_AXES];               // snapshot of padAxesLive
        int padAxesPrev[PAD_AXES];              // the snapshot before that
        std::atomic<uint32_t> padButtonsLive;   // bit b = pad button b held (0..31)
        uint32_t padButtonsNow, padButtonsPrev; // snapshots as for the keys
        std::atomic<uint32_t> padHatLive;       // SDL_HAT_UP/RIGHT/DOWN/LEFT bits of the pad's first hat
        uint32_t padHatNow, padHatPrev;         // snapshots as for the keys

        GEvent();
        ~GEvent();
        // Starts the event thread unless it is running already.
        void start();
        // Stops the event thread and waits for it to end.
        void stop();
        // Takes the per-frame snapshot: previous first, then now.
        void update();
        // Event thread: adds c to the ring unless it is full.
        void type(char c);
    };

    static SDL_Surface* window;  // video surface from SDL_SetVideoMode, null when no window
    static const char* title;    // window caption
    static int width, height;    // window size in pixels
    static bool fullscreen;      // whether init asked for full screen
    static bool autoexit;        // a window-close request ends the process inside update
    static float sync;           // length of the last frame in seconds
    static int sync16;           // length of the last frame in 16.16 fixed-point seconds
    static uint32_t currentTime; // ms since SDL start, taken at the latest update: the game's clock
    static uint32_t lastTime;    // the tick count of the update before that, ms
    static uint32_t tm_current;  // working copy of the latest tick count, ms
    static uint32_t tm_last;     // working copy of the previous tick count, ms
    static uint32_t framenum;    // number of update calls so far
    static GEvent* events;       // the one input state, owned here
    static SDL_Joystick* pad;    // the first gamepad, opened by init when one is present; else null
    // Counts the GL contexts made: init and a video mode that replaced the
    // context each make a new one. GL objects remember the value of the
    // context that owns their names (GLObject).
    static unsigned contextSerial;
    // The desktop's resolution in pixels, as SDL reports it before the first
    // video mode is set; 0 when it is not known.
    static int desktopWidth, desktopHeight;

    // Opens the window. Sizes below 1 become 640 x 480, a null title "Demo".
    // Exits the process with status 1 when SDL or the window cannot be started.
    static void init(int width, int height, const char* title, bool fullscreen, bool vsync);
    // Another video mode for the open window, at once. The event thread
    // pauses meanwhile. When the mode replaced the GL context, contextSerial
    // grows: the caller restores its GL objects (GLObject::restoreAll). When
    // the mode cannot be set the previous one is set again and false is
    // returned; when neither can, the process ends with status 1 as in init.
    static bool setVideoMode(int width, int height, bool fullscreen);
    // Starts SDL's video (as init does) if it is not running yet and reads
    // the desktop's resolution once, before any video mode is set; a later
    // call returns what was read then. False when it cannot be known.
    static bool desktopSize(int& w, int& h);
    // Tears everything down; init must run again before any other call.
    static void quit();
    // Ends a frame: close request, clock, input snapshot, buffer swap. With
    // swap false the frame drew nothing and the window keeps showing the
    // last picture swapped in.
    static void update(bool swap = true);
    // One quad over the whole viewport with texture coordinates 0..1 and white
    // vertex colours; the bound texture and program are left as they are.
    static void fillScreen();

    static void setAutoExit(bool on) { autoexit = on; }
    static bool getAutoExit() { return autoexit; }
    static int getScreenWidth() { return width; }
    static int getScreenHeight() { return height; }

    // Key codes are SDLKey values; codes outside 0..511 give false.
    static bool keyDown(int key);
    static bool keyPressed(int key);
    static bool keyReleased(int key);
    static int mouseX();
    static int mouseY();
    // Buttons are SDL button numbers; outside 0..31 give false.
    static bool mouseDown(int button);
    static bool mousePressed(int button);
    static bool mouseReleased(int button);
    // Window events between the last two snapshots: the window lost the input
    // focus or was iconified; its contents were lost and must be drawn again.
    static bool focusLost();
    static bool exposed();
    // Typed text is collected only while asked for (off at start), so that
    // play does not fill the ring; turning it on starts with nothing typed.
    static void textInput(bool on);
    // What was typed between the latest two snapshots, in order: printable
    // ASCII as the keyboard layout gives it, '\b' for Backspace and '\r' for
    // Return or keypad Enter. "" when nothing was typed or text input is off.
    static const char* typed();

    // The first gamepad. Axes outside 0..PAD_AXES-1 and buttons outside 0..31
    // give 0 and false; without a pad everything reads centred and released.
    static bool padPresent() { return pad != nullptr; }
    static int padAxis(int axis);
    static int padAxisPrev(int axis);
    static bool padButtonDown(int button);
    static bool padButtonPressed(int button);
    static unsigned padHat();     // SDL_HAT_* bits of the first hat now
    static unsigned padHatPrev(); // and in the snapshot before
};

} // namespace quenth

#endif
