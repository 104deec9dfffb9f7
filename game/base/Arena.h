// game/base: the ground of the game library: Actor, the Arena it lives in, the hit answer,
// the globals, the resource table, the fader and small helpers.
// Folders build one way, base <- settings <- scores <- weapons <- actors <- hud <- world: a file includes
// only its own folder and those before it (tests/game/LayoutTest checks this).
#ifndef VORLANE_GAME_ARENA_H
#define VORLANE_GAME_ARENA_H

#include "engine/math/vec2.h"
#include "engine/util/Stack.h"
#include "game/base/hit_struct.h"

class Actor;
class Enemy;
class Friend;
class ParticleLayer;
class ParticleSlice;
class ParticleSystem;
class Player;
class Powerup;
class Scene2D;

// The wrapping arena as its inhabitants see it: the lists of live objects,
// the shared particle systems, and the few game-wide services an actor or a
// gun asks for. The game (world/Game) is the one arena and implements the
// services; actors and guns reach it through g_arena and never through the
// game itself. The lists hold raw pointers; their objects delete themselves
// and leave the lists in their destructors. Whatever is still alive in them
// when the game ends is deleted with the game.
class Arena {
public:
    quenth::Stack<Actor*> actors;       // everything updated once per frame
    quenth::Stack<Enemy*> enemies;      // live enemies (also in actors)
    quenth::Stack<Friend*> friends;     // the player's side while alive
    quenth::Stack<Powerup*> powerups;   // tokens lying in the arena (also in actors)
    Player* player;                     // the player's ship; null until the game is built
    ParticleSystem* weaponParticles;    // 1024 particles: shots and hits
    ParticleSystem* explosionParticles; // 4096 particles: explosions
    ParticleSlice* explosionSlice;      // the slice of explosionParticles in the world scene
    float difficulty;                   // multiplier of enemy hull and score; times 1.1 per wave
    int lives;                          // spare ships
    float enemyDamageFactor;            // times the damage of an enemy bolt (1 on Normal)
    float enemyFireFactor;              // times the fire rate of an enemy gun (1 on Normal)
    double waveGrowth;                  // times the slope of the wave sizes (1 on Normal)
    double hullGrowth;                  // difficulty multiplier per wave (1.1 on Normal)
    unsigned actorRemovals;             // counts removals from actors; the actor loop watches it

    // Sparks and the ship's exhaust are drawn through it at half the world's
    // resolution: they are soft, and many of a busy frame's fragments. Null,
    // as in tests, draws them whole. Made by prepareDrawing and kept for the
    // program's life.
    static ParticleLayer* particleLayer;
    // The same for explosions, at a quarter of the resolution: their
    // particles start 52 to 80 world units wide and pile up by the hundred
    // where a wreck breaks, the largest share of a busy frame's fragments,
    // and at this size still read as they do drawn whole.
    static ParticleLayer* explosionLayer;

    // Empty lists of capacity 128 and the two particle systems; becomes g_arena.
    Arena();
    // Frees explosionSlice and the two particle systems and stops being
    // g_arena. Whatever used them (actors, guns) must be gone by then: the
    // game deletes it first.
    virtual ~Arena();

    // Makes particleLayer and explosionLayer for the world's size and draws a
    // few particles through each, so that the driver builds what the layers
    // need before play.
    static void prepareDrawing(Scene2D* world);

    // Takes an actor out of actors (the last entry moves into its slot).
    void removeActor(Actor* a);

    // Pays points into the score display.
    virtual void addScore(int points) = 0;
    // Adds upgrade points and shows them on the weapon panel.
    virtual void addUpgrade(int points) = 0;
    // A shake of duration ms decaying from magnitude world units; replaces a running one.
    virtual void screenShake(float duration, float magnitude) = 0;
    // The same, unless a shake running now is still stronger than magnitude.
    virtual void nudge(float duration, float magnitude) = 0;
    // An enemy was destroyed (by the player's guns or a nuke): counted for
    // the game's statistics.
    virtual void countKill() = 0;
    // Destroys every enemy with a wrapped image closer than radius to center.
    virtual void killEnemiesInRadius(quenth::vec2& center, float radius) = 0;
    // The enemy, or the friend, whose circle the segment from-to enters first
    // (wrapped images included); a miss has a null target.
    virtual hit_struct hitEnemy(quenth::vec2 const& from, quenth::vec2 const& to) = 0;
    virtual hit_struct hitFriend(quenth::vec2 const& from, quenth::vec2 const& to) = 0;
};

// The arena of the running game; null before the first game is made.
extern Arena* g_arena;

#endif
