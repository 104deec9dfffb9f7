#include "game/weapons/WeaponLevel.h"

#include "game/weapons/Laser.h"
#include "game/weapons/Plasma.h"

namespace {

// Costs grow so that a player who collects most tokens reaches the top
// around wave 10; a ship lost costs one level.
// clang-format off
const WeaponLevel levels[WeaponLevel::top + 1] = {
    //  pts  plasma dmg  rate bolts fan   laser dmg   width
    {    0,  5, 15,      5.0f, 1, 0,     65,  85,    7.0f},
    {  120,  7, 18,      5.0f, 1, 0,     65,  85,    7.0f},
    {  160,  7, 18,      6.0f, 1, 0,     65,  85,    7.0f},
    {  200,  7, 18,      6.0f, 2, 4.0f,  65,  85,    7.0f},
    {  240,  7, 18,      6.0f, 2, 4.0f,  85, 110,    9.0f},
    {  280,  9, 21,      7.0f, 2, 4.0f,  85, 110,    9.0f},
    {  320,  9, 21,      7.0f, 3, 5.0f,  85, 110,    9.0f},
    {  360,  9, 21,      7.0f, 3, 5.0f, 110, 140,   11.0f},
    {  400, 11, 24,      8.0f, 3, 6.0f, 110, 140,   11.0f},
};
// clang-format on

} // namespace

WeaponLevel const& WeaponLevel::at(int level) {
    if (level < 0) level = 0;
    if (level > top) level = top;
    return levels[level];
}

void WeaponLevel::apply(int level, Plasma* plasma, Laser* laser) {
    WeaponLevel const& l = at(level);
    plasma->damageMin = l.plasmaDamageMin;
    plasma->damageMax = l.plasmaDamageMax;
    plasma->fireRate = l.plasmaRate;
    plasma->bolts = l.bolts;
    plasma->fanAngle = l.fanAngle;
    laser->damageMin = l.laserDamageMin;
    laser->damageMax = l.laserDamageMax;
    laser->beamWidth = l.beamWidth;
}
