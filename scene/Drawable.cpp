#include "scene/Drawable.h"

#include "engine/gfx/Color.h"
#include "engine/math/Math.h"
#include "scene/Container.h"

#include <cmath>

using quenth::Math;
using quenth::vec2;
using quenth::vec3;

Drawable::Drawable()
    : parent(nullptr), next(nullptr), prev(nullptr), flags(DRAWABLE_VISIBLE | DRAW_MODE_BLEND),
      position(0, 0, 0), hotSpot(0, 0, 0), size(0, 0, 0), rotation(0, 0, 0), scale(1.0f) {
    blendColor.r = (unsigned char)(quenth::Color::rmask >> quenth::Color::rshift);
    blendColor.g = (unsigned char)(quenth::Color::gmask >> quenth::Color::gshift);
    blendColor.b = (unsigned char)(quenth::Color::bmask >> quenth::Color::bshift);
    blendColor.a = (unsigned char)(quenth::Color::amask >> quenth::Color::ashift);
}

Drawable::~Drawable() {
    remove();
}

void Drawable::updateSize() {
    flags &= ~DRAWABLE_DIRTY;
}

void Drawable::remove() {
    if (parent) parent->remove(this);
}

void Drawable::insertAfter(Drawable* other) {
    if (other && other->parent) other->parent->insertAfter(this, other);
}

void Drawable::insertBefore(Drawable* other) {
    if (other && other->parent) other->parent->insertBefore(this, other);
}

void Drawable::bringToFront() {
    if (parent) parent->bringToFront(this);
}

void Drawable::sendToBack() {
    if (parent) parent->sendToBack(this);
}

void Drawable::markDirty() {
    flags |= DRAWABLE_DIRTY;
    if (parent) parent->markContainerDirty();
}

void Drawable::setBlendColor(unsigned int rgba) {
    blendColor.r = (unsigned char)((rgba & quenth::Color::rmask) >> quenth::Color::rshift);
    blendColor.g = (unsigned char)((rgba & quenth::Color::gmask) >> quenth::Color::gshift);
    blendColor.b = (unsigned char)((rgba & quenth::Color::bmask) >> quenth::Color::bshift);
    blendColor.a = (unsigned char)((rgba & quenth::Color::amask) >> quenth::Color::ashift);
}

// Clamped to [0, 1] and truncated; a NaN counts as 0 so that the conversion
// to a byte stays defined.
static unsigned char channelByte(float v) {
    if (!(v == v)) return 0;
    return (unsigned char)(Math::clampf(v, 0.0f, 1.0f) * 255.0f);
}

void Drawable::setBlendColor(float r, float g, float b, float a) {
    blendColor.r = channelByte(r);
    blendColor.g = channelByte(g);
    blendColor.b = channelByte(b);
    blendColor.a = channelByte(a);
}

void Drawable::setVisible(bool visible) {
    if (visible)
        flags |= DRAWABLE_VISIBLE;
    else
        flags &= ~DRAWABLE_VISIBLE;
}

void Drawable::setScale(float s) {
    scale = std::fabs(s);
}

void Drawable::setSize(float w, float h) {
    size.x = w;
    size.y = h;
}

void Drawable::setRotation(float degrees) {
    rotation.z = Math::wrapf(degrees, 0.0f, 360.0f);
}

void Drawable::rotate(float degrees) {
    rotation.z = Math::wrapf(rotation.z + degrees, 0.0f, 360.0f);
}

void Drawable::centerHotSpot() {
    hotSpot.x = 0;
    hotSpot.y = 0;
}

void Drawable::setHotSpot(HotSpotLocation location) {
    float w = size.x * 0.5f, h = size.y * 0.5f;
    switch (location) {
        case TOP_LEFT:
            setHotSpot(w, h);
            break;
        case TOP_RIGHT:
            setHotSpot(-w, h);
            break;
        case LEFT:
            setHotSpot(w, 0);
            break;
        case TOP:
            setHotSpot(0, h);
            break;
        case CENTER:
            setHotSpot(0, 0);
            break;
        case RIGHT:
            setHotSpot(-w, 0);
            break;
        case BOTTOM:
            setHotSpot(0, -h);
            break;
        case BOTTOM_LEFT:
            setHotSpot(w, -h);
            break;
        case BOTTOM_RIGHT:
            setHotSpot(-w, -h);
            break;
        default:
            break;
    }
}

void Drawable::setHotSpot(float x, float y) {
    hotSpot.x = x;
    hotSpot.y = y;
}

void Drawable::setDrawMode(unsigned int mode) {
    flags = (flags & ~DRAWABLE_DRAW_MODE_MASK) | (mode & DRAWABLE_DRAW_MODE_MASK);
}

void Drawable::getBounds(vec2& pos, vec2& extent) const {
    float hx = size.x * 0.5f, hy = size.y * 0.5f;
    float rad = Math::toRadian(rotation.z);
    float s = std::sin(rad), k = std::cos(rad);
    float cx[4] = {hotSpot.x + hx, hotSpot.x - hx, hotSpot.x + hx, hotSpot.x - hx};
    float cy[4] = {hotSpot.y + hy, hotSpot.y + hy, hotSpot.y - hy, hotSpot.y - hy};
    float minX = 0, minY = 0, maxX = 0, maxY = 0;
    for (int i = 0; i < 4; i++) {
        float x = k * cx[i] - s * cy[i];
        float y = s * cx[i] + k * cy[i];
        if (i == 0 || x < minX) minX = x;
        if (i == 0 || x > maxX) maxX = x;
        if (i == 0 || y < minY) minY = y;
        if (i == 0 || y > maxY) maxY = y;
    }
    float x0 = minX * scale, y0 = minY * scale;
    pos = vec2(x0 + position.x, y0 + position.y);
    extent = vec2(maxX * scale - x0, maxY * scale - y0);
}

vec2 localToGlobal(vec2 const&) {
    return vec2(0, 0);
}

vec2 globalToLocal(vec2 const&) {
    return vec2(0, 0);
}
