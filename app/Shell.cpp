#include "app/Shell.h"

#include "app/Display.h"
#include "app/Menu.h"
#include "app/NameEntry.h"
#include "app/OptionsPage.h"
#include "app/TitlePage.h"
#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Screenshot.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "engine/math/vec3.h"
#include "engine/util/DataDir.h"
#include "engine/util/StartupTrace.h"
#include "game/actors/EnemyShip.h"
#include "game/base/Arena.h"
#include "game/base/Controls.h"
#include "game/base/Fader.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "game/base/Sounds.h"
#include "game/hud/ScoreCounter.h"
#include "game/hud/ScreenshotNotice.h"
#include "game/world/Game.h"
#include "game/world/Starfield.h"
#include "scene/DirectScene2D.h"
#include "scene/Scene2D.h"
#include "scene/Sprite.h"
#include "scene/Text.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>

using quenth::GameClock;
using quenth::Quenth;
using quenth::StartupTrace;

Shell* g_shell = nullptr;

namespace {

void setFaderColor(float r, float g, float b) {
    g_fader->r = r;
    g_fader->g = g;
    g_fader->b = b;
    g_fader->a = 1.0f;
}

bool titleLeft() {
    return g_controls.menuChoose() || Quenth::mouseDown(1) || Quenth::mouseDown(2) || Quenth::mouseDown(3);
}

// The options page's display change: the new mode, then the pages placed for it.
bool applyDisplay(Settings const& s) {
    bool ok = Display::apply(s);
    g_shell->relayout();
    return ok;
}

double steadyMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

Shell::Shell()
    : saved(nullptr), keepScores(true), madeEntry(false), nameEntry(nullptr), title(nullptr),
      mainMenu(nullptr), pauseMenu(nullptr), gameOverPanel(nullptr), scoresPage(nullptr),
      controlsPage(nullptr), options(nullptr), returnTo(nullptr), sky(nullptr), veil(nullptr),
      pointer(nullptr), next(TO_MENU), paused(false), redraw(true), pageChanges(0), gamesStarted(0),
      screenshots(".", "screenshot_", ".bmp"), shotPending(false), quitAfterTitle(false), titleShown(false),
      openSound(false), startUpFinished(false), pointerX(-1), pointerY(-1) {}

Shell::~Shell() {
    hidePages();
    delete title;
    delete mainMenu;
    delete pauseMenu;
    delete gameOverPanel;
    delete scoresPage;
    delete controlsPage;
    delete nameEntry;
    delete options;
    delete sky;
    delete veil;
    delete pointer;
}

void Shell::startUp(int seed) {
    // Starts the frame clock and shows the new window black.
    double began = StartupTrace::now();
    endFrame(true);
    StartupTrace::note("first swap", began);
    Resources::onProgress = TitlePage::drawLoadingBar;
    Resources::load();
    Resources::onProgress = nullptr;

    g_rand.init(seed);
    began = StartupTrace::now();
    g_world = new Scene2D(-1, -1);
    g_world->worldSize = quenth::vec2(4096, 4096);
    StartupTrace::note("world scene and shaders", began);
    began = StartupTrace::now();
    g_hud = new DirectScene2D(-1, -1);
    g_fader = new Fader();
    runlevel = TITLE;
    // The back buffer still holds a loading bar: nothing to show from it.
    endFrame(false);
    setFaderColor(1, 1, 1);
    g_world->debugDraw = false;
    g_hud->debugDraw = false;

    // Flat shapes are a white texture tinted by the sprite's colour.
    quenth::Surface* s = new quenth::Surface(4, 4);
    for (int i = 0; i < 16; ++i) s->pixels[i] = 0xffffffff;
    Menu::white = new quenth::Texture(s);
    delete s;
    veil = new Sprite(Menu::white, 1, 1);
    veil->setBlendColor(0.0f, 0.0f, 0.02f, 0.6f);
    pointer = new Sprite(Resources::reticle_tex, 40, 40);
    sky = new Starfield(512);

    mainMenu = new Menu();
    mainMenu->addItem(PLAY_GAME, "Play");
    mainMenu->addItem(OPTIONS, "Options");
    mainMenu->addItem(SCORES, "High scores");
    mainMenu->addItem(CONTROLS, "Controls");
    mainMenu->addItem(QUIT, "Quit");

    pauseMenu = new Menu();
    pauseMenu->setHeading("Paused");
    pauseMenu->addItem(RESUME, "Resume");
    pauseMenu->addItem(RESTART, "Restart");
    pauseMenu->addItem(OPTIONS, "Options");
    pauseMenu->addItem(QUIT_TO_MENU, "Quit to menu");
    pauseMenu->addItem(QUIT_GAME, "Quit game");

    gameOverPanel = new Menu();
    gameOverPanel->setLine(2, "");
    gameOverPanel->addItem(PLAY_AGAIN, "Play again");
    gameOverPanel->addItem(MAIN_MENU, "Main menu");

    nameEntry = new NameEntry();

    scoresPage = new Menu();
    scoresPage->setHeading("High scores");
    scoresPage->addItem(BACK, "Back");

    controlsPage = new Menu();
    controlsPage->setHeading("Controls");
    controlsPage->addItem(BACK, "Back");

    options = new OptionsPage(&settings, saved);
    options->applyDisplay = applyDisplay;
    OptionsPage::applyKeys(settings);
    placePages();
    title = new TitlePage();
    StartupTrace::note("HUD scene, menus and title page", began);
}

void Shell::finishStartUp() {
    if (startUpFinished) return;
    startUpFinished = true;
    double began = StartupTrace::now();
    EnemyShip::prepareDrawing(g_world);
    StartupTrace::note("enemy drawing warm-up", began);
    began = StartupTrace::now();
    Arena::prepareDrawing(g_world);
    StartupTrace::note("explosion drawing warm-up", began);
    if (!openSound) return;
    loadMusic();
    applyVolumes();
    printf("Used texture memory: %f megabytes\n", (float)quenth::Texture::usedMemory * 9.5367431640625e-07);
}

void Shell::placePages() {
    float sw = (float)Quenth::getScreenWidth(), sh = (float)Quenth::getScreenHeight();
    veil->setSize(sw, sh);
    veil->position = quenth::vec3(sw * 0.5f, sh * 0.5f, 0);
    mainMenu->setLogo(Resources::title_tex, sh * 0.22f);
    // Below "Game Over", which the game puts 40 % down the screen; the table
    // after a new high score takes the whole screen, "Game Over" its heading.
    nameEntry->page.top = sh * 0.4f + 40;
    gameOverPanel->top = gameOverPanel->heading ? -1 : nameEntry->page.top;
}

void Shell::relayout() {
    // Out of the scene while placePages() makes its sprites again.
    Menu* page = g_menu;
    if (page) page->hide();
    placePages();
    sky->resize((float)Quenth::getScreenWidth(), (float)Quenth::getScreenHeight());
    if (page) showMenu(page);
    redraw = true;
}

void Shell::loadMusic() {
    double began = StartupTrace::now();
    SDL_InitSubSystem(SDL_INIT_AUDIO);
#if SDL_MIXER_MAJOR_VERSION * 10000 + SDL_MIXER_MINOR_VERSION * 100 + SDL_MIXER_PATCHLEVEL >= 10210
    Mix_Init(2);
#endif
    Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024);
    StartupTrace::note("audio device", began);
    began = StartupTrace::now();
    music = Mix_LoadMUS(quenth::DataDir::path("sfx/music1.ogg").c_str());
    StartupTrace::note("music", began);
    began = StartupTrace::now();
    Sounds::load();
    StartupTrace::note("sound effects", began);
}

void Shell::run() {
    while (runlevel != EXIT) frame();
}

void Shell::frame() {
    bool drawn = mustDraw();
    // The first title frame is timed for the start-up trace; no other.
    double began = titleShown ? 0 : StartupTrace::now();
    if (drawn) draw();
    endFrame(drawn);
    if (drawn && runlevel == TITLE && !titleShown) {
        titleShown = true;
        StartupTrace::note("first title frame", began);
        if (quitAfterTitle) runlevel = EXIT;
    }
    updateWorld();
    updatePages();
    pace();
}

bool Shell::mustDraw() const {
    if (redraw || shotPending || (g_menu && g_menu->changed)) return true;
    // The screenshot notice, until it has faded out.
    ScreenshotNotice const* notice = ScreenshotNotice::instance;
    if (notice && notice->parent && notice->color.a > 0) return true;
    if (runlevel == PLAY && !paused) return true;
    // A fade in progress, and the frame after it that lands it on its end.
    return !g_fader->done() || g_fader->alpha != g_fader->to;
}

void Shell::draw() {
    // The world's image covers the window; the title page has nothing in
    // the world, and the clear is its background.
    if (g_world->head)
        g_world->draw();
    else
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    g_hud->draw();
    g_fader->draw();
    writeScreenshot();
    redraw = false;
    if (g_menu) g_menu->changed = false;
}

void Shell::endFrame(bool drawn) {
    Quenth::update(drawn);
    GameClock::update();
}

void Shell::pace() {
    double wait = pacer.delay(steadyMs());
    if (wait > 0) std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(wait));
}

void Shell::updateWorld() {
    if (runlevel == PLAY && !paused) g_game->update();
}

void Shell::updatePages() {
    finishStartUp();
    // A second draw advances the fade value; its pixels are cleared by the
    // next frame's glClear (or never shown when no frame is drawn).
    g_fader->draw();
    if (Quenth::exposed()) redraw = true;

    switch (runlevel) {
        case TITLE:
            updateTitle();
            break;
        case MENU:
            updateMenu();
            break;
        case PLAY:
            updatePlay();
            break;
        case FADING:
            if (g_fader->done()) {
                g_fader->fadeIn(500);
                if (next == TO_GAME)
                    newGame();
                else
                    enterMenu();
            }
            break;
        default:
            break;
    }

    if (pointer->parent) {
        int x = Quenth::mouseX(), y = Quenth::mouseY();
        if (x != pointerX || y != pointerY) {
            pointerX = x;
            pointerY = y;
            pointer->position = quenth::vec3((float)x, (float)y, 0);
            redraw = true;
        }
    }

    screenshotKey();
    // The last frame waits for a screenshot still to be written.
    if (runlevel == QUITTING && g_fader->done() && !shotPending) runlevel = EXIT;
}

void Shell::screenshotKey() {
    if (!Quenth::keyPressed(SDLK_F1)) return;
    shotPending = true;
    // The picture does not show the notice of the last one.
    ScreenshotNotice::hideForShot();
}

void Shell::writeScreenshot() {
    if (!shotPending) return;
    shotPending = false;
    std::string name = quenth::Screenshot::saveNumbered(screenshots);
    if (name.empty()) return;
    ScreenshotNotice::announce(name.c_str());
    redraw = true;
}

void Shell::updateTitle() {
    if (title->update(Quenth::currentTime)) redraw = true;
    if (!g_fader->done()) return;
    if (titleLeft())
        fadeTo(TO_MENU, 1000);
    else if (g_controls.menuBack())
        quit();
}

void Shell::updateMenu() {
    // A page takes input once it has faded in.
    if (!g_fader->done() || !g_menu) return;
    Menu* page = g_menu;
    if (page == &options->menu) {
        updateOptions();
        return;
    }
    Menu::Event e = page->update();
    if (page != mainMenu) {
        // The high-score and controls pages: any choice or Escape goes back.
        if (e == Menu::BACK || e == Menu::CHOSEN) showMenu(mainMenu);
        return;
    }
    if (e == Menu::BACK) {
        quit();
        return;
    }
    if (e != Menu::CHOSEN) return;
    switch (page->chosenId) {
        case PLAY_GAME:
            fadeTo(TO_GAME, 1000);
            break;
        case OPTIONS:
            openOptions(mainMenu);
            break;
        case SCORES: {
            if (keepScores) scores.load();
            setLines(scoresPage, scores.text(true).c_str());
            int at = madeEntry ? scores.find(lastEntry) : -1;
            scoresPage->markLine(at >= 0 ? at + 1 : -1);
            showMenu(scoresPage);
            break;
        }
        case CONTROLS: {
            char text[1024];
            controlsText(settings, text, sizeof text);
            setLines(controlsPage, text);
            showMenu(controlsPage);
            break;
        }
        case QUIT:
            quit();
            break;
        default:
            break;
    }
}

void Shell::updateOptions() {
    OptionsPage::Result r = options->update();
    if (r == OptionsPage::MUSIC_CHANGED) applyMusicVolume();
    if (r == OptionsPage::EFFECTS_CHANGED) Sounds::setEffectsVolume((float)settings.effectsVolume);
    if (r == OptionsPage::LEAVE) showMenu(returnTo);
}

void Shell::updatePlay() {
    if (paused) {
        updatePaused();
        return;
    }
    if (!g_game->playing) {
        updateGameOver();
        return;
    }
    if (g_controls.pausePressed() || Quenth::focusLost()) pause();
}

void Shell::updatePaused() {
    // No fade leads into a pause, so the menu takes input at once, also while
    // a power-up's white flash is still fading over the frozen world.
    if (!g_menu) return;
    if (g_menu == &options->menu) {
        updateOptions();
        return;
    }
    if (g_controls.pausePressed()) {
        resume();
        return;
    }
    Menu::Event e = pauseMenu->update();
    if (e == Menu::BACK) {
        resume();
        return;
    }
    if (e != Menu::CHOSEN) return;
    switch (pauseMenu->chosenId) {
        case RESUME:
            resume();
            break;
        case RESTART:
            setFaderColor(0, 0, 0);
            g_fader->fadeIn(300);
            newGame();
            break;
        case OPTIONS:
            openOptions(pauseMenu);
            break;
        case QUIT_TO_MENU:
            fadeTo(TO_MENU, 500);
            break;
        case QUIT_GAME:
            quit();
            break;
        default:
            break;
    }
}

void Shell::updateGameOver() {
    if (g_menu == &nameEntry->page) {
        NameEntry::Result r = nameEntry->update();
        if (r == NameEntry::CHANGED) ++pageChanges; // the field's text is made anew
        if (r == NameEntry::DONE) keepEntry();
        return;
    }
    // The figures come up once "Game Over" has faded in.
    if (g_menu != gameOverPanel) {
        if ((float)GameClock::currentTime < g_game->gameOverEnd) return;
        char line[64];
        // Another game may have saved meanwhile.
        if (keepScores) scores.load();
        if (scores.qualifies(g_game->scoreCounter->value)) {
            figuresLine(line, sizeof line);
            nameEntry->begin(line, HighScores::defaultName());
            showMenu(&nameEntry->page);
            Quenth::textInput(true);
            return;
        }
        gameOverPanel->setHeading(nullptr);
        gameOverPanel->top = nameEntry->page.top;
        snprintf(line, sizeof line, "Score %d", g_game->scoreCounter->value);
        gameOverPanel->setLine(0, line);
        snprintf(line, sizeof line, "Wave %d", g_game->wave);
        gameOverPanel->setLine(1, line);
        snprintf(line, sizeof line, "Kills %d", g_game->kills);
        gameOverPanel->setLine(2, line);
        gameOverPanel->keepLines(3);
        gameOverPanel->markLine(-1);
        gameOverPanel->select(PLAY_AGAIN);
        showMenu(gameOverPanel);
        return;
    }
    if (!g_fader->done()) return;
    Menu::Event e = gameOverPanel->update();
    if (e == Menu::BACK || (e == Menu::CHOSEN && gameOverPanel->chosenId == MAIN_MENU)) {
        fadeTo(TO_MENU, 500);
    } else if (e == Menu::CHOSEN && gameOverPanel->chosenId == PLAY_AGAIN) {
        setFaderColor(0, 0, 0);
        g_fader->fadeIn(300);
        newGame();
    }
}

void Shell::keepEntry() {
    Quenth::textInput(false);
    lastEntry = ScoreEntry(nameEntry->result(), g_game->scoreCounter->value, g_game->wave, g_game->kills,
                           g_game->chosenDifficulty, (long long)time(nullptr));
    madeEntry = true;
    // A table that cannot be saved is still shown, with the entry, for this
    // run; HighScores::save() says once where it could not be saved.
    bool kept = true;
    if (keepScores) {
        scores.add(lastEntry);
        kept = scores.save();
    } else {
        scores.insert(lastEntry);
    }
    int at = scores.find(lastEntry);

    // The table needs the room of the whole screen: "Game Over" moves up
    // into the panel's heading.
    g_game->gameOverText->setVisible(false);
    gameOverPanel->setHeading("Game Over");
    gameOverPanel->top = -1;
    char figures[64];
    figuresLine(figures, sizeof figures);
    std::string text = std::string(figures) + "\n\n" + scores.text(true);
    if (!kept) text += "\nNot saved: the file cannot be written (see the terminal)";
    setLines(gameOverPanel, text.c_str());
    gameOverPanel->markLine(at >= 0 ? at + 3 : -1);
    gameOverPanel->select(PLAY_AGAIN);
    showMenu(gameOverPanel);
}

void Shell::figuresLine(char* out, int size) const {
    snprintf(out, size, "Score %d   Wave %d   Kills %d", g_game->scoreCounter->value, g_game->wave,
             g_game->kills);
}

void Shell::fadeTo(Next n, unsigned ms) {
    setFaderColor(0, 0, 0);
    g_fader->fadeOut(ms);
    next = n;
    runlevel = FADING;
}

void Shell::quit() {
    setFaderColor(0, 0, 0);
    g_fader->fadeOut(1000);
    Mix_FadeOutMusic(950);
    Sounds::fadeOutAll(950);
    runlevel = QUITTING;
}

void Shell::enterMenu() {
    hidePages();
    delete title;
    title = nullptr;
    delete g_game;
    g_game = nullptr;
    paused = false;
    GameClock::paused = false;
    Sounds::endPlay(200);
    g_hud->clear();
    g_world->clear();
    g_world->add(sky);
    showMenu(mainMenu);
    runlevel = MENU;
    if (music && !Mix_PlayingMusic()) Mix_PlayMusic(music, -1);
    applyMusicVolume();
}

void Shell::newGame() {
    hidePages();
    delete title;
    title = nullptr;
    paused = false;
    GameClock::paused = false;
    Sounds::endPlay(200);
    delete g_game;
    g_game = new Game();
    g_game->setDifficulty(settings.difficulty);
    g_game->init();
    ++gamesStarted;
    runlevel = PLAY;
    redraw = true;
    if (music && !Mix_PlayingMusic()) Mix_PlayMusic(music, -1);
    applyMusicVolume();
}

void Shell::pause() {
    paused = true;
    GameClock::paused = true;
    Sounds::pause(true);
    g_hud->add(veil);
    pauseMenu->select(RESUME);
    showMenu(pauseMenu);
    applyMusicVolume();
}

void Shell::resume() {
    hidePages();
    paused = false;
    GameClock::paused = false;
    Sounds::pause(false);
    redraw = true;
    applyMusicVolume();
}

void Shell::showMenu(Menu* m) {
    if (g_menu) g_menu->hide();
    m->show();
    g_menu = m;
    // The pointer stays in front of every page.
    g_hud->add(pointer);
    pointerX = pointerY = -1;
    ++pageChanges;
    redraw = true;
}

void Shell::hidePages() {
    if (g_menu) g_menu->hide();
    g_menu = nullptr;
    if (veil) veil->remove();
    if (pointer) pointer->remove();
    ++pageChanges;
    redraw = true;
}

void Shell::openOptions(Menu* from) {
    returnTo = from;
    options->capturing = -1;
    options->refresh();
    options->menu.select(OptionsPage::DISPLAY);
    showMenu(&options->menu);
}

void Shell::applyMusicVolume() {
    Sounds::setMusicVolume(settings.musicVolume * (paused ? 0.25f : 1.0f));
}

void Shell::applyVolumes() {
    applyMusicVolume();
    Sounds::setEffectsVolume((float)settings.effectsVolume);
}

void Shell::setLines(Menu* page, char const* text) {
    unsigned n = 0;
    for (char const* p = text; *p;) {
        char const* end = strchr(p, '\n');
        size_t len = end ? (size_t)(end - p) : strlen(p);
        std::string line(p, len);
        page->setLine(n++, line.c_str());
        p += len;
        if (*p) ++p;
    }
    page->keepLines(n);
}

void Shell::controlsText(Settings const& s, char* out, int size) {
    char up[32], left[32], down[32], right[32];
    OptionsPage::keyLabel(s.keyUp, up, sizeof up);
    OptionsPage::keyLabel(s.keyLeft, left, sizeof left);
    OptionsPage::keyLabel(s.keyDown, down, sizeof down);
    OptionsPage::keyLabel(s.keyRight, right, sizeof right);
    char keys[160];
    snprintf(keys, sizeof keys, "%s %s %s %s", up, left, down, right);
    snprintf(out, size,
             "%-24s thrust up, left, down, right\n"
             "%-24s thrust as well\n"
             "%-24s aim\n"
             "%-24s plasma bolts\n"
             "%-24s laser beam\n"
             "%-24s pause and resume\n"
             "%-24s save a screenshot\n"
             "\n"
             "%-24s move in a menu\n"
             "%-24s choose\n"
             "%-24s change an option\n"
             "%-24s back (quit on the main menu)",
             keys, "Arrow keys", "Mouse", "Left button", "Right button", "P, Pause or Escape", "F1",
             "Up/Down or W/S", "Return, Space or click", "Left/Right or A/D", "Escape");
}
