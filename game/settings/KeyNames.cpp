#include "game/settings/KeyNames.h"

#include <strings.h>

KeyNames::Entry const KeyNames::table[] = {
    {SDLK_a, "a"},
    {SDLK_b, "b"},
    {SDLK_c, "c"},
    {SDLK_d, "d"},
    {SDLK_e, "e"},
    {SDLK_f, "f"},
    {SDLK_g, "g"},
    {SDLK_h, "h"},
    {SDLK_i, "i"},
    {SDLK_j, "j"},
    {SDLK_k, "k"},
    {SDLK_l, "l"},
    {SDLK_m, "m"},
    {SDLK_n, "n"},
    {SDLK_o, "o"},
    {SDLK_p, "p"},
    {SDLK_q, "q"},
    {SDLK_r, "r"},
    {SDLK_s, "s"},
    {SDLK_t, "t"},
    {SDLK_u, "u"},
    {SDLK_v, "v"},
    {SDLK_w, "w"},
    {SDLK_x, "x"},
    {SDLK_y, "y"},
    {SDLK_z, "z"},
    {SDLK_0, "0"},
    {SDLK_1, "1"},
    {SDLK_2, "2"},
    {SDLK_3, "3"},
    {SDLK_4, "4"},
    {SDLK_5, "5"},
    {SDLK_6, "6"},
    {SDLK_7, "7"},
    {SDLK_8, "8"},
    {SDLK_9, "9"},
    {SDLK_UP, "up"},
    {SDLK_DOWN, "down"},
    {SDLK_LEFT, "left"},
    {SDLK_RIGHT, "right"},
    {SDLK_SPACE, "space"},
    {SDLK_RETURN, "return"},
    {SDLK_TAB, "tab"},
    {SDLK_BACKSPACE, "backspace"},
    {SDLK_ESCAPE, "escape"},
    {SDLK_INSERT, "insert"},
    {SDLK_DELETE, "delete"},
    {SDLK_HOME, "home"},
    {SDLK_END, "end"},
    {SDLK_PAGEUP, "page up"},
    {SDLK_PAGEDOWN, "page down"},
    {SDLK_LSHIFT, "left shift"},
    {SDLK_RSHIFT, "right shift"},
    {SDLK_LCTRL, "left ctrl"},
    {SDLK_RCTRL, "right ctrl"},
    {SDLK_LALT, "left alt"},
    {SDLK_RALT, "right alt"},
    {SDLK_CAPSLOCK, "caps lock"},
    {SDLK_KP0, "[0]"},
    {SDLK_KP1, "[1]"},
    {SDLK_KP2, "[2]"},
    {SDLK_KP3, "[3]"},
    {SDLK_KP4, "[4]"},
    {SDLK_KP5, "[5]"},
    {SDLK_KP6, "[6]"},
    {SDLK_KP7, "[7]"},
    {SDLK_KP8, "[8]"},
    {SDLK_KP9, "[9]"},
    {SDLK_KP_PERIOD, "[.]"},
    {SDLK_KP_DIVIDE, "[/]"},
    {SDLK_KP_MULTIPLY, "[*]"},
    {SDLK_KP_MINUS, "[-]"},
    {SDLK_KP_PLUS, "[+]"},
    {SDLK_KP_ENTER, "enter"},
    {SDLK_F1, "f1"},
    {SDLK_F2, "f2"},
    {SDLK_F3, "f3"},
    {SDLK_F4, "f4"},
    {SDLK_F5, "f5"},
    {SDLK_F6, "f6"},
    {SDLK_F7, "f7"},
    {SDLK_F8, "f8"},
    {SDLK_F9, "f9"},
    {SDLK_F10, "f10"},
    {SDLK_F11, "f11"},
    {SDLK_F12, "f12"},
    {SDLK_MINUS, "-"},
    {SDLK_EQUALS, "="},
    {SDLK_LEFTBRACKET, "["},
    {SDLK_RIGHTBRACKET, "]"},
    {SDLK_BACKSLASH, "\\"},
    {SDLK_SEMICOLON, ";"},
    {SDLK_QUOTE, "'"},
    {SDLK_BACKQUOTE, "`"},
    {SDLK_COMMA, ","},
    {SDLK_PERIOD, "."},
    {SDLK_SLASH, "/"},
    {SDLK_LESS, "<"},
};

int const KeyNames::count = (int)(sizeof table / sizeof table[0]);

char const* KeyNames::name(SDLKey key) {
    for (int i = 0; i < count; ++i)
        if (table[i].key == key) return table[i].name;
    return nullptr;
}

SDLKey KeyNames::key(char const* name) {
    if (!name) return SDLK_UNKNOWN;
    for (int i = 0; i < count; ++i)
        if (strcasecmp(table[i].name, name) == 0) return table[i].key;
    return SDLK_UNKNOWN;
}

bool KeyNames::bindable(SDLKey key) {
    return key != SDLK_ESCAPE && key != SDLK_F1 && name(key) != nullptr;
}
