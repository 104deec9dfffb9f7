// Restarts: a game that is deleted takes everything it made with it, so that
// any number of games can follow one another in one process.
#include <cinttypes>
#include <cstdio>

#include "engine/core/GameClock.h"
#include "game/actors/Enemy.h"
#include "game/actors/Player.h"
#include "game/actors/Powerup.h"
#include "game/base/StackRemove.h"
#include "game/base/WrappedOffset.h"
#include "particles/ParticleSystem.h"
#include "scene/Text.h"
#include "tests/game/GameTestSupport.h"
#include "tests/support/AllocCounter.h"
#include "tests/support/HeapCounter.h"

namespace {

// What one game brought about, counted as it was played.
struct Played {
    int enemies = 0;        // enemies that came into the arena
    int deaths = 0;         // of them those that left it during play
    int pickups = 0;        // tokens collected
    int nukes = 0;          // of them nukes
    bool nukeGiven = false; // a token has been made a nuke
};

// The heap as seen from the test's thread.
struct Balance {
    int64_t newBlocks; // blocks from operator new not yet deleted
    int64_t heapBytes; // the C heap's balance (cHeapBalance)
};

Balance balance() {
    return {(int64_t)(testsupport::allocCount() - testsupport::deleteCount()), cHeapBalance()};
}

// Marks the enemies that play() has already set up.
const float seen = 0.5f;

} // namespace

class RestartTest : public GameTest {
protected:
    // One frame of a player who stays in a ring of enemies and shoots the
    // nearest with both guns, and now and then jumps onto a lying token.
    // Enemies are made weak and generous with tokens, so that kills, drops
    // and pick-ups come quickly; the first token of a game is a nuke.
    void fight(int frame, Played& played) {
        Player* p = g_game->player;
        quenth::vec2 world = g_world->worldSize;
        played.enemies += newEnemies(true);
        quenth::vec2 aim(0, -300);
        for (unsigned i = 0; i < g_game->enemies.count; ++i) {
            quenth::vec2 d = wrappedOffset(p->position, g_game->enemies[i]->position, world);
            if (i == 0 || d.length() < aim.length()) aim = d;
        }
        aimAt(p->position + aim);

        Powerup* flying[64];
        unsigned kinds[64], nFlying = 0;
        for (unsigned i = 0; i < g_game->powerups.count; ++i) {
            Powerup* t = g_game->powerups[i];
            if (!played.nukeGiven) {
                t->kind = 6;
                played.nukeGiven = true;
            }
            if (t->collecting && nFlying < 64) {
                kinds[nFlying] = t->kind;
                flying[nFlying++] = t;
            }
        }
        if (frame % 20 == 0 && g_game->powerups.count > 0 && !g_game->powerups[0]->collecting &&
            g_game->player->hull > 0)
            p->position = g_game->powerups[0]->position;

        advance(16);
        g_game->update();
        for (unsigned i = 0; i < nFlying; ++i) {
            if (stackContains(g_game->powerups, flying[i])) continue;
            ++played.pickups;
            if (kinds[i] == 6) ++played.nukes;
        }
    }

    // Eight seconds of fighting with the ship kept whole, a ship lost and
    // brought back, then the last ship lost and "Game Over" faded in.
    void play(Played& played) {
        holdButton(SDL_BUTTON_LEFT);
        holdButton(SDL_BUTTON_RIGHT);
        holdKey(SDLK_w);
        Player* p = g_game->player;
        int frame = 0;
        for (; frame < 500; ++frame) {
            fight(frame, played);
            p->hull = 125;
            p->energy = 350;
        }
        p->damage(1e9f);
        for (; frame < 960; ++frame) fight(frame, played); // 6 s away, 1 s growing in
        EXPECT_EQ(g_game->lives, 2);
        g_game->lives = 0;
        p->damage(1e9f);
        for (; frame < 1080; ++frame) fight(frame, played);
        // A wave that came in the last frame is still unseen.
        played.deaths = played.enemies + newEnemies(false) - (int)g_game->enemies.count;
    }

    // Counts the enemies play has not seen yet; with setUp it places them in
    // the ring, weak and generous, and marks them seen.
    static int newEnemies(bool setUp) {
        Player* p = g_game->player;
        int n = 0;
        for (unsigned i = 0; i < g_game->enemies.count; ++i) {
            Enemy* e = g_game->enemies[i];
            if (e->dropChance == seen) continue;
            ++n;
            if (!setUp) continue;
            float a = 0.7f * i;
            e->position = p->position + quenth::vec2(cosf(a), sinf(a)) * 500;
            e->hull = 10;
            e->dropChance = seen;
        }
        return n;
    }
};

TEST_F(RestartTest, TwentyGamesInOneProcessHandBackEveryBlock) {
    delete g_game; // the fixture's; the games below are made the way a restart makes them
    ASSERT_EQ(g_arena, nullptr);
    armCAllocCounter();

    const int games = 20;
    Balance start = balance(), held[games], left[games];
    Played played[games];
    int kills[games];
    for (int n = 0; n < games; ++n) {
        // Every game the same: a difference between them is a leak, not play.
        g_rand.init(1234);
        ParticleSystem::random.init(77);
        setTime(100000);
        releaseAllInput();
        g_game = new Game();
        g_game->init();
        g_game->nextWave();
        play(played[n]);
        kills[n] = g_game->kills;
        EXPECT_FALSE(g_game->playing);
        EXPECT_FLOAT_EQ(g_game->gameOverText->color.a, 1);
        held[n] = balance();

        delete g_game;
        left[n] = balance();
        EXPECT_EQ(g_game, nullptr);
        EXPECT_EQ(g_arena, nullptr);
        EXPECT_EQ(g_world->count, 0u) << "game " << n + 1 << " left drawables in the world";
        EXPECT_EQ(g_hud->count, 0u) << "game " << n + 1 << " left drawables on the HUD";
    }

    for (int n = 0; n < games; ++n) {
        printf("game %2d: %d kills (%d nuked), %d pick-ups; at its end %+" PRId64 " new blocks, %+" PRId64
               " heap bytes; after it %+" PRId64 " new blocks, %+" PRId64 " heap bytes\n",
               n + 1, kills[n], played[n].nukes, played[n].pickups, held[n].newBlocks - start.newBlocks,
               held[n].heapBytes - start.heapBytes, left[n].newBlocks - start.newBlocks,
               left[n].heapBytes - start.heapBytes);
        // Real play: the kill counter saw every enemy that died, a nuke and
        // other tokens were picked up.
        EXPECT_EQ(kills[n], played[n].deaths) << "game " << n + 1;
        EXPECT_GE(kills[n], 20) << "game " << n + 1;
        EXPECT_EQ(played[n].nukes, 1) << "game " << n + 1;
        EXPECT_GE(played[n].pickups, 3) << "game " << n + 1;
        // The particle pools alone are about 390 kB.
        EXPECT_GT(held[n].heapBytes - left[n].heapBytes, 400000) << "game " << n + 1;
        // The first game may leave the statics it made behind; from then on
        // each game leaves the heap exactly as the one before it.
        if (n == 0) continue;
        EXPECT_EQ(left[n].newBlocks, left[0].newBlocks) << "game " << n + 1;
        EXPECT_EQ(left[n].heapBytes, left[0].heapBytes) << "game " << n + 1;
    }
    g_game = nullptr; // nothing left for the fixture to delete
}
