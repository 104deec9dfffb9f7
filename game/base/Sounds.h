#ifndef VORLANE_GAME_SOUNDS_H
#define VORLANE_GAME_SOUNDS_H

#include "engine/audio/ChannelTable.h"
#include "engine/audio/SoundPlace.h"
#include "engine/math/vec2.h"

#include <cstdint>

// Every sound effect of the game, by the event it goes with. The files are
// made by tools/sfxgen.
enum SoundEffect {
    NO_SOUND = -1,
    PLASMA_SHOT,     // the player's plasma bolt leaves
    ENEMY_SHOT,      // an enemy's bolt leaves (placed)
    LASER_START,     // the laser starts a burn
    LASER_LOOP,      // the burn, for as long as a beam lives
    PLASMA_HIT,      // a bolt strikes an enemy that survives (placed)
    LASER_HIT,       // the beam burns an enemy (placed)
    EXPLODE_SMALL,   // an enemy bursts, by its radius (placed)
    EXPLODE_MEDIUM,  //
    EXPLODE_LARGE,   //
    PLAYER_HIT,      // the ship takes damage and survives
    PLAYER_DEATH,    // the ship is lost
    RESPAWN,         // a new ship grows in
    POWERUP_UPGRADE, // the power-ups, in the order of their kinds 0 to 6
    POWERUP_ENERGY,  //
    POWERUP_SHIELD,  //
    POWERUP_SCORE,   //
    POWERUP_HULL,    //
    POWERUP_SPEED,   //
    POWERUP_NUKE,    //
    WAVE_INCOMING,   // "Wave N incoming"
    GAME_OVER,       // the game-over text is up
    MENU_MOVE,       // the menu's selection moves
    MENU_CHOOSE,     // a menu entry is chosen
    SOUND_EFFECT_COUNT
};

// The channel groups: a storm of explosions takes only the explosion
// channels, never those of the player's own guns or of the announcements.
enum SoundGroup {
    SHIP_GROUP,      // the player's guns
    EVENT_GROUP,     // what happens to the player, power-ups, waves, game over
    INTERFACE_GROUP, // menus; the one group that plays on while play is paused
    COMBAT_GROUP,    // enemy bolts and hits
    EXPLOSION_GROUP, // wrecks
    SOUND_GROUP_COUNT
};

// One row of the effect table.
struct SoundEffectRow {
    char const* file;   // in sfx/
    SoundGroup group;   // channels it plays on
    int maxVoices;      // voices of it at once
    uint32_t retrigger; // ms: a request this soon after the last start makes that one louder instead
    uint32_t length;    // ms, as the generator makes it (the loaded file's length replaces it); 0: a loop
    float volume;       // 0-1: its level against the other effects and the music
    bool placed;        // heard from where it happens (playAt); else from the middle
};

// The game's sound effects: the table above, the channels and the calls made
// at the events. Static, like the resource table: loaded once at start-up,
// after the music opened the device. Every call is safe without a device,
// and without one nothing is heard; the channel table decides all the same,
// so the rules run in tests with a set clock. Nothing here allocates after
// load() or prints while playing.
//
// Game effects are timed by the game clock and are held while play is paused;
// interface effects by the frame clock.
class Sounds {
public:
    static SoundEffectRow const effects[SOUND_EFFECT_COUNT];
    static int const groupChannels[SOUND_GROUP_COUNT]; // channels per group, 24 in all
    static quenth::ChannelTable table;                 // what each channel plays, as last decided
    static float effectsVolume;                        // 0-1, over every effect; default 0.8
    static bool paused;                                // the game groups are paused
    static quenth::vec2 listener;                      // the player's ship: placed sounds are heard from here

    // Loads every effect, once the device is open (silent without one).
    static void load();
    // Plays e from the middle at its full level.
    static void play(SoundEffect e);
    // Plays e as heard from the listener: panned, quieter with distance,
    // silent far off the screen. An effect that is not placed plays as play(e).
    static void playAt(SoundEffect e, quenth::vec2 const& where);
    // Where a sound at where is heard from the listener: the short way
    // across the wrapping arena, against the width of the screen.
    static quenth::SoundPlace placeOf(quenth::vec2 const& where);
    // Keeps the loop e playing while on holds, from the middle; fades it out
    // when on turns false. Called once per frame by what owns the loop.
    static void loop(SoundEffect e, bool on);
    // Holds (on) or resumes every effect but the menus': what is playing
    // stops where it is and nothing new of the game starts until resumed.
    static void pause(bool on);
    // The game is left: its effects fade out over ms (held ones stop at
    // once) and the pause ends; the menus' sounds play on.
    static void endPlay(int ms);
    // Fades every effect out over ms (on quitting).
    static void fadeOutAll(int ms);

    // Volumes in percent, 0-100, as the settings keep them.
    static void setEffectsVolume(float percent);
    static void setMusicVolume(float percent);

private:
    static void start(SoundEffect e, float gain, float pan);
    static quenth::ChannelTable makeTable();
};

#endif
