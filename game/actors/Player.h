#ifndef VORLANE_GAME_PLAYER_H
#define VORLANE_GAME_PLAYER_H

#include "engine/math/vec2.h"
#include "game/actors/Friend.h"

class Group;
class Laser;
struct ParticleEmitter;
class ParticleSystem;
class Plasma;
class Sprite;
class Text;

// The player's ship: three stacked, separately spinning layers with two
// glows, steered with W, A, S, D, aimed with the mouse, plasma on the left
// and laser on the right button. Thrust and both guns draw on one energy pool.
// On death it explodes, the camera drifts to a new spot and the ship grows
// back in while lives last.
class Player : public Friend {
public:
    ParticleSystem* exhaust;         // engine exhaust, 256 particles, owned
    ParticleEmitter* exhaustEmitter; // the one emitter of exhaust
    Plasma* plasma;                  // left-button gun, owned
    Laser* laser;                    // right-button gun, owned
    Group* ship;                     // the ship node, owned; drawable is its drawable part
    Sprite* bottomSprite;            // 64 x 64, owned; spins at -165 degrees per second
    Sprite* middleSprite;            // 64 x 64, owned; spins at 20 degrees per second
    Sprite* topSprite;               // 64 x 64, owned; does not spin
    Sprite* bottomGlow;              // 60 x 60 additive, owned; follows the bottom sprite's turn
    Sprite* topGlow;                 // 72 x 72 additive, owned; pulses with the energy
    Text* energyText;                // "Energy: N" readout, owned; shown on the HUD
    quenth::vec2 velocity;           // world units per second
    quenth::vec2 cameraLead;         // look-ahead; the camera sits at position + 0.3 cameraLead
    float energy;                    // current energy
    float maxEnergy;                 // energy cap
    float energyRegen;               // energy gained per second
    float thrustCost;                // energy per second while a movement key is held
    float cameraLeadMax;             // length of (500, 500)
    bool speedBoost;                 // set by the "Speed boost" power-up; no rule reads it
    float speedBoostStart;           // ms
    float speedBoostEnd;             // ms
    float respawnFlightStart;        // when the camera flight to the respawn point begins, ms; 0 while alive
    float respawnTime;               // when the ship reappears, ms; 0 while alive
    float spawnStart;                // start of the grow-in, ms
    float invulnerableUntil;         // end of the grow-in, ms; hits before it are ignored
    quenth::vec2 deathPosition;      // where the ship died
    quenth::vec2 respawnPoint;       // where it will reappear (wrapped when the ship moves there)

    Player();
    virtual ~Player();
    virtual void update();
    virtual bool damage(float amount);
    // Back from the dead: grows in, takes one of the game's lives.
    virtual void spawn();
    virtual void destroy();

private:
    void fly(float sync);
};

#endif
