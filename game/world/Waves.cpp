// The waves: the one difficulty curve of the game.
#include "game/world/Game.h"

#include <cstdint>
#include <cstdio>

#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/math/vec3.h"
#include "game/actors/Enemy.h"
#include "game/actors/EnemyShip.h"
#include "game/actors/Player.h"
#include "game/actors/TextIndicator.h"
#include "game/base/Globals.h"
#include "game/base/Sounds.h"
#include "game/weapons/Laser.h"
#include "game/weapons/Plasma.h"
#include "particles/ParticleSystem.h"
#include "scene/DirectScene2D.h"
#include "scene/Scene2D.h"
#include "scene/Text.h"

using quenth::vec2;

namespace {

template <class T>
Enemy* make() {
    return new T();
}

// One row of the wave table: from wave firstWave on, each wave brings
// trunc(slope (w - offset) + base) + 1 ships made by create.
struct WaveRow {
    Enemy* (*create)();
    int firstWave;
    double slope, offset, base;
};

// In the order the types are created; a type not yet due ends the wave.
// clang-format off
const WaveRow waveRows[] = {
    {make<Fighter>,      1, 2.4,  0, 10},
    {make<Fighter2>,     3, 2.2,  3,  3},
    {make<Hammerhead>,   6, 2.5,  5,  2},
    {make<Probe>,        9, 2.9,  8, 20},
    {make<Probe2>,      13, 2.9, 12, 20},
    {make<Hammerhead2>, 15, 2.5, 15,  2},
    {make<Probe3>,      17, 2.9, 16, 20},
};
// clang-format on

} // namespace

void Game::nextWave() {
    uint32_t now = quenth::GameClock::currentTime;
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
    Sounds::play(WAVE_INCOMING);

    difficulty = (float)((double)difficulty * 1.1);

    for (WaveRow const& row : waveRows) {
        if (w < row.firstWave) break;
        int count = (int)(row.slope * (w - row.offset) + row.base);
        for (int k = count; k >= 0; --k) {
            Enemy* e = row.create();
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
