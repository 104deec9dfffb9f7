#include "game/base/Sounds.h"

#include "game/actors/EnemyShip.h"
#include "game/actors/Player.h"
#include "game/actors/Powerup.h"
#include "game/weapons/Laser.h"
#include "tests/game/GameTestSupport.h"

#include <cmath>

using quenth::SoundPlace;
using quenth::vec2;

namespace {

// No device in these tests: nothing is heard, but the channel table decides
// as it would with one, timed by the game clock.
class SoundsTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        quiet();
        Sounds::pause(false);
        Sounds::setEffectsVolume(80);
        Sounds::listener = g_game->player->position;
    }
    void TearDown() override {
        Sounds::pause(false);
        GameTest::TearDown();
    }
    static void quiet() {
        for (int c = 0; c < Sounds::table.channelCount; ++c) Sounds::table.release(c);
    }
    // Interface sounds are timed by the frame clock, which the tests move with the game clock.
    static int channelOf(SoundEffect e) { return Sounds::table.find(e, now()); }
    static bool heard(SoundEffect e) { return channelOf(e) >= 0; }
    static int voicesIn(SoundGroup g) {
        quenth::ChannelGroup const& group = Sounds::table.groups[g];
        int n = 0;
        for (int c = group.first; c < group.first + group.count; ++c) n += Sounds::table.busy(c, now());
        return n;
    }
    static uint32_t now() { return quenth::GameClock::currentTime; }
    // Runs frames of the game, ms each.
    static void frames(int n, uint32_t ms = 16) {
        for (int i = 0; i < n; ++i) {
            advance(ms);
            g_game->update();
        }
    }
};

} // namespace

TEST_F(SoundsTest, PlacedEffectsPanAndFadeTheShortWayAcrossTheWrap) {
    Sounds::listener = vec2(4090, 1000);
    // Just across the seam: near, a little to the right, at full level.
    SoundPlace p = Sounds::placeOf(vec2(20, 1000));
    EXPECT_NEAR(p.pan, 26.0f / 640, 1e-4);
    EXPECT_FLOAT_EQ(p.gain, 1);
    EXPECT_NEAR(Sounds::placeOf(vec2(3790, 1000)).pan, -300.0f / 640, 1e-4);
    // Off the right edge of the screen, through the seam: hard right, quieter, and quieter farther on.
    SoundPlace edge = Sounds::placeOf(vec2(700, 1000)), farther = Sounds::placeOf(vec2(1000, 1000));
    EXPECT_FLOAT_EQ(edge.pan, 1);
    EXPECT_GT(edge.gain, 0.3f);
    EXPECT_LT(edge.gain, 0.8f);
    EXPECT_GT(farther.gain, 0);
    EXPECT_LT(farther.gain, edge.gain);
    // Far off the screen, the short way round: not heard at all.
    EXPECT_FLOAT_EQ(Sounds::placeOf(vec2(4090, 1000 + 2048)).gain, 0);
    Sounds::playAt(EXPLODE_SMALL, vec2(4090 - 1700, 1000));
    EXPECT_FALSE(heard(EXPLODE_SMALL));
    // The ship's own gun is heard from the middle wherever it is said to be.
    Sounds::playAt(PLASMA_SHOT, vec2(4090 - 1700, 1000));
    EXPECT_TRUE(heard(PLASMA_SHOT));
}

TEST_F(SoundsTest, AStormOfWrecksJoinsUpAndLeavesTheShipAndTheAnnouncementsTheirChannels) {
    vec2 ship = Sounds::listener;
    // Eight wrecks in one frame: one voice, 3 dB over one wreck and no more.
    for (int i = 0; i < 8; ++i) Sounds::playAt(EXPLODE_MEDIUM, ship + vec2(40.0f * i, 0));
    EXPECT_EQ(voicesIn(EXPLOSION_GROUP), 1);
    float gain =
        Sounds::table.voices[channelOf(EXPLODE_MEDIUM)].gain / Sounds::effects[EXPLODE_MEDIUM].volume;
    EXPECT_NEAR(20 * std::log10(gain), 3.0, 0.1);

    // Two seconds of wave-20 fighting: every frame wrecks of all sizes,
    // enemy bolts and hits all around the ship.
    for (int f = 0; f < 120; ++f) {
        advance(16);
        for (int i = 0; i < 8; ++i) {
            vec2 at =
                ship + vec2((float)((f * 37 + i * 101) % 900) - 450, (float)((f * 53 + i * 71) % 600) - 300);
            Sounds::playAt((SoundEffect)(EXPLODE_SMALL + i % 3), at);
            Sounds::playAt(ENEMY_SHOT, at);
            Sounds::playAt(PLASMA_HIT, at);
        }
    }
    EXPECT_EQ(voicesIn(EXPLOSION_GROUP), Sounds::groupChannels[EXPLOSION_GROUP])
        << "the storm fills its group";
    EXPECT_EQ(voicesIn(SHIP_GROUP) + voicesIn(EVENT_GROUP), 0);
    Sounds::play(PLASMA_SHOT);
    Sounds::play(WAVE_INCOMING);
    EXPECT_TRUE(heard(PLASMA_SHOT));
    EXPECT_TRUE(heard(WAVE_INCOMING));
}

TEST_F(SoundsTest, EveryEventOfPlayIsHeard) {
    // The laser: an ignition, then the burn for as long as its beams live.
    Player* ship = g_game->player;
    setMouse(900, 360);
    holdButton(SDL_BUTTON_RIGHT);
    frames(1);
    EXPECT_TRUE(heard(LASER_START));
    EXPECT_FALSE(heard(LASER_LOOP)) << "the burn starts under the ignition";
    frames(16);
    EXPECT_TRUE(heard(LASER_LOOP));
    quiet();
    frames(30); // still held: beams overlap, no second ignition
    EXPECT_FALSE(heard(LASER_START));
    releaseAllInput();
    int left = 0;
    for (; ship->laser->burning((float)now()) && left < 100; ++left) {
        EXPECT_TRUE(heard(LASER_LOOP));
        frames(1);
    }
    EXPECT_GT(left, 10);
    EXPECT_FALSE(heard(LASER_LOOP)) << "the burn goes on after the beams";

    // Wrecks by their size.
    Enemy* wrecks[2] = {new Fighter(), new Hammerhead2()};
    for (Enemy* e : wrecks) {
        e->spawn(); // far from the ship
        e->position = ship->position;
        e->destroy();
    }
    EXPECT_TRUE(heard(EXPLODE_SMALL));
    EXPECT_TRUE(heard(EXPLODE_LARGE));
    EXPECT_FALSE(heard(EXPLODE_MEDIUM));

    Powerup* nuke = new Powerup();
    nuke->kind = 6;
    nuke->collect();
    delete nuke;
    EXPECT_TRUE(heard(POWERUP_NUKE));

    // Paused: the game's effects are held and not started; the menus' are.
    // Leaving the game frees the held ones and ends the pause.
    Sounds::pause(true);
    Sounds::play(WAVE_INCOMING);
    Sounds::play(MENU_MOVE);
    EXPECT_FALSE(heard(WAVE_INCOMING));
    EXPECT_TRUE(heard(MENU_MOVE));
    Sounds::endPlay(200);
    EXPECT_FALSE(heard(POWERUP_NUKE));
    EXPECT_TRUE(heard(MENU_MOVE));
    Sounds::play(WAVE_INCOMING);
    EXPECT_TRUE(heard(WAVE_INCOMING));
    quiet();

    // Hit, lost, back again; the last ship lost is game over, and its tune
    // comes once the text is up, after the blast.
    ship->damage(10);
    EXPECT_TRUE(heard(PLAYER_HIT));
    ship->damage(1000);
    EXPECT_TRUE(heard(PLAYER_DEATH));
    frames(6000 / 100 + 1, 100);
    EXPECT_TRUE(heard(RESPAWN));
    frames(11, 100);
    g_game->lives = 0;
    quiet();
    ship->damage(1000);
    frames(1);
    EXPECT_FALSE(g_game->playing);
    EXPECT_FALSE(heard(GAME_OVER));
    frames(1500 / 100, 100);
    EXPECT_TRUE(heard(GAME_OVER));
    g_game->nextWave();
    EXPECT_TRUE(heard(WAVE_INCOMING));
}

TEST_F(SoundsTest, ABurnEndsWithItsGame) {
    setMouse(900, 360);
    holdButton(SDL_BUTTON_RIGHT);
    frames(20);
    ASSERT_TRUE(heard(LASER_LOOP));
    delete g_game;
    EXPECT_FALSE(heard(LASER_LOOP)) << "the hum goes on after the game";
}
