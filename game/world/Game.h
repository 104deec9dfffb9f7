// game/world: the top: the Game (one play-through and its waves) and the starfield behind it.
// No other folder includes it; the program, the tools and the tests do.
// Folders build one way, base <- settings <- scores <- weapons <- actors <- hud <- world: a file includes
// only its own folder and those before it (tests/game/LayoutTest checks this).
#ifndef VORLANE_GAME_GAME_H
#define VORLANE_GAME_GAME_H

#include "engine/math/vec2.h"
#include "game/base/Arena.h"
#include "game/settings/Difficulty.h"

class HUD_RadarBox;
class HUD_ScoreBox;
class HUD_WeaponBox;
class Reticle;
class ScoreCounter;
class Starfield;
class Text;

// One play-through: the arena with its lists of live game objects, the
// player, the particle systems, the starfield and the HUD. Runs them once per
// frame, drives the camera over the wrapping arena, starts the waves, shakes
// the screen and shows "Game Over". The program, the tools and the tests
// reach it through g_game; the objects inside it reach it as g_arena.
//
// Ownership: the game owns the player, the starfield, the HUD panels (and
// through them the counters), the reticle and the game-over text; the lists
// own whatever else they hold (enemies, power-ups, floating texts), which
// deletes itself when it dies. Deleting the game frees all of it and leaves
// nothing of it in the scenes, so that a new game can take its place.
class Game : public Arena {
public:
    Reticle* reticle;                 // the mouse reticle, in the HUD scene
    Starfield* starfield;             // background, the world scene's first child
    ScoreCounter* scoreCounter;       // the score display (owned by scoreBox)
    ScoreCounter* weaponCounter;      // the weapon box's third counter (owned by weaponBox)
    HUD_ScoreBox* scoreBox;           // top left
    HUD_WeaponBox* weaponBox;         // bottom left
    HUD_RadarBox* radarBox;           // bottom right
    Text* gameOverText;               // "Game Over" in the big font
    float gameOverStart, gameOverEnd; // fade-in of the game-over text, ms
    float shakeMagnitude;             // world units
    float shakeStart, shakeEnd;       // ms
    int wave;                         // number of the last wave started; 0 before the first
    float nextWaveTime;               // currentTime after which the next wave starts regardless, ms
    bool playing;                     // true until game over
    bool gameOverHeard;               // the game-over tune has been played
    int upgrades;                     // upgrade points collected
    int kills;                        // enemies destroyed in this game (shots, beams, nukes)
    unsigned updatePass;              // number of the current (or last) pass of the actor loop
    Difficulty chosenDifficulty;      // the player's choice in the options; set before init(); not read yet

    Game();
    // Deletes everything the game owns and what its lists still hold, takes
    // it all out of the scenes, and stops being g_game and g_arena.
    virtual ~Game();
    // Builds the scene for a new game; g_game must already point here.
    void init();
    // Places the HUD for the current screen size (Quenth's) and spreads the
    // stars over it: after a change of display mode.
    void relayout();
    // One frame of game logic; while the game clock is paused only the
    // reticle follows the mouse.
    void update();
    // Announces and creates the next wave.
    void nextWave();

    virtual void addScore(int points);
    virtual void addUpgrade(int points);
    virtual void screenShake(float duration, float magnitude);
    virtual void countKill();
    virtual void killEnemiesInRadius(quenth::vec2& center, float radius);
    virtual hit_struct hitEnemy(quenth::vec2 const& from, quenth::vec2 const& to);
    virtual hit_struct hitFriend(quenth::vec2 const& from, quenth::vec2 const& to);
};

// The running game; null until the title is left and while no game is on.
// Defined by the program with the singletons of game/base/Globals.h.
extern Game* g_game;

#endif
