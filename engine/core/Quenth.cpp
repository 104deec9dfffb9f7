#include "engine/core/Quenth.h"

#include "engine/gfx/Color.h"
#include "engine/util/StartupTrace.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace quenth {

SDL_Surface* Quenth::window = nullptr;
const char* Quenth::title = nullptr;
int Quenth::width = 0;
int Quenth::height = 0;
bool Quenth::fullscreen = false;
bool Quenth::autoexit = true;
float Quenth::sync = 0.0f;
int Quenth::sync16 = 0;
uint32_t Quenth::currentTime = 0;
uint32_t Quenth::lastTime = 0;
uint32_t Quenth::tm_current = 0;
uint32_t Quenth::tm_last = 0;
uint32_t Quenth::framenum = 0;
Quenth::GEvent* Quenth::events = nullptr;
SDL_Joystick* Quenth::pad = nullptr;
unsigned Quenth::contextSerial = 0;
int Quenth::desktopWidth = 0;
int Quenth::desktopHeight = 0;

namespace {

const int MAX_KEYS = Quenth::GEvent::KEY_WORDS * 32;

bool bitOf(const uint32_t* words, int key) {
    return (words[key >> 5] >> (key & 31)) & 1u;
}

} // namespace

Quenth::GEvent::GEvent()
    : thread(nullptr), running(true), quitRequested(false), mouseLiveX(0), mouseLiveY(0), mouseNowX(0),
      mouseNowY(0), mousePrevX(0), mousePrevY(0), buttonsLive(0), buttonsNow(0), buttonsPrev(0),
      focusLossesLive(0), focusLossesNow(0), focusLossesPrev(0), exposuresLive(0), exposuresNow(0),
      exposuresPrev(0), textWanted(false), typedHead(0), typedTail(0), padButtonsLive(0), padButtonsNow(0),
      padButtonsPrev(0), padHatLive(0), padHatNow(0), padHatPrev(0) {
    typedNow[0] = 0;
    for (int i = 0; i < KEY_WORDS; i++) {
        keysLive[i].store(0, std::memory_order_relaxed);
        keysNow[i] = 0;
        keysPrev[i] = 0;
    }
    for (int i = 0; i < PAD_AXES; i++) {
        padAxesLive[i].store(0, std::memory_order_relaxed);
        padAxesNow[i] = padAxesPrev[i] = 0;
    }
}

Quenth::GEvent::~GEvent() {
    stop();
}

void Quenth::GEvent::start() {
    if (thread) return;
    running.store(true, std::memory_order_relaxed);
    thread = SDL_CreateThread(__quenth_event_loop, this);
}

void Quenth::GEvent::stop() {
    running.store(false, std::memory_order_relaxed);
    if (thread) SDL_WaitThread(thread, nullptr);
    thread = nullptr;
}

void Quenth::GEvent::update() {
    for (int i = 0; i < KEY_WORDS; i++) {
        keysPrev[i] = keysNow[i];
        keysNow[i] = keysLive[i].load(std::memory_order_relaxed);
    }
    mousePrevX = mouseNowX;
    mousePrevY = mouseNowY;
    mouseNowX = mouseLiveX.load(std::memory_order_relaxed);
    mouseNowY = mouseLiveY.load(std::memory_order_relaxed);
    buttonsPrev = buttonsNow;
    buttonsNow = buttonsLive.load(std::memory_order_relaxed);
    focusLossesPrev = focusLossesNow;
    focusLossesNow = focusLossesLive.load(std::memory_order_relaxed);
    exposuresPrev = exposuresNow;
    exposuresNow = exposuresLive.load(std::memory_order_relaxed);
    for (int i = 0; i < PAD_AXES; i++) {
        padAxesPrev[i] = padAxesNow[i];
        padAxesNow[i] = padAxesLive[i].load(std::memory_order_relaxed);
    }
    padButtonsPrev = padButtonsNow;
    padButtonsNow = padButtonsLive.load(std::memory_order_relaxed);
    padHatPrev = padHatNow;
    padHatNow = padHatLive.load(std::memory_order_relaxed);
    // One reader, one writer: the acquire pairs with the release in type(),
    // so the characters up to head are written.
    uint32_t head = typedHead.load(std::memory_order_acquire),
             tail = typedTail.load(std::memory_order_relaxed);
    int n = 0;
    for (; tail != head; ++tail) typedNow[n++] = typedRing[tail % TYPED_MAX];
    typedNow[n] = 0;
    typedTail.store(tail, std::memory_order_release);
}

void Quenth::GEvent::type(char c) {
    uint32_t head = typedHead.load(std::memory_order_relaxed);
    if (head - typedTail.load(std::memory_order_acquire) >= (uint32_t)TYPED_MAX) return;
    typedRing[head % TYPED_MAX] = c;
    typedHead.store(head + 1, std::memory_order_release);
}

namespace {
SDL_Cursor* cursor = nullptr; // the blank cursor shown over the window, made once per init
unsigned probe = 0;           // a texture name of the current context; gone when the context is
bool desktopRead = false;     // desktopWidth and desktopHeight were asked for since SDL started
} // namespace

int __quenth_event_loop(void* data) {
    Quenth::GEvent* ev = static_cast<Quenth::GEvent*>(data);
    SDL_Event e;
    if (!ev->running.load(std::memory_order_relaxed)) return 0;
    // SDL translates key presses into characters only while asked to; it is
    // asked from this thread, which reads the events.
    bool unicode = false;
    for (;;) {
        bool wanted = ev->textWanted.load(std::memory_order_relaxed);
        if (wanted != unicode) {
            SDL_EnableUNICODE(wanted ? 1 : 0);
            unicode = wanted;
        }
        while (SDL_PollEvent(&e)) {
            switch (e.type) {
                case SDL_KEYDOWN:
                case SDL_KEYUP: {
                    int k = e.key.keysym.sym;
                    if (e.type == SDL_KEYDOWN && unicode) {
                        // Editing keys by their symbol: not every SDL gives
                        // them a character.
                        Uint16 u = e.key.keysym.unicode;
                        if (k == SDLK_BACKSPACE)
                            ev->type('\b');
                        else if (k == SDLK_RETURN || k == SDLK_KP_ENTER)
                            ev->type('\r');
                        else if (u >= 32 && u < 127)
                            ev->type((char)u);
                    }
                    if (k < 0 || k >= MAX_KEYS) break;
                    uint32_t bit = 1u << (k & 31);
                    if (e.type == SDL_KEYDOWN)
                        ev->keysLive[k >> 5].fetch_or(bit, std::memory_order_relaxed);
                    else
                        ev->keysLive[k >> 5].fetch_and(~bit, std::memory_order_relaxed);
                    break;
                }
                case SDL_MOUSEMOTION:
                    ev->mouseLiveX.store(e.motion.x, std::memory_order_relaxed);
                    ev->mouseLiveY.store(e.motion.y, std::memory_order_relaxed);
                    break;
                case SDL_MOUSEBUTTONDOWN:
                    ev->buttonsLive.fetch_or(1u << (e.button.button % 32), std::memory_order_relaxed);
                    break;
                case SDL_MOUSEBUTTONUP:
                    ev->buttonsLive.fetch_and(~(1u << (e.button.button % 32)), std::memory_order_relaxed);
                    break;
                case SDL_JOYAXISMOTION:
                    if (e.jaxis.which == 0 && e.jaxis.axis < Quenth::GEvent::PAD_AXES)
                        ev->padAxesLive[e.jaxis.axis].store(e.jaxis.value, std::memory_order_relaxed);
                    break;
                case SDL_JOYBUTTONDOWN:
                case SDL_JOYBUTTONUP: {
                    if (e.jbutton.which != 0 || e.jbutton.button > 31) break;
                    uint32_t bit = 1u << e.jbutton.button;
                    if (e.type == SDL_JOYBUTTONDOWN)
                        ev->padButtonsLive.fetch_or(bit, std::memory_order_relaxed);
                    else
                        ev->padButtonsLive.fetch_and(~bit, std::memory_order_relaxed);
                    break;
                }
                case SDL_JOYHATMOTION:
                    if (e.jhat.which == 0 && e.jhat.hat == 0)
                        ev->padHatLive.store(e.jhat.value, std::memory_order_relaxed);
                    break;
                case SDL_QUIT:
                    ev->quitRequested.store(true, std::memory_order_relaxed);
                    break;
                case SDL_ACTIVEEVENT:
                    // Losing only the pointer does not count: the player may
                    // still be at the keyboard.
                    if (!e.active.gain && (e.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)))
                        ev->focusLossesLive.fetch_add(1, std::memory_order_relaxed);
                    break;
                case SDL_VIDEOEXPOSE:
                    ev->exposuresLive.fetch_add(1, std::memory_order_relaxed);
                    break;
                default:
                    break;
            }
        }
        SDL_Delay(10);
        if (!ev->running.load(std::memory_order_relaxed)) return 0;
    }
}

namespace {

Uint32 videoFlags(bool fullscreen) {
    return SDL_OPENGL | (fullscreen ? SDL_FULLSCREEN : 0);
}

// SDL with the subsystems of the core, started once; the process ends with
// status 1 when it cannot start. Reads the desktop's resolution while no video
// mode is set.
void startSdl() {
    // sdl12-compat (SDL 1.2 on top of SDL2, what many systems ship as SDL 1.2)
    // draws an OpenGL program into a framebuffer object of its own and scales
    // that into the window at each swap. It only sees framebuffer bindings made
    // through SDL_GL_GetProcAddress; ours go to libGL directly, so binding 0
    // after the world pass would draw beside its object and leave the window
    // black. Drawing straight to the window is what the classic library does,
    // and it ignores the variable. A value set by the user is kept.
    setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
    const Uint32 sdlFlags = SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE | SDL_INIT_EVENTTHREAD;
    if (SDL_WasInit(sdlFlags) == 0) {
        double began = StartupTrace::now();
        if (SDL_Init(sdlFlags) < 0) {
            fprintf(stderr, "Error initializing SDL: %s\n", SDL_GetError());
            exit(1);
        }
        StartupTrace::note("SDL init", began);
    }
    if (desktopRead || Quenth::window) return;
    desktopRead = true;
    // Before the first SDL_SetVideoMode SDL 1.2 reports the desktop's mode here.
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    Quenth::desktopWidth = info && info->current_w > 0 ? info->current_w : 0;
    Quenth::desktopHeight = info && info->current_h > 0 ? info->current_h : 0;
}

// What every new window needs: its caption and the hidden system cursor.
void dressWindow() {
    SDL_WM_SetCaption(Quenth::title, nullptr);
    // The system cursor is hidden by a blank image, not by SDL_ShowCursor:
    // sdl12-compat keeps a full-screen window grabbed, and a hidden cursor in a
    // grabbed window turns on SDL2's relative mouse mode, in which the pointer
    // position is that layer's own sum of raw motion (from the centre, without
    // the desktop's acceleration) instead of where the pointer really is.
    static Uint8 blank[8] = {0}; // 8 x 8 pixels, one bit each: no image, no mask
    if (!cursor) cursor = SDL_CreateCursor(blank, blank, 8, 8, 0, 0);
    if (cursor)
        SDL_SetCursor(cursor);
    else
        SDL_ShowCursor(SDL_DISABLE);
}

// A new GL context is current: count it, give it the engine's hints and a
// probe texture by which the next mode change tells whether it survived.
void newContext() {
    Quenth::contextSerial++;
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_TEXTURE_COMPRESSION_HINT, GL_NICEST);
    glGenTextures(1, &probe);
    glBindTexture(GL_TEXTURE_2D, probe);
    glBindTexture(GL_TEXTURE_2D, 0);
}

} // namespace

bool Quenth::desktopSize(int& w, int& h) {
    startSdl();
    w = desktopWidth;
    h = desktopHeight;
    return w > 0 && h > 0;
}

void Quenth::init(int w, int h, const char* t, bool fs, bool vsync) {
    fullscreen = fs;
    startSdl();
    width = w < 1 ? 640 : w;
    height = h < 1 ? 480 : h;
    title = t ? t : "Demo";

    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, vsync ? 1 : 0);

    // With no display SDL2 (under sdl12-compat) falls back to its off-screen
    // driver and opens an invisible window that no one can close; the classic
    // library has no such driver and fails to open the window. Only a driver
    // asked for by name in SDL_VIDEODRIVER may be one without a screen.
    char driver[32] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    const char* asked = getenv("SDL_VIDEODRIVER");
    bool screenless = strcmp(driver, "offscreen") == 0 || strcmp(driver, "dummy") == 0;
    if (screenless && !(asked && strcmp(asked, driver) == 0)) {
        window = nullptr;
        SDL_SetError("no display (the %s video driver has no screen)", driver);
    } else {
        double began = StartupTrace::now();
        window = SDL_SetVideoMode(width, height, 32, videoFlags(fullscreen));
        StartupTrace::note("window and GL context", began);
    }
    // Without a window there is no GL context, and every GL call after this
    // would crash; say why and stop, as for a failed SDL start.
    if (!window) {
        fprintf(stderr, "Error opening the window: %s\n", SDL_GetError());
        SDL_Quit();
        exit(1);
    }
    double began = StartupTrace::now();
    dressWindow();

    Color::init();

    // The first gamepad, if any; without one nothing changes.
    if (!pad && SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0 && SDL_NumJoysticks() > 0) {
        pad = SDL_JoystickOpen(0);
        if (pad) SDL_JoystickEventState(SDL_ENABLE);
    }

    if (!events) {
        events = new GEvent();
        events->start();
    }

    newContext();
    StartupTrace::note("cursor, pad and event thread", began);
}

bool Quenth::setVideoMode(int w, int h, bool fs) {
    if (!window) return false;
    w = w < 1 ? 640 : w;
    h = h < 1 ? 480 : h;
    // No SDL call runs beside the mode change.
    if (events) events->stop();
    SDL_Surface* s = SDL_SetVideoMode(w, h, 32, videoFlags(fs));
    bool ok = s != nullptr;
    if (ok) {
        width = w;
        height = h;
        fullscreen = fs;
    } else {
        fprintf(stderr, "Cannot set the video mode %dx%d%s: %s\n", w, h, fs ? " full screen" : "",
                SDL_GetError());
        s = SDL_SetVideoMode(width, height, 32, videoFlags(fullscreen));
        if (!s) {
            fprintf(stderr, "Error opening the window: %s\n", SDL_GetError());
            SDL_Quit();
            exit(1);
        }
    }
    window = s;
    dressWindow();
    // The probe is a name only while its context lives: SDL 1.2 on X11 keeps
    // the context through a mode change, sdl12-compat makes a new one.
    if (!glIsTexture(probe)) newContext();
    if (events) events->start();
    return ok;
}

void Quenth::quit() {
    if (events) {
        events->stop();
        delete events;
        events = nullptr;
    }
    if (window && probe) glDeleteTextures(1, &probe);
    probe = 0;
    if (fullscreen && window) SDL_WM_ToggleFullScreen(window);
    if (cursor) SDL_FreeCursor(cursor);
    cursor = nullptr;
    if (pad) SDL_JoystickClose(pad);
    pad = nullptr;
    SDL_Quit();
    desktopRead = false;
    desktopWidth = desktopHeight = 0;
    window = nullptr;
    title = nullptr;
    width = height = 0;
    sync = 0.0f;
    sync16 = 0;
    currentTime = lastTime = 0;
    tm_current = tm_last = 0;
    autoexit = true;
}

void Quenth::update(bool swap) {
    if (events && events->quitRequested.load(std::memory_order_relaxed) && autoexit) {
        quit();
        exit(0);
    }
    tm_last = tm_current;
    tm_current = SDL_GetTicks();
    // A zero-length frame would stop every motion for a frame; one millisecond
    // of waiting avoids it.
    if (tm_current == tm_last) {
        SDL_Delay(1);
        tm_current = SDL_GetTicks();
    }
    currentTime = tm_current;
    lastTime = tm_last;
    uint32_t dt = tm_current - tm_last;
    sync = 0.001f * dt;
    sync16 = (int)(dt * 65.536);
    if (events) events->update();
    if (swap) SDL_GL_SwapBuffers();
    framenum++;
}

void Quenth::textInput(bool on) {
    if (!events || events->textWanted.load(std::memory_order_relaxed) == on) return;
    // What was typed before belongs to no one.
    events->typedNow[0] = 0;
    events->typedTail.store(events->typedHead.load(std::memory_order_acquire), std::memory_order_release);
    events->textWanted.store(on, std::memory_order_relaxed);
}

const char* Quenth::typed() {
    return events && events->textWanted.load(std::memory_order_relaxed) ? events->typedNow : "";
}

void Quenth::fillScreen() {
    static const float pos[8] = {-1, 1, 1, 1, 1, -1, -1, -1};
    static const float tex[8] = {0, 1, 1, 1, 1, 0, 0, 0};
    static const unsigned char col[16] = {255, 255, 255, 255, 255, 255, 255, 255,
                                          255, 255, 255, 255, 255, 255, 255, 255};
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, pos);
    glTexCoordPointer(2, GL_FLOAT, 0, tex);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, col);
    glDrawArrays(GL_QUADS, 0, 4);
}

bool Quenth::keyDown(int key) {
    if (!events || key < 0 || key >= MAX_KEYS) return false;
    return bitOf(events->keysNow, key);
}

bool Quenth::keyPressed(int key) {
    if (!events || key < 0 || key >= MAX_KEYS) return false;
    return bitOf(events->keysNow, key) && !bitOf(events->keysPrev, key);
}

bool Quenth::keyReleased(int key) {
    if (!events || key < 0 || key >= MAX_KEYS) return false;
    return !bitOf(events->keysNow, key) && bitOf(events->keysPrev, key);
}

int Quenth::mouseX() {
    return events ? events->mouseNowX : 0;
}
int Quenth::mouseY() {
    return events ? events->mouseNowY : 0;
}

bool Quenth::mouseDown(int button) {
    if (!events || button < 0 || button > 31) return false;
    return (events->buttonsNow >> button) & 1u;
}

bool Quenth::mousePressed(int button) {
    if (!events || button < 0 || button > 31) return false;
    return ((events->buttonsNow & ~events->buttonsPrev) >> button) & 1u;
}

bool Quenth::mouseReleased(int button) {
    if (!events || button < 0 || button > 31) return false;
    return ((~events->buttonsNow & events->buttonsPrev) >> button) & 1u;
}

bool Quenth::focusLost() {
    return events && events->focusLossesNow != events->focusLossesPrev;
}

bool Quenth::exposed() {
    return events && events->exposuresNow != events->exposuresPrev;
}

int Quenth::padAxis(int axis) {
    if (!events || axis < 0 || axis >= GEvent::PAD_AXES) return 0;
    return events->padAxesNow[axis];
}

int Quenth::padAxisPrev(int axis) {
    if (!events || axis < 0 || axis >= GEvent::PAD_AXES) return 0;
    return events->padAxesPrev[axis];
}

bool Quenth::padButtonDown(int button) {
    if (!events || button < 0 || button > 31) return false;
    return (events->padButtonsNow >> button) & 1u;
}

bool Quenth::padButtonPressed(int button) {
    if (!events || button < 0 || button > 31) return false;
    return ((events->padButtonsNow & ~events->padButtonsPrev) >> button) & 1u;
}

unsigned Quenth::padHat() {
    return events ? events->padHatNow : 0;
}

unsigned Quenth::padHatPrev() {
    return events ? events->padHatPrev : 0;
}

} // namespace quenth
