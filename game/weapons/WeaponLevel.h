#ifndef VORLANE_GAME_WEAPONLEVEL_H
#define VORLANE_GAME_WEAPONLEVEL_H

class Laser;
class Plasma;

// What the player's two guns do at one weapon level. Upgrade points raise
// the level one step at a time; each step adds one thing a player can see or
// feel (harder bolts, a faster gun, a second and third bolt in a narrow fan,
// a wider and hotter beam). Level 0 is the guns as they are built.
struct WeaponLevel {
    int points;                           // upgrade points that buy this level from the one below
    float plasmaDamageMin;                // damage of one bolt, lower bound
    float plasmaDamageMax;                // upper bound
    float plasmaRate;                     // shots per second
    int bolts;                            // bolts per shot, fanned around the aim
    float fanAngle;                       // degrees between neighbouring bolts
    float laserDamageMin, laserDamageMax; // per second of contact
    float beamWidth;                      // half width of a new beam, world units

    static constexpr int top = 8; // the highest level: one WPN mark per level above 0

    // The row of level, clamped to 0..top.
    static WeaponLevel const& at(int level);
    // Sets both guns to the numbers of level (clamped).
    static void apply(int level, Plasma* plasma, Laser* laser);
};

#endif
