#include <algorithm>
#include <vector>

#include "engine/core/GameClock.h"
#include "game/actors/Enemy.h"
#include "game/actors/EnemyShip.h"
#include "game/actors/Player.h"
#include "game/actors/Powerup.h"
#include "game/actors/TextIndicator.h"
#include "game/base/Actor.h"
#include "game/base/StackRemove.h"
#include "game/hud/ScoreCounter.h"
#include "game/weapons/EnemyWeapon.h"
#include "game/world/Starfield.h"
#include "tests/game/GameTestSupport.h"
#include "tests/support/AllocCounter.h"

namespace {

// An actor that logs its id on each update and can, during its update,
// delete itself, delete another actor, or push a new actor.
class ProbeActor : public Actor {
public:
    std::vector<int>* log;
    int id;
    ProbeActor* victim = nullptr; // deleted during this actor's update
    bool selfDelete = false;
    bool spawnChild = false;
    static int nextChildId;

    ProbeActor(std::vector<int>* log, int id) : log(log), id(id) {}
    void update() override {
        log->push_back(id);
        if (victim) {
            delete victim;
            victim = nullptr;
        }
        if (spawnChild) {
            spawnChild = false;
            g_game->actors.push(new ProbeActor(log, nextChildId++));
        }
        if (selfDelete) delete this;
    }
};
int ProbeActor::nextChildId = 100;

int timesIn(std::vector<int> const& log, int id) {
    int n = 0;
    for (int p : log)
        if (p == id) ++n;
    return n;
}

Enemy* addFighterAt(float x, float y) {
    Fighter* f = new Fighter();
    f->spawn();
    g_game->enemies.push(f);
    g_game->actors.push(f);
    f->position = quenth::vec2(x, y);
    return f;
}

} // namespace

using GameLoopTest = GameTest;

TEST_F(GameLoopTest, EveryActorIsUpdatedOnceWhileActorsDeleteThemselvesAndOthers) {
    // Only probes in the list, so the test sees every update.
    g_game->actors.clear();
    std::vector<int> log;
    ProbeActor* a[8];
    for (int i = 0; i < 8; ++i) {
        a[i] = new ProbeActor(&log, i);
        g_game->actors.push(a[i]);
    }
    a[1]->selfDelete = true; // the last entry moves into slot 1 during the pass
    a[2]->victim = a[6];     // an actor deleted before its turn
    a[5]->victim = a[0];     // an updated actor below: the last entry moves below i
    a[3]->spawnChild = true; // a new actor joins the pass
    a[4]->spawnChild = true; // a new actor, then the pusher deletes itself
    a[4]->selfDelete = true;
    ProbeActor::nextChildId = 100;

    g_game->update();

    for (int id : {0, 1, 2, 3, 4, 5, 7, 100, 101}) EXPECT_EQ(timesIn(log, id), 1) << "actor " << id;
    EXPECT_EQ(timesIn(log, 6), 0);
    EXPECT_EQ(log.size(), 9u);
    ASSERT_EQ(g_game->actors.count, 6u); // 8 - 4 deleted + 2 children

    // The next frame updates every survivor once more.
    log.clear();
    g_game->update();
    EXPECT_EQ(log.size(), 6u);
    for (int id : {2, 3, 5, 7, 100, 101}) EXPECT_EQ(timesIn(log, id), 1) << "actor " << id;
}

TEST_F(GameLoopTest, KillEnemiesInRadiusReachesAcrossTheSeam) {
    Enemy* far = addFighterAt(4090, 1000);
    Enemy* out = addFighterAt(60, 1000);
    quenth::vec2 center(10, 1000);
    g_game->killEnemiesInRadius(center, 20);
    EXPECT_FALSE(stackContains(g_game->enemies, far));
    EXPECT_TRUE(stackContains(g_game->enemies, out));
    EXPECT_EQ(g_game->enemies.count, 1u);
}

TEST_F(GameLoopTest, KillEnemiesInRadiusDestroysNeighboursInTheList) {
    addFighterAt(3000, 3000);
    Enemy* b = addFighterAt(100, 100);
    Enemy* c = addFighterAt(120, 90);
    addFighterAt(2000, 100);
    Enemy* e = addFighterAt(4000, 4050); // in range through its diagonal image
    quenth::vec2 center(20, 20);
    int scoreBefore = g_game->scoreCounter->value;
    g_game->killEnemiesInRadius(center, 200);
    EXPECT_FALSE(stackContains(g_game->enemies, b));
    EXPECT_FALSE(stackContains(g_game->enemies, c));
    EXPECT_FALSE(stackContains(g_game->enemies, e));
    EXPECT_EQ(g_game->enemies.count, 2u);
    EXPECT_EQ(g_game->scoreCounter->value, scoreBefore + 3 * 50);
    EXPECT_EQ(g_game->kills, 3);
}

TEST_F(GameLoopTest, CameraDeltaStaysSmallWhenTheShipCrossesTheSeam) {
    Player* p = g_game->player;
    p->position = quenth::vec2(4094, 2000);
    p->velocity = quenth::vec2(300, 0);
    p->cameraLead = quenth::vec2(0, 0);
    advance(16);
    g_game->update();
    float before = g_game->starfield->stars[0].x;
    for (int i = 0; i < 3; ++i) {
        advance(16);
        g_game->update();
        float after = g_game->starfield->stars[0].x;
        float moved = quenth::Math::wrapf(after - before + 690, 0, 1380) - 690;
        EXPECT_LT(fabsf(moved), 10.0f); // about 5 units a frame at most
        before = after;
    }
    EXPECT_LT(p->position.x, 100.0f); // the ship did cross
}

TEST_F(GameLoopTest, CameraLeadsTheShipAndZoomsOut) {
    Player* p = g_game->player;
    p->position = quenth::vec2(2000, 2000);
    p->velocity = quenth::vec2(0, 0);
    p->cameraLead = quenth::vec2(300, 0);
    advance(16);
    g_game->update();
    Camera2D* cam = g_world->getCamera();
    // The player update shrinks the lead a little before the camera reads it.
    float lead = p->cameraLead.x;
    EXPECT_NEAR(cam->x, p->position.x + 0.3f * lead, 0.01f);
    EXPECT_NEAR(cam->zoom, 1.0f - 0.2f * lead / p->cameraLeadMax, 1e-5);
}

TEST_F(GameLoopTest, ScreenShakeDecaysAndIsReplaced) {
    Player* p = g_game->player;
    p->velocity = quenth::vec2(0, 0);
    p->cameraLead = quenth::vec2(0, 0);
    g_game->screenShake(0, 50); // duration 0: no effect
    advance(16);
    g_game->update();
    Camera2D* cam = g_world->getCamera();
    EXPECT_FLOAT_EQ(cam->x, p->position.x);
    EXPECT_FLOAT_EQ(cam->y, p->position.y);

    g_game->screenShake(1000, 50);
    g_game->screenShake(400, 10); // replaces the first
    EXPECT_FLOAT_EQ(g_game->shakeMagnitude, 10);
    float maxOffset = 0;
    for (int i = 0; i < 20; ++i) {
        advance(16);
        g_game->update();
        maxOffset = fmaxf(maxOffset, fabsf(cam->x - p->position.x));
    }
    EXPECT_GT(maxOffset, 0.0f);
    EXPECT_LE(maxOffset, 10.0f);
    advance(400);
    g_game->update();
    EXPECT_FLOAT_EQ(cam->x, p->position.x);
}

TEST_F(GameLoopTest, AFrameOfPlayAllocatesNothingInTheSteadyState) {
    g_game->nextWave();
    // Enemies that cannot die: kills and drops make objects by design.
    for (unsigned i = 0; i < g_game->enemies.count; ++i) g_game->enemies[i]->hull = 1e9f;
    Player* p = g_game->player;
    holdKey(SDLK_d);
    holdButton(SDL_BUTTON_LEFT);
    holdButton(SDL_BUTTON_RIGHT);
    setMouse(900, 300);
    // Warm up: the first frames fill the work stores of the hit tests and
    // the particle pools.
    for (int i = 0; i < 200; ++i) {
        advance(16);
        g_game->update();
        p->energy = 350;
        p->hull = 125;
    }
    testsupport::AllocScope scope;
    for (int i = 0; i < 100; ++i) {
        advance(16);
        g_game->update();
        p->energy = 350;
        p->hull = 125;
    }
    EXPECT_EQ(scope.count(), 0u);
    EXPECT_EQ(g_game->enemies.count, 13u);
}

TEST_F(GameLoopTest, AnEnemyShotDuringThePlayersUpdateSkipsNoOtherActor) {
    // actors: the enemy, the player, then probes; the player's first bolt
    // kills the enemy, whose slot the last probe takes.
    g_game->actors.clear();
    Player* p = g_game->player;
    p->position = quenth::vec2(2000, 2000);
    p->velocity = quenth::vec2(0, 0);
    p->cameraLead = quenth::vec2(0, 0);
    Enemy* e = addFighterAt(2040, 2000);
    e->hull = 1;
    g_game->actors.clear();
    g_game->actors.push(e);
    g_game->actors.push(p);
    std::vector<int> log;
    for (int i = 0; i < 4; ++i) g_game->actors.push(new ProbeActor(&log, i));
    Camera2D* cam = g_world->getCamera();
    cam->x = 2000;
    cam->y = 2000;
    cam->zoom = 1;
    setMouse(640 + 300, 360); // aim to the right
    holdButton(SDL_BUTTON_LEFT);
    int score = g_game->scoreCounter->value;

    advance(16);
    g_game->update();

    EXPECT_EQ(g_game->enemies.count, 0u);
    EXPECT_EQ(g_game->scoreCounter->value, score + 50);
    EXPECT_EQ(g_game->kills, 1);
    for (int id = 0; id < 4; ++id) EXPECT_EQ(timesIn(log, id), 1) << "probe " << id;
}

TEST_F(GameLoopTest, PlayWithKillsDropsAndPickUpsAllocatesOnlyForNewObjects) {
    // Wave 1 played for 1200 frames: the player stays at the centre, aims at
    // the nearest enemy and fires both guns; every 30 frames it jumps onto a
    // lying token to pick it up. Enemies die, tokens drop and are collected,
    // indicators rise and expire, the next wave comes when the arena is clear.
    // New objects (enemies, tokens, indicators) are made with new by design;
    // every other frame must allocate nothing.
    g_game->nextWave();
    Player* p = g_game->player;
    holdButton(SDL_BUTTON_LEFT);
    holdButton(SDL_BUTTON_RIGHT);
    for (unsigned i = 0; i < g_game->enemies.count; ++i) {
        float a = 0.7f * i;
        g_game->enemies[i]->position = p->position + quenth::vec2(cosf(a), sinf(a)) * 600;
    }
    std::vector<Actor*> before;
    before.reserve(4096);
    unsigned quietFrames = 0, quietAllocs = 0, births = 0, kills = 0, pickups = 0, expired = 0;
    uint64_t birthAllocs = 0;
    unsigned maxPerBirth = 0;
    for (int frame = 0; frame < 1200; ++frame) {
        // Aim at the nearest enemy through the camera (no rotation).
        Camera2D* cam = g_world->getCamera();
        float best = 1e9f;
        quenth::vec2 aim(640, 200);
        for (unsigned i = 0; i < g_game->enemies.count; ++i) {
            quenth::vec2 d = g_game->enemies[i]->position - p->position;
            d.x = quenth::Math::wrapf(d.x + 2048, 0, 4096) - 2048;
            d.y = quenth::Math::wrapf(d.y + 2048, 0, 4096) - 2048;
            if (d.length() < best) {
                best = d.length();
                quenth::vec2 target = p->position + d;
                aim = quenth::vec2(640 + (target.x - cam->x) * cam->zoom,
                                   360 + (target.y - cam->y) * cam->zoom);
            }
        }
        setMouse((int)aim.x, (int)aim.y);
        // Enemies hold off at about half the arena (each steers at the last
        // wrapped image of the ship in sight): new ones are placed in range.
        for (unsigned i = 0; i < g_game->enemies.count; ++i) {
            Enemy* e = g_game->enemies[i];
            if (e->spawnStart == (float)quenth::GameClock::currentTime) {
                float a = 0.7f * i;
                e->position = p->position + quenth::vec2(cosf(a), sinf(a)) * 600;
            }
        }
        if (frame % 30 == 0 && g_game->powerups.count > 0 && !g_game->powerups[0]->collecting)
            p->position = g_game->powerups[0]->position;

        before.assign(g_game->actors.data, g_game->actors.data + g_game->actors.count);
        unsigned enemiesBefore = g_game->enemies.count, tokensBefore = g_game->powerups.count;
        unsigned indicatorsBefore = 0;
        for (Actor* a : before)
            if (dynamic_cast<TextIndicator*>(a)) ++indicatorsBefore;
        int waveBefore = g_game->wave;

        advance(16);
        uint64_t start = testsupport::threadAllocCount();
        g_game->update();
        uint64_t allocs = testsupport::threadAllocCount() - start;
        p->hull = 125;
        p->energy = 350;

        // Objects born in this frame: indicators and enemies carry their
        // birth time; tokens are new to the list.
        uint32_t now = quenth::GameClock::currentTime;
        unsigned born = 0, indicatorsAfter = 0, bornIndicators = 0;
        for (unsigned i = 0; i < g_game->actors.count; ++i) {
            Actor* a = g_game->actors[i];
            if (TextIndicator* t = dynamic_cast<TextIndicator*>(a)) {
                ++indicatorsAfter;
                if (t->birthTime == now) ++bornIndicators;
            } else if (Enemy* e = dynamic_cast<Enemy*>(a)) {
                if (e->spawnStart == (float)now) ++born;
            } else if (dynamic_cast<Powerup*>(a) &&
                       std::find(before.begin(), before.end(), a) == before.end()) {
                ++born;
            }
        }
        born += bornIndicators;
        if (g_game->wave == waveBefore && g_game->enemies.count < enemiesBefore)
            kills += enemiesBefore - g_game->enemies.count;
        if (g_game->powerups.count < tokensBefore) pickups += tokensBefore - g_game->powerups.count;
        if (indicatorsAfter < indicatorsBefore + bornIndicators)
            expired += indicatorsBefore + bornIndicators - indicatorsAfter;

        if (frame < 100) continue; // first frames: work stores and pools settle
        if (born == 0) {
            ++quietFrames;
            quietAllocs += (unsigned)allocs;
            EXPECT_EQ(allocs, 0u) << "frame " << frame << " made nothing new but allocated";
        } else {
            births += born;
            birthAllocs += allocs;
            maxPerBirth = std::max(maxPerBirth, (unsigned)(allocs / born));
        }
    }
    // The run really was play: kills, pick-ups, expiring messages.
    EXPECT_GE(kills, 5u);
    EXPECT_GE(pickups, 2u);
    EXPECT_GE(expired, 5u);
    EXPECT_GT(quietFrames, 800u);
    EXPECT_EQ(quietAllocs, 0u);
    // A new object costs a bounded number of blocks: an indicator or a token
    // a few (object, nodes, text); an enemy the most (object, nodes, its gun
    // with the bullet pool and 16 spark slices).
    EXPECT_LE(maxPerBirth, 24u) << births << " births, " << birthAllocs << " allocations";
}
