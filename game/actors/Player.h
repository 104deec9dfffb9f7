#ifndef VORLANE_GAME_PLAYER_H
#define VORLANE_GAME_PLAYER_H

#include "engine/math/vec2.h"
#include "game/actors/Friend.h"

class Group;
class Laser;
struct ParticleEmitter;
class ParticleSystem;
class Plasma;
class ShieldRing;
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
    ShieldRing*
        shieldRing;   // ring round the ship, owned, last child of ship; as bright as the shield is strong
    Text* energyText; // "Energy: N" readout, owned; shown on the HUD
    quenth::vec2 velocity;      // world units per second
    quenth::vec2 cameraLead;    // look-ahead; the camera sits at position + 0.3 cameraLead
    float energy;               // current energy
    float maxEnergy;            // energy cap
    float energyRegen;          // energy gained per second
    float thrustCost;           // energy per second while a movement key is held
    float cameraLeadMax;        // length of (500, 500)
    bool speedBoost;            // set by the "Speed boost" power-up; cleared when its window ends
    float speedBoostStart;      // ms
    float speedBoostEnd;        // ms; inside the window thrust and top speed are boostFactor times
    float respawnFlightStart;   // when the camera flight to the respawn point begins, ms; 0 while alive
    float respawnTime;          // when the ship reappears, ms; 0 while alive
    float spawnStart;           // start of the grow-in, ms
    float invulnerableUntil;    // end of the grow-in, ms; hits before it are ignored
    quenth::vec2 deathPosition; // where the ship died
    quenth::vec2 respawnPoint;  // where it will reappear (wrapped when the ship moves there)
    int weaponLevel;            // 0..WeaponLevel::top: the guns' level, one lit WPN mark each
    int levelPoints;            // upgrade points gathered towards the next level
    float hitTime;              // when the ship last took damage (shield or hull), ms; 0 never
    float hitAmount;            // damage of that hit

    static constexpr float topSpeed = 350;     // world units per second without a boost
    static constexpr float boostFactor = 1.5f; // thrust and top speed inside a speed boost

    Player();
    virtual ~Player();
    virtual void update();
    // The shield takes a hit before the hull does; either way the hit is felt.
    virtual bool damage(float amount);
    // Back from the dead: grows in, takes one of the game's lives.
    virtual void spawn();
    virtual void destroy();
    // Upgrade points from a token: they buy weapon levels, each at its price.
    void addUpgradePoints(int points);
    // Whether a speed boost holds at now (ms).
    bool boosting(float now) const;
    // Sets the level (clamped) and the guns to its numbers; the points towards the next start over.
    void setWeaponLevel(int level);

private:
    void fly(float sync);
};

#endif
