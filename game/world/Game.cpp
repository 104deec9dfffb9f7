#include "game/world/Game.h"

#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/math/Math.h"
#include "engine/math/vec3.h"
#include "engine/util/Random.h"
#include "game/actors/Enemy.h"
#include "game/actors/Friend.h"
#include "game/actors/Player.h"
#include "game/actors/Powerup.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "game/base/Sounds.h"
#include "game/base/StackRemove.h"
#include "game/hud/HUD_RadarBox.h"
#include "game/hud/HUD_ScoreBox.h"
#include "game/hud/HUD_WeaponBox.h"
#include "game/hud/Reticle.h"
#include "game/hud/ScoreCounter.h"
#include "game/weapons/HitTest.h"
#include "game/weapons/Laser.h"
#include "game/weapons/Plasma.h"
#include "game/world/Starfield.h"
#include "particles/ParticleSystem.h"
#include "scene/DirectScene2D.h"
#include "scene/Scene2D.h"
#include "scene/Text.h"

using quenth::vec2;

Game::Game()
    : reticle(nullptr), scoreCounter(nullptr), weaponCounter(nullptr), scoreBox(nullptr), weaponBox(nullptr),
      radarBox(nullptr), gameOverStart(0), gameOverEnd(0), shakeMagnitude(0), shakeStart(0), shakeEnd(0),
      wave(0), nextWaveTime(0), playing(true), gameOverHeard(false), upgrades(0), kills(0), updatePass(0),
      chosenDifficulty(DIFFICULTY_NORMAL) {
    starfield = new Starfield(512);
    gameOverText = new Text(Resources::font_big, "Game Over");
}

Game::~Game() {
    // The panels first: the score counter is one of the actors but belongs to
    // its panel, and leaves the list when the panel deletes it.
    delete scoreBox;
    delete weaponBox;
    delete radarBox;
    delete reticle;
    delete gameOverText;
    delete player; // leaves friends and actors
    player = nullptr;
    // What the lists still hold: each entry is taken off before it is
    // deleted, so whatever its destructor removes, nothing goes twice.
    // Enemies and power-ups are in actors too; the other two lists only hold
    // what has strayed from it.
    while (actors.count > 0) delete actors.data[--actors.count];
    while (enemies.count > 0) delete enemies.data[--enemies.count];
    while (powerups.count > 0) delete powerups.data[--powerups.count];
    friends.clear();
    delete starfield;
    // Every drawable of the game has left its scene with its deletion; the
    // particle systems go with the arena, after the guns that use them.
    if (g_game == this) g_game = nullptr;
}

void Game::init() {
    g_world->clear();
    g_hud->clear();
    g_world->add(starfield);

    scoreBox = new HUD_ScoreBox();
    actors.push(scoreBox->score);
    weaponBox = new HUD_WeaponBox();
    radarBox = new HUD_RadarBox();
    g_hud->add(scoreBox);
    g_hud->add(weaponBox);
    g_hud->add(radarBox);

    reticle = new Reticle();
    g_hud->add(reticle);

    scoreCounter = scoreBox->score;
    weaponCounter = weaponBox->counters[2];

    player = new Player();
    friends.push(player);
    actors.push(player);
    if (player->drawable) g_world->add(player->drawable);
    player->position = vec2(400, 300);
    g_world->add(player->plasma);
    g_world->add(player->laser);
    g_hud->add(player->energyText);

    if (scoreCounter->text) g_hud->add(scoreCounter->text);
    scoreCounter->position = vec2(15, 12);
    scoreCounter->value = 0;
    scoreCounter->startValue = 0;
    scoreCounter->startTime = 0;
    scoreCounter->endTime = 0;

    g_world->add(explosionSlice);

    player->position = g_world->worldSize * 0.5f;

    shakeMagnitude = shakeStart = shakeEnd = 0;
    difficulty = 1.0f;
    wave = 0;
    upgrades = 0;
    kills = 0;
    lives = 3;
    playing = true;
    gameOverHeard = false;
    gameOverStart = gameOverEnd = 0;
    nextWaveTime = (float)quenth::GameClock::currentTime + 5000;
    relayout();
}

void Game::relayout() {
    float sw = (float)quenth::Quenth::getScreenWidth();
    float sh = (float)quenth::Quenth::getScreenHeight();
    // Panels keep to their corners; the game-over text to its spot above the centre.
    scoreBox->position = quenth::vec3(100, 30, 0);
    weaponBox->position = quenth::vec3(100, sh - 50, 0);
    radarBox->position = quenth::vec3(sw - 130, sh - 130, 0);
    // The energy readout sits just above the weapon panel, clear of the score.
    player->energyText->position = quenth::vec3(15, sh - 112, 0);
    gameOverText->position = quenth::vec3(sw * 0.5f, sh * 0.4f, 0);
    starfield->resize(sw, sh);
}

void Game::update() {
    reticle->update();
    // While play is paused the game stands still even when the frame loop
    // goes on calling: a pass without game time would still roll a new
    // screen shake offset and new enemy waypoints every frame.
    if (quenth::GameClock::paused) return;

    float now = (float)quenth::GameClock::currentTime;
    float sw = (float)quenth::Quenth::getScreenWidth();
    float sh = (float)quenth::Quenth::getScreenHeight();

    // Every actor in the list is updated exactly once per pass, including
    // those pushed during the pass. An update may delete actors (itself,
    // enemies it kills, indicators); each removal moves the last entry into
    // the hole, possibly below i, so after a removal the scan starts again
    // from the front and skips the actors already updated in this pass.
    ++updatePass;
    unsigned i = 0;
    while (i < actors.count) {
        Actor* a = actors.data[i];
        if (a->updatePass == updatePass) {
            ++i;
            continue;
        }
        a->updatePass = updatePass;
        unsigned removals = actorRemovals;
        a->update();
        if (actorRemovals != removals) i = 0;
    }

    weaponParticles->update();
    explosionParticles->update();

    if (playing) {
        if (player->hull <= 0 && lives == 0) {
            playing = false;
            gameOverStart = now;
            gameOverEnd = now + 1500;
            gameOverText->setHotSpot(CENTER);
            gameOverText->position = quenth::vec3(sw * 0.5f, sh * 0.4f, 0);
            gameOverText->color.a = 0;
            g_hud->add(gameOverText);
        } else if (player->hull > 0) {
            if (wave > 0 && enemies.count == 0)
                nextWave();
            else if (now > nextWaveTime)
                nextWave();
        }
    } else {
        // The last ship is gone from the actors, its guns retired (no new
        // shots, no hits): what they still have in flight runs out and fades.
        player->laser->update();
        player->plasma->update();
        if (gameOverEnd > now)
            gameOverText->color.a =
                quenth::Math::sin_lerp((now - gameOverStart) / (gameOverEnd - gameOverStart), 0, 1);
        else
            gameOverText->color.a = 1;
        // The tune waits for the text: it would drown in the ship's death blast.
        if (!gameOverHeard && now >= gameOverEnd) {
            Sounds::play(GAME_OVER);
            gameOverHeard = true;
        }
    }

    Camera2D* camera = g_world->getCamera();
    vec2 before(camera->x, camera->y);
    vec2 target = player->position + player->cameraLead * 0.3f;
    camera->x = target.x;
    camera->y = target.y;
    camera->zoom = (float)(1.0 - 0.2 * ((double)player->cameraLead.length() / player->cameraLeadMax));
    vec2 delta = target - before;

    if (shakeEnd > now) {
        float r1 = g_rand.randf(-1, 1);
        float r2 = g_rand.randf(-1, 1);
        float m = quenth::Math::sinh_lerp((now - shakeStart) / (shakeEnd - shakeStart), shakeMagnitude, 0);
        camera->x += r2 * m;
        camera->y += r1 * m;
    }

    // The camera follows the wrapped ship position: a jump of about a world
    // size is the seam, not motion.
    if (delta.x > sw) delta.x -= g_world->worldSize.x;
    if (delta.x < -sw) delta.x += g_world->worldSize.x;
    if (delta.y > sh) delta.y -= g_world->worldSize.y;
    if (delta.y < -sh) delta.y += g_world->worldSize.y;

    starfield->move(delta);

    scoreBox->showLives(lives);
    weaponBox->showPlayer(player);
}

void Game::addScore(int points) {
    scoreCounter->addValue(points);
}

void Game::addUpgrade(int points) {
    upgrades += points;
    weaponCounter->addValue(points);
}

void Game::screenShake(float duration, float magnitude) {
    float now = (float)quenth::GameClock::currentTime;
    shakeMagnitude = magnitude;
    shakeStart = now;
    shakeEnd = now + duration;
}

void Game::countKill() {
    ++kills;
}

void Game::killEnemiesInRadius(vec2& center, float radius) {
    // destroy() reshuffles enemies, so walk a copy of the list as it was when
    // the call started. Destroying one enemy never deletes another, so every
    // entry of the copy is alive until this loop destroys it.
    static quenth::Stack<Enemy*> present(128);
    present.clear();
    for (unsigned i = 0; i < enemies.count; ++i) present.push(enemies.data[i]);

    float W = g_world->worldSize.x, H = g_world->worldSize.y;
    for (unsigned i = 0; i < present.count; ++i) {
        Enemy* e = present.data[i];
        if (!stackContains(enemies, e)) continue;
        vec2 p = e->position;
        vec2 images[9] = {p,
                          p + vec2(W, 0),
                          p - vec2(W, 0),
                          p + vec2(0, H),
                          p - vec2(0, H),
                          p + vec2(W, -H),
                          p + vec2(W, H),
                          p + vec2(-W, -H),
                          p + vec2(-W, H)};
        for (int k = 0; k < 9; ++k) {
            if ((images[k] - center).length() < radius) {
                e->destroy();
                break;
            }
        }
    }
}

namespace {

// Work buffers of the hit tests, made at start-up rather than at the first
// shot, so that the first hit in the middle of play allocates nothing.
quenth::Stack<hit_struct> hits(64, false);
quenth::Stack<float> distances(64, false);
quenth::Stack<quenth::vec2> images(128, false);

} // namespace

hit_struct Game::hitEnemy(vec2 const& from, vec2 const& to) {
    return findHitIn(enemies, from, to, hits, distances, images);
}

hit_struct Game::hitFriend(vec2 const& from, vec2 const& to) {
    return findHitIn(friends, from, to, hits, distances, images);
}
