#ifndef VORLANE_GAME_HITTEST_H
#define VORLANE_GAME_HITTEST_H

#include "engine/math/Math.h"
#include "engine/math/vec2.h"
#include "engine/util/Stack.h"
#include "game/base/Actor.h"
#include "game/base/Globals.h"
#include "game/base/hit_struct.h"
#include "scene/Scene2D.h"

// The swept segment test shared by Weapon and EnemyWeapon; each passes the
// list it shoots at and its own reusable work stores. Finds the body (first by
// distance of its centre from `from`) whose circle the line through the
// segment enters, looking at the nine wrapped images of every body.
template <typename T>
hit_struct findHitIn(quenth::Stack<T*>& targets, quenth::vec2 const& from, quenth::vec2 const& to,
                     quenth::Stack<hit_struct>& hits, quenth::Stack<float>& distances,
                     quenth::Stack<quenth::vec2>& p) {
    hit_struct miss;
    miss.target = nullptr;
    miss.point = quenth::vec2(0, 0);
    hits.clear();
    distances.clear();

    float minX = from.x < to.x ? from.x : to.x;
    float maxX = from.x < to.x ? to.x : from.x;
    float minY = from.y < to.y ? from.y : to.y;
    float maxY = from.y < to.y ? to.y : from.y;
    float W = g_world->worldSize.x;
    float H = g_world->worldSize.y;

    if (targets.count == 0) return miss;
    // A segment without length has no direction: the line distance and the
    // circle entry would divide by zero. It hits nothing.
    if (from.x == to.x && from.y == to.y) return miss;

    for (unsigned e = 0; e < targets.count; ++e) {
        T* t = targets.data[e];
        float x = t->position.x, y = t->position.y;
        p.clear();
        p.push(quenth::vec2(x, y));
        p.push(quenth::vec2(x + W, y));
        p.push(quenth::vec2(x - W, y));
        p.push(quenth::vec2(x, y + H));
        p.push(quenth::vec2(x, y - H));
        p.push(quenth::vec2(x + W, y + H));
        p.push(quenth::vec2(x + W, y - H));
        p.push(quenth::vec2(x - W, y + H));
        p.push(quenth::vec2(x - W, y - H));
        float r2 = t->radius * t->radius;
        for (unsigned k = 0; k < p.count; ++k) {
            quenth::vec2 c = p.data[k];
            float qx = quenth::Math::clampf(c.x, minX, maxX);
            float qy = quenth::Math::clampf(c.y, minY, maxY);
            float dx = c.x - qx, dy = c.y - qy;
            if (dx * dx + dy * dy < r2) {
                hit_struct h;
                h.target = t;
                h.point = c;
                hits.push(h);
                break;
            }
        }
    }
    if (hits.count == 0) return miss;

    for (unsigned i = 0; i < hits.count; ++i) {
        quenth::vec2 c = hits.data[i].point;
        distances.push((c.x - from.x) * (c.x - from.x) + (c.y - from.y) * (c.y - from.y));
    }

    // Stable insertion sort by distance, the place found by bisection.
    for (unsigned i = 1; i < hits.count; ++i) {
        float d = distances.data[i];
        if (!(distances.data[i - 1] > d)) continue;
        unsigned lo = 0, hi = i - 1;
        while (lo < hi) {
            unsigned mid = (lo + hi) / 2;
            if (distances.data[mid] > d)
                hi = mid;
            else
                lo = mid + 1;
        }
        hit_struct h = hits.data[i];
        for (unsigned j = i; j > lo; --j) {
            hits.data[j] = hits.data[j - 1];
            distances.data[j] = distances.data[j - 1];
        }
        hits.data[lo] = h;
        distances.data[lo] = d;
    }

    for (unsigned i = 0; i < hits.count; ++i) {
        Actor* a = hits.data[i].target;
        quenth::vec2 c = hits.data[i].point;
        float d = quenth::Math::distanceTo(from, to, c);
        if (a->radius > d) {
            hit_struct h;
            h.target = a;
            h.point = quenth::Math::getNearIntersectPoint(from, to, c, a->radius);
            return h;
        }
    }
    return miss;
}

#endif
