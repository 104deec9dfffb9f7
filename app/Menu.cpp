#include "app/Menu.h"

#include "engine/core/Quenth.h"
#include "engine/gfx/Texture.h"
#include "engine/math/vec3.h"
#include "game/base/Controls.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "game/base/Sounds.h"
#include "scene/DirectScene2D.h"
#include "scene/Sprite.h"
#include "scene/Text.h"

#include <SDL/SDL.h>

using quenth::Quenth;

quenth::Texture* Menu::white = nullptr;

namespace {

// Colours of the page, 0-1.
const Text::RGBAf HEADING = {1.0f, 1.0f, 1.0f, 1.0f};
const Text::RGBAf BODY = {0.85f, 0.85f, 0.88f, 1.0f};
const Text::RGBAf ITEM = {0.72f, 0.74f, 0.80f, 1.0f};
const Text::RGBAf SELECTED = {0.55f, 0.90f, 1.0f, 1.0f};
const Text::RGBAf MARKED = {1.0f, 0.82f, 0.35f, 1.0f};

// Spacing, pixels.
const float LOGO_GAP = 24;    // below the logo
const float HEADING_GAP = 26; // below the heading
const float LINE_GAP = 8;     // between body lines
const float BODY_GAP = 30;    // between the body and the items
const float ROW_PAD = 7;      // above and below an item's text: the row the mouse and the bar cover
const float VALUE_GAP = 24;   // between a label and its value, either side of the centre line
const float MARGIN = 20;      // the least space kept above a page

void place(Text* t, float x, float y, HotSpotLocation where) {
    t->position = quenth::vec3(x, y, 0);
    t->setHotSpot(where);
}

} // namespace

Menu::Menu()
    : logo(nullptr), heading(nullptr), lines(16), items(8), bar(nullptr), top(-1), selected(-1),
      markedLine(-1), chosenId(-1), mouseX(-1), mouseY(-1), shown(false), changed(true) {
    bar = new Sprite(white, 1, 1);
    bar->setBlendColor(0.2f, 0.5f, 0.8f, 0.3f);
}

Menu::~Menu() {
    hide();
    delete logo;
    delete heading;
    for (unsigned i = 0; i < lines.count; ++i) delete lines[i];
    for (unsigned i = 0; i < items.count; ++i) {
        delete items[i].label;
        delete items[i].value;
    }
    delete bar;
}

void Menu::setLogo(quenth::Texture* texture, float height) {
    delete logo;
    logo = nullptr;
    // A logo that could not be loaded takes no room.
    if (!texture || texture->width == 0 || texture->height == 0) return;
    float aspect = (texture->width * texture->uExtent) / (texture->height * texture->vExtent);
    logo = new Sprite(texture, height * aspect, height);
}

void Menu::setHeading(char const* text) {
    if (!text) {
        if (heading) heading->remove();
        delete heading;
        heading = nullptr;
        changed = true;
        return;
    }
    if (!heading) heading = new Text(Resources::font_big, text);
    heading->setText(text);
    heading->color = HEADING;
}

void Menu::addLine(char const* text) {
    Text* t = new Text(Resources::font_medium, text);
    t->color = BODY;
    lines.push(t);
    if (shown) g_hud->add(t);
}

void Menu::setLine(unsigned i, char const* text) {
    while (lines.count <= i) addLine("");
    lines[i]->setText(text);
}

void Menu::keepLines(unsigned count) {
    while (lines.count > count) delete lines.pop();
}

void Menu::markLine(int i) {
    markedLine = i;
    paint();
    changed = true;
}

void Menu::addItem(int id, char const* label, bool withValue) {
    Item it;
    it.id = id;
    it.label = new Text(Resources::font_big, label);
    it.value = withValue ? new Text(Resources::font_big, "") : nullptr;
    it.top = it.bottom = 0;
    items.push(it);
    if (selected < 0) selected = 0;
}

void Menu::setValue(int id, char const* text) {
    int i = indexOf(id);
    if (i < 0 || !items[i].value) return;
    items[i].value->setText(text);
    changed = true;
    if (shown) layout();
}

int Menu::indexOf(int id) const {
    for (unsigned i = 0; i < items.count; ++i)
        if (items.data[i].id == id) return (int)i;
    return -1;
}

int Menu::selectedId() const {
    return selected >= 0 && selected < (int)items.count ? items.data[selected].id : -1;
}

void Menu::select(int id) {
    int i = indexOf(id);
    if (i >= 0 && i != selected) {
        selected = i;
        changed = true;
        paint();
    }
}

void Menu::layout() {
    float sw = (float)Quenth::getScreenWidth(), sh = (float)Quenth::getScreenHeight();
    float cx = sw * 0.5f;
    float rowText = items.count ? items[0].label->textScale : 0;
    float row = rowText + 2 * ROW_PAD;

    float height = 0;
    if (logo) height += logo->size.y + LOGO_GAP;
    if (heading) height += heading->textScale + HEADING_GAP;
    for (unsigned i = 0; i < lines.count; ++i) height += lines[i]->textScale + LINE_GAP;
    if (lines.count && items.count) height += BODY_GAP - LINE_GAP;
    height += items.count * row;

    float y = top >= 0 ? top : (sh - height) * 0.5f;
    if (y < MARGIN && top < 0) y = MARGIN;
    if (logo) {
        logo->position = quenth::vec3(cx, y + logo->size.y * 0.5f, 0);
        y += logo->size.y + LOGO_GAP;
    }
    if (heading) {
        place(heading, cx, y, TOP);
        y += heading->textScale + HEADING_GAP;
    }
    for (unsigned i = 0; i < lines.count; ++i) {
        place(lines[i], cx, y, TOP);
        y += lines[i]->textScale + LINE_GAP;
    }
    if (lines.count && items.count) y += BODY_GAP - LINE_GAP;
    for (unsigned i = 0; i < items.count; ++i) {
        Item& it = items[i];
        it.top = y;
        it.bottom = y + row;
        if (it.value) {
            place(it.label, cx - VALUE_GAP, y + ROW_PAD, TOP_RIGHT);
            place(it.value, cx + VALUE_GAP, y + ROW_PAD, TOP_LEFT);
        } else {
            place(it.label, cx, y + ROW_PAD, TOP);
        }
        y += row;
    }
    float barWidth = sw - 2 * MARGIN < 640 ? sw - 2 * MARGIN : 640;
    bar->setSize(barWidth, row);
    bar->centerHotSpot();
    paint();
    changed = true;
}

void Menu::paint() {
    for (unsigned i = 0; i < lines.count; ++i) lines[i]->color = (int)i == markedLine ? MARKED : BODY;
    for (unsigned i = 0; i < items.count; ++i) {
        Text::RGBAf c = (int)i == selected ? SELECTED : ITEM;
        items[i].label->color = c;
        if (items[i].value) items[i].value->color = c;
    }
    if (selected >= 0 && selected < (int)items.count) {
        Item const& it = items[selected];
        bar->position = quenth::vec3(Quenth::getScreenWidth() * 0.5f, (it.top + it.bottom) * 0.5f, 0);
        bar->setVisible(true);
    } else {
        bar->setVisible(false);
    }
}

void Menu::show() {
    layout();
    if (logo) g_hud->add(logo);
    if (heading) g_hud->add(heading);
    for (unsigned i = 0; i < lines.count; ++i) g_hud->add(lines[i]);
    g_hud->add(bar);
    for (unsigned i = 0; i < items.count; ++i) {
        g_hud->add(items[i].label);
        if (items[i].value) g_hud->add(items[i].value);
    }
    // The pointer resting on an item does not select it until it moves.
    mouseX = Quenth::mouseX();
    mouseY = Quenth::mouseY();
    shown = true;
    changed = true;
}

void Menu::hide() {
    if (!shown) return;
    if (logo) logo->remove();
    if (heading) heading->remove();
    for (unsigned i = 0; i < lines.count; ++i) lines[i]->remove();
    bar->remove();
    for (unsigned i = 0; i < items.count; ++i) {
        items[i].label->remove();
        if (items[i].value) items[i].value->remove();
    }
    shown = false;
}

int Menu::itemAt(int x, int y) const {
    float half = bar->size.x * 0.5f, cx = Quenth::getScreenWidth() * 0.5f;
    if (x < cx - half || x > cx + half) return -1;
    for (unsigned i = 0; i < items.count; ++i)
        if (y >= items.data[i].top && y < items.data[i].bottom) return (int)i;
    return -1;
}

void Menu::moveSelection(int by) {
    int n = (int)items.count;
    if (n == 0) return;
    selected = ((selected + by) % n + n) % n;
    changed = true;
    paint();
}

Menu::Event Menu::update() {
    int before = selected;
    Event e = read();
    if (e == CHOSEN || e == BACK)
        Sounds::play(MENU_CHOOSE);
    else if (e == CHANGED || selected != before)
        Sounds::play(MENU_MOVE);
    return e;
}

Menu::Event Menu::read() {
    chosenId = -1;
    step = 0;
    int mx = Quenth::mouseX(), my = Quenth::mouseY();
    bool moved = mx != mouseX || my != mouseY;
    mouseX = mx;
    mouseY = my;
    int under = itemAt(mx, my);
    if (moved && under >= 0 && under != selected) {
        selected = under;
        changed = true;
        paint();
    }

    if (g_controls.menuBack()) return BACK;
    if (g_controls.menuUp()) moveSelection(-1);
    if (g_controls.menuDown()) moveSelection(1);
    if (Quenth::keyPressed(SDLK_HOME) && items.count) moveSelection(-selected);
    if (Quenth::keyPressed(SDLK_END) && items.count) moveSelection((int)items.count - 1 - selected);
    if (selected < 0) return NONE;

    Item const& it = items[selected];
    if (it.value) {
        if (g_controls.menuLeft()) step = -1;
        if (g_controls.menuRight()) step = 1;
        if (step) {
            chosenId = it.id;
            return CHANGED;
        }
    }
    if (g_controls.menuChoose()) {
        chosenId = it.id;
        return CHOSEN;
    }
    // A click chooses the item under the pointer, wherever the keys left the selection.
    if (Quenth::mousePressed(SDL_BUTTON_LEFT) && under >= 0) {
        if (under != selected) {
            selected = under;
            changed = true;
            paint();
        }
        chosenId = items[under].id;
        return CHOSEN;
    }
    return NONE;
}
