// Pause: while the game clock stands, the frame loop goes on (the frame clock
// runs, the game is called, the world is drawn) and nothing of the game
// moves; on resume play goes on from where it stood, owing nothing for the
// paused time.
#include <utility>
#include <vector>

#include "engine/core/GameClock.h"
#include "game/actors/EnemyShip.h"
#include "game/actors/Player.h"
#include "game/actors/Powerup.h"
#include "game/actors/TextIndicator.h"
#include "game/base/WrappedOffset.h"
#include "game/hud/Reticle.h"
#include "game/hud/ScoreCounter.h"
#include "game/weapons/EnemyPlasma.h"
#include "game/weapons/Laser.h"
#include "game/weapons/Plasma.h"
#include "game/world/Starfield.h"
#include "particles/ParticleSystem.h"
#include "scene/Sprite.h"
#include "scene/Text.h"
#include "tests/game/DrawTestSupport.h"
#include "tests/support/GLContext.h"

using quenth::GameClock;
using quenth::Quenth;
using quenth::vec2;

namespace {

// One number of the game's state, named for the failure message.
struct Reading {
    const char* what;
    double value;
};

void readBullets(std::vector<Reading>& r, Bullet const* bullets, unsigned capacity) {
    for (unsigned i = 0; i < capacity; ++i) {
        r.push_back({"bullet x", bullets[i].position.x});
        r.push_back({"bullet y", bullets[i].position.y});
        r.push_back({"bullet expiry", (double)bullets[i].expiry});
    }
}

void readParticles(std::vector<Reading>& r, ParticleSystem const* s) {
    r.push_back({"next particle", (double)s->nextParticle});
    for (unsigned i = 0; i < s->size; ++i) {
        Particle const& p = s->particles[i];
        r.push_back({"particle linked", p.slice ? 1.0 : 0.0});
        r.push_back({"particle end x", p.end.x});
        r.push_back({"particle end y", p.end.y});
        r.push_back({"particle death", (double)p.death});
    }
    for (unsigned i = 0; i < s->emitters.count; ++i)
        r.push_back({"emitter last", (double)s->emitters[i]->lastEmit});
}

// Everything of the game that time moves.
std::vector<Reading> readGame() {
    std::vector<Reading> r;
    Game* g = g_game;
    r.push_back({"game time", (double)GameClock::currentTime});
    r.push_back({"wave", (double)g->wave});
    r.push_back({"next wave", g->nextWaveTime});
    r.push_back({"shake end", g->shakeEnd});
    Camera2D* cam = g_world->getCamera();
    r.push_back({"camera x", cam->x});
    r.push_back({"camera y", cam->y});
    r.push_back({"camera zoom", cam->zoom});
    for (unsigned i = 0; i < g->actors.count; ++i) {
        Actor* a = g->actors[i];
        r.push_back({"actor x", a->position.x});
        r.push_back({"actor y", a->position.y});
        r.push_back({"actor scale", a->scale});
        r.push_back({"actor rotation", a->rotation});
        if (a->drawable) r.push_back({"drawable alpha", (double)a->drawable->blendColor.a});
        if (TextIndicator* t = dynamic_cast<TextIndicator*>(a)) r.push_back({"text alpha", t->text->color.a});
        if (Enemy* e = dynamic_cast<Enemy*>(a)) {
            r.push_back({"enemy velocity x", e->velocity.x});
            r.push_back({"enemy velocity y", e->velocity.y});
            r.push_back({"enemy waypoint x", e->waypoint.x});
            r.push_back({"enemy fade end", e->spawnEnd});
            readBullets(r, static_cast<EnemyPlasma*>(e->weapon)->bullets,
                        static_cast<EnemyPlasma*>(e->weapon)->capacity);
        }
        if (Powerup* t = dynamic_cast<Powerup*>(a)) r.push_back({"token frame", t->animFrame});
    }
    Player* p = g->player;
    r.push_back({"energy", p->energy});
    r.push_back({"ship velocity x", p->velocity.x});
    r.push_back({"ship velocity y", p->velocity.y});
    r.push_back({"camera lead x", p->cameraLead.x});
    r.push_back({"ship spin", p->bottomSprite->rotation.z});
    r.push_back({"ship glow", (double)p->topGlow->blendColor.a});
    r.push_back({"score shown", (double)g->scoreCounter->startValue});
    readBullets(r, p->plasma->bullets, p->plasma->capacity);
    for (unsigned i = 0; i < p->laser->capacity; ++i) {
        Laser::Beam const& b = p->laser->beams[i];
        r.push_back({"beam end x", b.end.x});
        r.push_back({"beam width", b.width});
        r.push_back({"beam alpha", (double)b.color.a});
    }
    readParticles(r, g->weaponParticles);
    readParticles(r, g->explosionParticles);
    readParticles(r, p->exhaust);
    for (unsigned i = 0; i < g->starfield->stars.count; ++i)
        r.push_back({"star x", g->starfield->stars[i].x});
    r.push_back({"sky camera x", g->starfield->camera.position.x});
    r.push_back({"sky camera z", g->starfield->camera.position.z});
    return r;
}

void expectSame(std::vector<Reading> const& before, std::vector<Reading> const& after) {
    ASSERT_EQ(before.size(), after.size()) << "objects came or went";
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        if (before[i].value == after[i].value) continue;
        if (++changed <= 10)
            ADD_FAILURE() << before[i].what << " (reading " << i << ") went from " << before[i].value
                          << " to " << after[i].value;
    }
    EXPECT_EQ(changed, 0);
}

} // namespace

class PauseTest : public DrawTest {
protected:
    // One frame as the frame loop runs it: the frame clock moves on, the game
    // clock follows unless paused, the game is called, the scenes are drawn.
    static void frame(bool draw = false) {
        Quenth::lastTime = Quenth::currentTime;
        Quenth::currentTime += 16;
        Quenth::sync = 0.016f;
        GameClock::update();
        g_game->update();
        if (draw) drawScenes();
    }

    static void drawScenes() {
        testsupport::resetGLState();
        testsupport::clearBackBuffer(0, 0, 0, 1);
        g_world->draw();
        g_hud->draw();
    }

    // Aims at the nearest image of the first enemy and keeps the ship whole.
    static void aimAndHeal() {
        Player* p = g_game->player;
        aimAt(p->position + wrappedOffset(p->position, g_game->enemies[0]->position, g_world->worldSize));
        p->hull = 125;
        p->energy = 350;
    }

    // Play in full swing: the ship thrusts and fires both guns into a ring of
    // enemies that fire back, one of which has just exploded and one is still
    // fading in; a token flies into the ship, messages rise, the screen shakes
    // and the next wave is due in 300 ms. Everything is drawn in white.
    void startBusyPlay() {
        quenth::Texture* w = white();
        Player* p = g_game->player;
        g_game->weaponParticles->texture = g_game->explosionParticles->texture = w;
        p->exhaust->texture = p->plasma->texture = w;
        p->laser->muzzleTexture = p->laser->tipTexture = p->laser->beamTexture = w;
        g_game->starfield->texture = w;
        g_game->reticle->setVisible(false); // it follows the mouse and the frame clock

        g_game->nextWave();
        for (unsigned i = 0; i < g_game->enemies.count; ++i) {
            Enemy* e = g_game->enemies[i];
            float a = 0.5f * i;
            e->position = p->position + vec2(cosf(a), sinf(a)) * 450;
            e->hull = 1e6f;
            static_cast<EnemyPlasma*>(e->weapon)->texture = w;
        }
        holdKey(SDLK_w);
        holdButton(SDL_BUTTON_LEFT);
        holdButton(SDL_BUTTON_RIGHT);
        for (int i = 0; i < 60; ++i) {
            aimAndHeal();
            frame();
        }

        g_game->enemies[1]->damage(2e6f);
        Fighter* late = new Fighter();
        late->spawn();
        late->position = p->position + vec2(-300, 200);
        static_cast<EnemyPlasma*>(late->weapon)->texture = w;
        g_game->enemies.push(late);
        g_game->actors.push(late);
        g_world->add(late->drawable);
        Powerup* token = new Powerup();
        token->position = p->position + vec2(100, 0);
        g_world->add(token->drawable);
        g_game->powerups.push(token);
        g_game->actors.push(token);
        g_game->screenShake(1000, 20);
        g_game->nextWaveTime = (float)GameClock::currentTime + 300;
        for (int i = 0; i < 6; ++i) {
            aimAndHeal();
            frame();
        }
        ASSERT_TRUE(token->collecting);
        ASSERT_NE(late->spawnEnd, 0);
    }
};

TEST_F(PauseTest, NothingMovesWhilePausedAndNothingJumpsOnResume) {
    startBusyPlay();
    Player* p = g_game->player;
    drawScenes();
    std::vector<Reading> before = readGame();
    std::vector<testsupport::Pixel> shown = testsupport::readBackPixels(0, 0, 1280, 720);
    int lit = 0;
    for (testsupport::Pixel const& px : shown) lit += px.r + px.g + px.b > 60;
    EXPECT_GT(lit, 2000) << "too little is drawn to see a change";

    // Five seconds of frames while paused, the world drawn every half second.
    GameClock::paused = true;
    for (int i = 0; i < 300; ++i) frame(i % 30 == 29);
    drawScenes();
    expectSame(before, readGame());
    std::vector<testsupport::Pixel> still = testsupport::readBackPixels(0, 0, 1280, 720);
    int differ = 0;
    for (size_t i = 0; i < shown.size(); ++i)
        differ += shown[i].r != still[i].r || shown[i].g != still[i].g || shown[i].b != still[i].b;
    EXPECT_EQ(differ, 0) << "pixels of the frozen world changed";

    // Resume: the first frame is one frame of play, whatever the pause took.
    GameClock::paused = false;
    uint32_t t0 = GameClock::currentTime;
    // Every gun's pool, and a copy of it.
    std::vector<std::pair<Bullet const*, std::vector<Bullet>>> guns;
    guns.push_back({p->plasma->bullets, {p->plasma->bullets, p->plasma->bullets + p->plasma->capacity}});
    for (unsigned i = 0; i < g_game->enemies.count; ++i) {
        EnemyPlasma* gun = static_cast<EnemyPlasma*>(g_game->enemies[i]->weapon);
        guns.push_back({gun->bullets, {gun->bullets, gun->bullets + gun->capacity}});
    }
    unsigned exhaustNext = p->exhaust->nextParticle;
    std::vector<unsigned> sparks(p->laser->capacity);
    for (unsigned i = 0; i < p->laser->capacity; ++i) sparks[i] = p->laser->hitSlices[i]->count;
    aimAndHeal();
    frame(true);

    EXPECT_EQ(GameClock::currentTime, t0 + 16);
    EXPECT_EQ(g_game->wave, 1) << "the wave due 300 ms after the pause came early";
    EXPECT_GT(g_game->shakeEnd, (float)GameClock::currentTime) << "the shake ran on while paused";
    // Bolts in flight before and after the frame moved one frame's way.
    int liveBolts = 0;
    for (auto const& gun : guns) {
        for (size_t i = 0; i < gun.second.size(); ++i) {
            Bullet const& was = gun.second[i];
            Bullet const& is = gun.first[i];
            if (was.expiry <= t0 || is.expiry != was.expiry) continue;
            ++liveBolts;
            EXPECT_LE((is.position - was.position).length(), 750 * 0.016f + 0.01f) << "bolt " << i;
        }
    }
    EXPECT_GT(liveBolts, 5);
    // 100 exhaust particles a second and 300 sparks a second per burning beam.
    EXPECT_LE((p->exhaust->nextParticle + 256 - exhaustNext) % 256, 2u);
    int beams = 0, burning = 0;
    for (unsigned i = 0; i < p->laser->capacity; ++i) {
        if (p->laser->beams[i].expiry <= (float)GameClock::currentTime) continue;
        ++beams;
        burning += p->laser->hitEmitters[i]->rate > 0;
        EXPECT_LE(p->laser->hitSlices[i]->count, sparks[i] + 5) << "beam " << i;
    }
    EXPECT_GT(beams, 0);
    EXPECT_GT(burning, 0);
    int fading = 0, flying = 0, messages = 0;
    for (unsigned i = 0; i < g_game->actors.count; ++i) {
        Actor* a = g_game->actors[i];
        if (Enemy* e = dynamic_cast<Enemy*>(a)) fading += e->spawnEnd != 0;
        if (Powerup* t = dynamic_cast<Powerup*>(a)) flying += t->collecting;
        messages += dynamic_cast<TextIndicator*>(a) != nullptr;
    }
    EXPECT_EQ(fading, 1);
    EXPECT_EQ(flying, 1);
    EXPECT_GE(messages, 2); // the wave's announcement and the score of the kill
}
