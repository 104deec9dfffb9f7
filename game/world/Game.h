#ifndef VORLANE_GAME_GAME_H
#define VORLANE_GAME_GAME_H

#include "engine/math/vec2.h"
#include "engine/util/Stack.h"

class Actor;
class Enemy;
class Friend;
class HUD_RadarBox;
class HUD_ScoreBox;
class HUD_WeaponBox;
class ParticleSlice;
class ParticleSystem;
class Player;
class Powerup;
class Reticle;
class ScoreCounter;
class Starfield;
class Text;

// One play-through: the lists of live game objects, the player, the particle
// systems, the starfield and the HUD. Runs them once per frame, drives the
// camera over the wrapping arena, starts the waves, shakes the screen and
// shows "Game Over". Reached by every game object through g_game. The lists
// hold raw pointers; their objects delete themselves and leave the lists in
// their destructors.
class Game {
public:
    quenth::Stack<Actor*> actors;       // everything updated once per frame
    quenth::Stack<Enemy*> enemies;      // live enemies (also in actors)
    quenth::Stack<Friend*> friends;     // the player's side while alive
    quenth::Stack<Powerup*> powerups;   // tokens lying in the arena (also in actors)
    Player* player;                     // the player's ship
    Reticle* reticle;                   // the mouse reticle, in the HUD scene
    ParticleSystem* weaponParticles;    // 1024 particles: shots and hits
    ParticleSystem* explosionParticles; // 4096 particles: explosions
    ParticleSlice* explosionSlice;      // the slice of explosionParticles in the world scene
    Starfield* starfield;               // background, the world scene's first child
    ScoreCounter* scoreCounter;         // the score display (owned by scoreBox)
    ScoreCounter* weaponCounter;        // the weapon box's third counter (owned by weaponBox)
    HUD_ScoreBox* scoreBox;             // top left
    HUD_WeaponBox* weaponBox;           // bottom left
    HUD_RadarBox* radarBox;             // bottom right
    Text* gameOverText;                 // "Game Over" in the big font
    float gameOverStart, gameOverEnd;   // fade-in of the game-over text, ms
    float shakeMagnitude;               // world units
    float shakeStart, shakeEnd;         // ms
    float difficulty;                   // multiplier of enemy hull and score; times 1.1 per wave
    int wave;                           // number of the last wave started; 0 before the first
    float nextWaveTime;                 // currentTime after which the next wave starts regardless, ms
    bool playing;                       // true until game over
    int lives;                          // spare ships
    int upgrades;                       // upgrade points collected
    unsigned updatePass;                // number of the current (or last) pass of the actor loop
    unsigned actorRemovals;             // counts removals from actors; the actor loop watches it

    Game();
    // Builds the scene for a new game; g_game must already point here.
    void init();
    // One frame of game logic.
    void update();
    // Announces and creates the next wave.
    void nextWave();
    // A shake of duration ms decaying from magnitude world units; replaces a running one.
    void screenShake(float duration, float magnitude);
    // Destroys every enemy with a wrapped image closer than radius to center.
    void killEnemiesInRadius(quenth::vec2& center, float radius);
    // Takes an actor out of actors (the last entry moves into its slot).
    void removeActor(Actor* a);
};

#endif
