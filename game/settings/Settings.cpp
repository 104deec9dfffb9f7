#include "game/settings/Settings.h"

#include "engine/util/AtomicFile.h"
#include "engine/util/BaseDirs.h"
#include "engine/util/Files.h"
#include "game/settings/KeyNames.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

using quenth::AtomicFile;
using quenth::Files;

char const* const Settings::keyNames[keyCount] = {"display",        "window_size", "music_volume",
                                                  "effects_volume", "difficulty",  "key_up",
                                                  "key_down",       "key_left",    "key_right"};

namespace {

char const* const displayNames[] = {"desktop", "window", "fullscreen"};

std::string trimmed(std::string const& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return s.substr(b, e - b);
}

// A decimal number of at most five digits, nothing else.
bool parseSmall(std::string const& s, int& out) {
    if (s.empty() || s.size() > 5) return false;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

bool parsePercent(std::string const& s, int& out) {
    int v;
    if (!parseSmall(s, v) || v > 100) return false;
    out = v;
    return true;
}

bool parseKey(std::string const& s, SDLKey& out) {
    SDLKey k = KeyNames::key(s.c_str());
    if (!KeyNames::bindable(k)) return false;
    out = k;
    return true;
}

std::string keyText(SDLKey k) {
    char const* n = KeyNames::name(k);
    return n ? n : "unknown key";
}

// Splits a "key = value" line into its trimmed halves; false for comments,
// blank lines and lines without "=" (bad tells the last apart).
bool splitLine(std::string const& line, std::string& key, std::string& value, bool& bad) {
    std::string t = trimmed(line);
    size_t eq = t.find('=');
    bad = !t.empty() && t[0] != '#' && eq == std::string::npos;
    if (t.empty() || t[0] == '#' || eq == std::string::npos) return false;
    key = trimmed(t.substr(0, eq));
    value = trimmed(t.substr(eq + 1));
    return true;
}

} // namespace

Settings::Settings() : rejected(false), saveWarned(false) {
    for (int k = 0; k < keyCount; ++k) {
        setDefault((Key)k);
        saved[k] = value((Key)k);
    }
}

std::string Settings::defaultPath() {
    std::string base = quenth::BaseDirs::configHome();
    return base.empty() ? "" : base + "/vorlane/vorlane.conf";
}

void Settings::setDefault(Key key) {
    switch (key) {
        case DISPLAY:
            display = DISPLAY_DESKTOP;
            break;
        case WINDOW_SIZE:
            windowWidth = 1280;
            windowHeight = 720;
            break;
        case MUSIC_VOLUME:
            musicVolume = 70;
            break;
        case EFFECTS_VOLUME:
            effectsVolume = 80;
            break;
        case DIFFICULTY:
            difficulty = DIFFICULTY_NORMAL;
            break;
        case KEY_UP:
            keyUp = SDLK_w;
            break;
        case KEY_DOWN:
            keyDown = SDLK_s;
            break;
        case KEY_LEFT:
            keyLeft = SDLK_a;
            break;
        case KEY_RIGHT:
            keyRight = SDLK_d;
            break;
    }
}

int Settings::keyIndex(std::string const& name) {
    for (int k = 0; k < keyCount; ++k)
        if (name == keyNames[k]) return k;
    return -1;
}

bool Settings::set(Key key, std::string const& value) {
    // Words are read in any case, as the key names are.
    std::string text = value;
    for (char& c : text) c = (char)tolower((unsigned char)c);
    switch (key) {
        case DISPLAY:
            for (int i = DISPLAY_DESKTOP; i <= DISPLAY_FULLSCREEN; ++i) {
                if (text == displayNames[i]) {
                    display = (DisplayMode)i;
                    return true;
                }
            }
            return false;
        case WINDOW_SIZE: {
            size_t x = text.find('x');
            int w, h;
            if (x == std::string::npos || !parseSmall(text.substr(0, x), w) ||
                !parseSmall(text.substr(x + 1), h))
                return false;
            if (w < minWindowWidth || h < minWindowHeight || w > maxWindowSide || h > maxWindowSide)
                return false;
            windowWidth = w;
            windowHeight = h;
            return true;
        }
        case MUSIC_VOLUME:
            return parsePercent(text, musicVolume);
        case EFFECTS_VOLUME:
            return parsePercent(text, effectsVolume);
        case DIFFICULTY:
            return parseDifficulty(text.c_str(), difficulty);
        case KEY_UP:
            return parseKey(text, keyUp);
        case KEY_DOWN:
            return parseKey(text, keyDown);
        case KEY_LEFT:
            return parseKey(text, keyLeft);
        case KEY_RIGHT:
            return parseKey(text, keyRight);
    }
    return false;
}

std::string Settings::value(Key key) const {
    switch (key) {
        case DISPLAY:
            return displayNames[display >= DISPLAY_DESKTOP && display <= DISPLAY_FULLSCREEN ? display : 0];
        case WINDOW_SIZE:
            return std::to_string(windowWidth) + "x" + std::to_string(windowHeight);
        case MUSIC_VOLUME:
            return std::to_string(musicVolume);
        case EFFECTS_VOLUME:
            return std::to_string(effectsVolume);
        case DIFFICULTY:
            return difficultyName(difficulty);
        case KEY_UP:
            return keyText(keyUp);
        case KEY_DOWN:
            return keyText(keyDown);
        case KEY_LEFT:
            return keyText(keyLeft);
        case KEY_RIGHT:
            return keyText(keyRight);
    }
    return "";
}

void Settings::load() {
    load(defaultPath());
}

void Settings::load(std::string const& file) {
    path = file;
    lines.clear();
    rejected = false;
    for (int k = 0; k < keyCount; ++k) setDefault((Key)k);
    std::string text;
    bool tooBig = false;
    if (path.empty()) {
        // Nowhere to keep them: save() says so if an option changes.
    } else if (!Files::read(path, maxFileSize, text, tooBig)) {
        if (errno != ENOENT) {
            fprintf(stderr, "vorlane: could not read %s: %s; using the default settings\n", path.c_str(),
                    strerror(errno));
            rejected = true;
        }
    } else if (tooBig) {
        fprintf(stderr, "vorlane: %s is larger than %u KiB; using the default settings\n", path.c_str(),
                (unsigned)(maxFileSize / 1024));
        rejected = true;
    } else if (!Files::isText(text)) {
        fprintf(stderr, "vorlane: %s is not a text file; using the default settings\n", path.c_str());
        rejected = true;
    } else {
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        for (size_t i = 0; i < lines.size(); ++i) applyLine(lines[i], (int)i + 1);
    }
    for (int k = 0; k < keyCount; ++k) saved[k] = value((Key)k);
}

void Settings::applyLine(std::string const& line, int lineNumber) {
    std::string key, v;
    bool bad;
    if (!splitLine(line, key, v, bad)) {
        if (bad)
            fprintf(stderr, "vorlane: %s:%d: not a \"key = value\" line; ignored\n", path.c_str(),
                    lineNumber);
        return;
    }
    int k = keyIndex(key);
    if (k < 0 || set((Key)k, v)) return;
    setDefault((Key)k);
    fprintf(stderr, "vorlane: %s:%d: bad value \"%s\" for %s; using the default, %s\n", path.c_str(),
            lineNumber, v.c_str(), keyNames[k], value((Key)k).c_str());
}

bool Settings::save() {
    bool changed[keyCount];
    bool any = false;
    for (int k = 0; k < keyCount; ++k) {
        changed[k] = value((Key)k) != saved[k];
        any = any || changed[k];
    }
    if (!any) return true;
    if (path.empty()) {
        saveFailed("there is no home directory");
        return false;
    }
    // A file that could not be read is kept aside before it is replaced.
    if (rejected) {
        std::string copy = Files::backup(path);
        if (copy.empty() && errno != ENOENT) {
            saveFailed((std::string("its old contents could not be backed up: ") + strerror(errno)).c_str());
            return false;
        }
        if (!copy.empty()) fprintf(stderr, "vorlane: the old %s is kept as %s\n", path.c_str(), copy.c_str());
        rejected = false;
        lines.clear();
    }
    std::vector<std::string> out = lines;
    if (out.empty())
        out.push_back("# vorlane settings: \"key = value\" lines; a line starting with # is a comment");
    bool written[keyCount] = {};
    for (std::string& line : out) {
        std::string key, v;
        bool bad;
        int k = splitLine(line, key, v, bad) ? keyIndex(key) : -1;
        if (k >= 0 && changed[k]) {
            line = std::string(keyNames[k]) + " = " + value((Key)k);
            written[k] = true;
        }
    }
    for (int k = 0; k < keyCount; ++k)
        if (changed[k] && !written[k]) out.push_back(std::string(keyNames[k]) + " = " + value((Key)k));
    std::string text;
    for (std::string const& line : out) text += line + "\n";
    if (!AtomicFile::write(path, text)) {
        saveFailed(strerror(errno));
        return false;
    }
    lines = out;
    for (int k = 0; k < keyCount; ++k) saved[k] = value((Key)k);
    return true;
}

void Settings::saveFailed(char const* why) {
    if (saveWarned) return;
    saveWarned = true;
    fprintf(stderr, "vorlane: could not save the settings to %s: %s; the options hold for this run only\n",
            path.empty() ? "the settings file" : path.c_str(), why);
}
