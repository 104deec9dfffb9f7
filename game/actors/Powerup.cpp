#include "game/actors/Powerup.h"

#include <cstdio>

#include "engine/core/GameClock.h"
#include "engine/math/Math.h"
#include "engine/math/vec3.h"
#include "engine/math/vec4.h"
#include "engine/util/Random.h"
#include "game/actors/Friend.h"
#include "game/actors/Player.h"
#include "game/actors/TextIndicator.h"
#include "game/base/Arena.h"
#include "game/base/Fader.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "game/base/Sounds.h"
#include "game/base/StackRemove.h"
#include "game/base/WrappedOffset.h"
#include "scene/Group.h"
#include "scene/Scene2D.h"
#include "scene/Sprite.h"
#include "scene/Text.h"

using quenth::vec2;

static Sprite* makeAnimSprite(quenth::Texture* tex) {
    Sprite* s = new Sprite(tex, 48, 48);
    s->animated = true;
    s->columns = 16;
    s->rows = 16;
    s->frame = 0;
    return s;
}

Powerup::Powerup()
    : animFrame(0), frameRate(25), collecting(false), collectStart(0), collectEnd(0), collectFrom(0, 0),
      collector(nullptr) {
    int r1 = g_rand.randi(0, 100);
    if (r1 <= 89) {
        kind = 0;
    } else {
        int r2 = g_rand.randi(0, 110);
        if (r2 < 30)
            kind = 1;
        else if (r2 < 60)
            kind = 2;
        else if (r2 < 70)
            kind = 3;
        else if (r2 < 80)
            kind = 4;
        else if (r2 < 100)
            kind = 5;
        else
            kind = 6;
    }
    ship = new Group();
    anim = makeAnimSprite(Resources::powerup_anim_tex);
    animGlow = makeAnimSprite(Resources::powerup_glow_anim_tex);
    animGlow->setDrawMode(DRAW_MODE_ADD);
    ship->add(anim);
    ship->add(animGlow);
    drawable = ship;
    float vx = g_rand.randf(-75, 75);
    float vy = g_rand.randf(-75, 75);
    velocity = vec2(vx, vy);
}

Powerup::~Powerup() {
    if (g_arena) stackRemove(g_arena->powerups, this);
    delete ship;
    delete animGlow;
    delete anim;
}

void Powerup::update() {
    float now = (float)quenth::GameClock::currentTime;
    float sync = quenth::GameClock::sync;

    animFrame = quenth::Math::wrapf(animFrame + frameRate * sync, 0, (float)(anim->columns * anim->rows));
    int frame = (int)animFrame;
    // Rounding in the wrap can land exactly on the end of the range.
    if (frame >= anim->columns * anim->rows) frame = 0;
    anim->frame = frame;
    animGlow->frame = frame;

    // A ship that died (left the friends) while the token flew to it is no
    // target any more: the token drops where it is and drifts on.
    if (collecting && !stackContains(g_arena->friends, collector)) {
        collecting = false;
        collector = nullptr;
        scale = 1;
    }

    if (!collecting) {
        position += velocity * sync;
        velocity *= (float)(1 - sync * 0.2);
        for (unsigned i = 0; i < g_arena->friends.count; ++i) {
            Friend* f = g_arena->friends[i];
            if (wrappedOffset(position, f->position, g_world->worldSize).length() < f->pickupRadius) {
                collecting = true;
                collector = f;
                collectStart = now;
                collectEnd = now + 500;
                collectFrom = position;
                break;
            }
        }
    } else {
        float t = quenth::Math::clampf((now - collectStart) / (collectEnd - collectStart), 0, 1);
        // Towards the nearest image of the ship, which may cross a seam (or
        // cross one itself) during the flight.
        vec2 to = collectFrom + wrappedOffset(collectFrom, collector->position, g_world->worldSize);
        position = quenth::Math::sin_lerp(t, collectFrom, to);
        scale = quenth::Math::sin_lerp(t, 1, 0);
        if (t >= 1) {
            collect();
            delete this;
            return;
        }
    }
    wrapAndSync();
}

void Powerup::collect() {
    static const quenth::vec4 ic(0.1f, 1.0f, 0.15f, 1.0f);
    static char message[64];
    Player* player = g_arena->player;
    float now = (float)quenth::GameClock::currentTime;
    message[0] = 0;
    static const SoundEffect sounds[7] = {POWERUP_UPGRADE, POWERUP_ENERGY, POWERUP_SHIELD, POWERUP_SCORE,
                                          POWERUP_HULL,    POWERUP_SPEED,  POWERUP_NUKE};
    if (kind < 7) Sounds::play(sounds[kind]);

    switch (kind) {
        case 0: {
            int n = g_rand.randi(1, 5) * 10;
            g_arena->addUpgrade(n);
            snprintf(message, sizeof message, "Upgrade +%i", n);
            break;
        }
        case 1:
            player->energy = player->maxEnergy;
            snprintf(message, sizeof message, "Energy restored");
            break;
        case 2:
            player->shield = player->maxShield;
            snprintf(message, sizeof message, "Shield restored");
            break;
        case 3:
            g_arena->addScore(g_rand.randi(5, 15) * 100);
            snprintf(message, sizeof message, "Extra score");
            break;
        case 4:
            player->hull = player->maxHull;
            snprintf(message, sizeof message, "Hull restored");
            break;
        case 5:
            player->speedBoost = true;
            player->speedBoostStart = now;
            player->speedBoostEnd = now + g_rand.randi(5, 10) * 1000;
            snprintf(message, sizeof message, "Speed boost");
            break;
        case 6: {
            float radius = g_rand.randf(720, 820);
            g_arena->killEnemiesInRadius(player->position, radius);
            float d = g_rand.randf(950, 1250);
            g_fader->r = 1;
            g_fader->g = 1;
            g_fader->b = 1;
            g_fader->a = 1;
            g_fader->fadeIn((unsigned)d);
            g_arena->screenShake(d, d / 5);
            snprintf(message, sizeof message, "Free MegaNuke");
            break;
        }
        default:
            break;
    }

    TextIndicator* ti = new TextIndicator();
    ti->text->color.r = ic.x;
    ti->text->color.g = ic.y;
    ti->text->color.b = ic.z;
    ti->text->color.a = ic.w;
    ti->text->setText(message);
    ti->position = vec2(position.x, position.y - 35);
    ti->text->position = quenth::vec3(ti->position.x, ti->position.y, 0);
    g_world->add(ti->text);
    g_arena->actors.push(ti);
}
