#include "scene/Group.h"

#include "engine/math/Math.h"
#include "engine/math/mat2.h"
#include "engine/math/mat4.h"

using quenth::mat2;
using quenth::mat4;
using quenth::Math;
using quenth::vec2;
using quenth::vec3;

Group::Group() {
    flags |= DRAWABLE_GROUP | DRAWABLE_DIRTY;
}

Group::~Group() {
    clear();
}

void Group::markContainerDirty() {
    markDirty();
}

void Group::draw(SceneState&) {}

void Group::updateSize() {
    float minX = 0, minY = 0, minZ = 0, maxX = 0, maxY = 0, maxZ = 0;
    for (Drawable* d = head; d; d = d->next) {
        if (d->flags & DRAWABLE_DIRTY) d->updateSize();
        if (!(d->flags & DRAWABLE_3D)) {
            mat2 t;
            t.identity();
            t.translate(d->position.x, d->position.y);
            t.rotate(Math::toRadian(d->rotation.z));
            t.scale(d->scale);
            float hx = d->size.x * 0.5f, hy = d->size.y * 0.5f;
            vec2 corners[4] = {
                vec2(d->hotSpot.x - hx, d->hotSpot.y - hy), vec2(d->hotSpot.x + hx, d->hotSpot.y - hy),
                vec2(d->hotSpot.x - hx, d->hotSpot.y + hy), vec2(d->hotSpot.x + hx, d->hotSpot.y + hy)};
            for (vec2 const& c : corners) {
                vec2 p = t * c;
                if (p.x < minX) minX = p.x;
                if (p.x > maxX) maxX = p.x;
                if (p.y < minY) minY = p.y;
                if (p.y > maxY) maxY = p.y;
            }
        } else {
            mat4 m;
            m.identity();
            m.translate(d->position);
            m.rotate(vec3(0, 0, Math::toRadian(d->rotation.z)));
            m.rotate(vec3(0, Math::toRadian(d->rotation.y), 0));
            m.rotate(vec3(Math::toRadian(d->rotation.x), 0, 0));
            m.scale(d->scale);
            vec3 half = d->size * 0.5f;
            for (int i = 0; i < 8; i++) {
                vec3 c(d->hotSpot.x + ((i & 1) ? half.x : -half.x),
                       d->hotSpot.y + ((i & 2) ? half.y : -half.y),
                       d->hotSpot.z + ((i & 4) ? half.z : -half.z));
                vec3 p = m * c;
                if (p.x < minX) minX = p.x;
                if (p.x > maxX) maxX = p.x;
                if (p.y < minY) minY = p.y;
                if (p.y > maxY) maxY = p.y;
                if (p.z < minZ) minZ = p.z;
                if (p.z > maxZ) maxZ = p.z;
            }
        }
    }
    size = vec3(maxX - minX, maxY - minY, maxZ - minZ);
    flags &= ~DRAWABLE_DIRTY;
}
