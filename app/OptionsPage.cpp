#include "app/OptionsPage.h"

#include "app/Display.h"
#include "engine/core/Quenth.h"
#include "game/base/Controls.h"
#include "game/settings/KeyNames.h"
#include "game/settings/Settings.h"

#include <SDL/SDL.h>

#include <cctype>
#include <cstdio>
#include <cstring>

using quenth::Quenth;

namespace {

char const* const displayLabels[] = {"Desktop", "Window", "Full screen"};
char const* const difficultyLabels[] = {"Easy", "Normal", "Hard"};

// The settings' thrust key of a key row.
SDLKey& keyOf(Settings& s, int row) {
    switch (row) {
        case OptionsPage::KEY_UP:
            return s.keyUp;
        case OptionsPage::KEY_DOWN:
            return s.keyDown;
        case OptionsPage::KEY_LEFT:
            return s.keyLeft;
        default:
            return s.keyRight;
    }
}

} // namespace

OptionsPage::OptionsPage(Settings* run, Settings* file)
    : settings(run), file(file), capturing(-1), displayFailed(false), applyDisplay(nullptr) {
    menu.setHeading("Options");
    menu.addItem(DISPLAY, "Display", true);
    menu.addItem(WINDOW_SIZE, "Window size", true);
    menu.addItem(MUSIC, "Music volume", true);
    menu.addItem(EFFECTS, "Effects volume", true);
    menu.addItem(DIFFICULTY, "Difficulty", true);
    menu.addItem(KEY_UP, "Thrust up", true);
    menu.addItem(KEY_DOWN, "Thrust down", true);
    menu.addItem(KEY_LEFT, "Thrust left", true);
    menu.addItem(KEY_RIGHT, "Thrust right", true);
    menu.addItem(BACK, "Back");
    refresh();
}

void OptionsPage::keyLabel(int key, char* out, int size) {
    char const* name = KeyNames::name((SDLKey)key);
    snprintf(out, size, "%s", name ? name : "?");
    out[0] = (char)toupper((unsigned char)out[0]);
}

void OptionsPage::refresh() {
    char text[64];
    menu.setValue(DISPLAY, displayLabels[settings->display]);
    snprintf(text, sizeof text, "%dx%d", settings->windowWidth, settings->windowHeight);
    menu.setValue(WINDOW_SIZE, text);
    snprintf(text, sizeof text, "%d%%", settings->musicVolume);
    menu.setValue(MUSIC, text);
    snprintf(text, sizeof text, "%d%%", settings->effectsVolume);
    menu.setValue(EFFECTS, text);
    menu.setValue(DIFFICULTY, difficultyLabels[settings->difficulty]);
    for (int row = KEY_UP; row <= KEY_RIGHT; ++row) {
        if (row == capturing) {
            menu.setValue(row, "press a key");
        } else {
            keyLabel(keyOf(*settings, row), text, sizeof text);
            menu.setValue(row, text);
        }
    }
    unsigned n = 0;
    if (capturing >= 0) menu.setLine(n++, "Press the new key; Escape keeps the old one.");
    if (displayFailed) menu.setLine(n++, "That display could not be set; the last one stays.");
    menu.keepLines(n);
    if (menu.shown) menu.layout();
}

OptionsPage::Result OptionsPage::change(int row, int step) {
    Settings& s = *settings;
    Settings::Key key = row == MUSIC     ? Settings::MUSIC_VOLUME
                        : row == EFFECTS ? Settings::EFFECTS_VOLUME
                                         : Settings::DIFFICULTY;
    DisplayMode oldDisplay = s.display;
    int oldWidth = s.windowWidth, oldHeight = s.windowHeight;
    Result r = STAY;
    switch (row) {
        case DISPLAY:
            s.display = (DisplayMode)(((int)s.display + step + 3) % 3);
            r = DISPLAY_CHANGED;
            break;
        case WINDOW_SIZE: {
            // The next size of the list up or down from the current one, which
            // may be a size of the player's own from the file.
            Display::Mode const* sizes = Display::windowSizes;
            int area = s.windowWidth * s.windowHeight, pick = -1;
            for (int i = 0; i < Display::windowSizeCount; ++i) {
                int a = sizes[i].width * sizes[i].height;
                bool same = sizes[i].width == s.windowWidth && sizes[i].height == s.windowHeight;
                if (same) continue;
                if (step > 0 && a >= area && pick < 0) pick = i;
                if (step < 0 && a <= area) pick = i;
            }
            if (pick < 0) return STAY;
            s.windowWidth = sizes[pick].width;
            s.windowHeight = sizes[pick].height;
            r = DISPLAY_CHANGED;
            break;
        }
        case MUSIC:
        case EFFECTS: {
            int& v = row == MUSIC ? s.musicVolume : s.effectsVolume;
            // To the next multiple of ten that way.
            int n = step > 0 ? (v / 10 + 1) * 10 : (v + 9) / 10 * 10 - 10;
            n = n < 0 ? 0 : n > 100 ? 100 : n;
            if (n == v) return STAY;
            v = n;
            r = row == MUSIC ? MUSIC_CHANGED : EFFECTS_CHANGED;
            break;
        }
        case DIFFICULTY:
            s.difficulty = (Difficulty)(((int)s.difficulty + step + 3) % 3);
            break;
        default:
            return STAY;
    }
    if (r == DISPLAY_CHANGED) {
        displayFailed = applyDisplay && !applyDisplay(s);
        if (displayFailed) {
            s.display = oldDisplay;
            s.windowWidth = oldWidth;
            s.windowHeight = oldHeight;
            refresh();
            return STAY;
        }
        // What the player now sees is the two together (the size may have
        // come from the command line).
        keep(Settings::DISPLAY);
        keep(Settings::WINDOW_SIZE);
    } else {
        keep(key);
    }
    refresh();
    return r;
}

bool OptionsPage::bind(int row, int key) {
    // P and Pause pause the game; Escape and F1 have their own work.
    if (row < KEY_UP || row > KEY_RIGHT || key == SDLK_p || key == SDLK_PAUSE ||
        !KeyNames::bindable((SDLKey)key))
        return false;
    SDLKey& mine = keyOf(*settings, row);
    for (int other = KEY_UP; other <= KEY_RIGHT; ++other) {
        SDLKey& theirs = keyOf(*settings, other);
        if (other != row && theirs == key) theirs = mine;
    }
    mine = (SDLKey)key;
    for (int k = Settings::KEY_UP; k <= Settings::KEY_RIGHT; ++k) keep(k);
    applyKeys(*settings);
    return true;
}

void OptionsPage::keep(int key) {
    if (!file) return;
    file->set((Settings::Key)key, settings->value((Settings::Key)key));
    file->save();
}

void OptionsPage::applyKeys(Settings const& s) {
    g_controls.bindThrustKeys(s.keyUp, s.keyDown, s.keyLeft, s.keyRight);
}

OptionsPage::Result OptionsPage::update() {
    if (capturing >= 0) {
        int row = capturing;
        if (Quenth::keyPressed(SDLK_ESCAPE)) {
            capturing = -1;
            refresh();
            return STAY;
        }
        for (int k = 1; k < SDLK_LAST; ++k) {
            if (k == SDLK_ESCAPE || !Quenth::keyPressed(k)) continue;
            if (!bind(row, k)) continue;
            capturing = -1;
            refresh();
            return KEYS_CHANGED;
        }
        return STAY;
    }
    switch (menu.update()) {
        case Menu::BACK:
            return LEAVE;
        case Menu::CHANGED:
            return change(menu.chosenId, menu.step);
        case Menu::CHOSEN:
            if (menu.chosenId == BACK) return LEAVE;
            if (menu.chosenId >= KEY_UP && menu.chosenId <= KEY_RIGHT) {
                capturing = menu.chosenId;
                refresh();
                return STAY;
            }
            return change(menu.chosenId, 1);
        default:
            return STAY;
    }
}
