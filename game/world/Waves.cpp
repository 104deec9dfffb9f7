// The waves: the one difficulty curve of the game.
#include "game/world/Game.h"

#include <cstdint>
#include <cstdio>

#include "engine/core/Quenth.h"
#include "engine/math/vec3.h"
#include "game/actors/Enemy.h"
#include "game/actors/Fighter.h"
#include "game/actors/Fighter2.h"
#include "game/actors/Hammerhead.h"
#include "game/actors/Hammerhead2.h"
#include "game/actors/Player.h"
#include "game/actors/Probe.h"
#include "game/actors/Probe2.h"
#include "game/actors/Probe3.h"
#include "game/actors/TextIndicator.h"
#include "game/base/Globals.h"
#include "game/weapons/Laser.h"
#include "game/weapons/Plasma.h"
#include "particles/ParticleSystem.h"
#include "scene/DirectScene2D.h"
#include "scene/Scene2D.h"
#include "scene/Text.h"

using quenth::vec2;

namespace {

// One row of the wave table: count = trunc(slope (w - offset) + base) + 1
// from wave firstWave on.
struct WaveRow {
    int firstWave;
    double slope, offset, base;
};

const WaveRow waveRows[7] = {
    {1, 2.4, 0, 10},   // Fighter
    {3, 2.2, 3, 3},    // Fighter2
    {6, 2.5, 5, 2},    // Hammerhead
    {9, 2.9, 8, 20},   // Probe
    {13, 2.9, 12, 20}, // Probe2
    {15, 2.5, 15, 2},  // Hammerhead2
    {17, 2.9, 16, 20}, // Probe3
};

Enemy* makeEnemy(int type) {
    switch (type) {
        case 0:
            return new Fighter();
        case 1:
            return new Fighter2();
        case 2:
            return new Hammerhead();
        case 3:
            return new Probe();
        case 4:
            return new Probe2();
        case 5:
            return new Hammerhead2();
        default:
            return new Probe3();
    }
}

} // namespace

void Game::nextWave() {
    uint32_t now = quenth::Quenth::currentTime;
    int n = wave;
    wave = n + 1;
    int w = wave;
    nextWaveTime = (float)(uint32_t)(now + 90000 + 10 * (uint32_t)n);

    static char message[64];
    snprintf(message, sizeof message, "Wave %i incoming", w);
    TextIndicator* ti = new TextIndicator();
    ti->text->setText(message);
    ti->scale = 1.5f;
    ti->position =
        vec2((float)quenth::Quenth::getScreenWidth() * 0.5f, (float)quenth::Quenth::getScreenHeight() * 0.4f);
    ti->text->position = quenth::vec3(ti->position.x, ti->position.y, 0);
    actors.push(ti);
    g_hud->add(ti->text);

    difficulty = (float)((double)difficulty * 1.1);

    for (int type = 0; type < 7; ++type) {
        WaveRow const& row = waveRows[type];
        if (w < row.firstWave) break;
        int count = (int)(row.slope * (w - row.offset) + row.base);
        for (int k = count; k >= 0; --k) {
            Enemy* e = makeEnemy(type);
            e->spawn();
            enemies.push(e);
            actors.push(e);
        }
    }

    for (unsigned i = 0; i < enemies.count; ++i)
        if (enemies.data[i]->drawable) g_world->add(enemies.data[i]->drawable);

    g_world->add(player->plasma);
    g_world->add(player->laser);
    if (player->drawable) {
        player->drawable->bringToFront();
        player->exhaust->defaultSlice->insertBefore(player->drawable);
    }
}
