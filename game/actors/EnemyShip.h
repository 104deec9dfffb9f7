#ifndef VORLANE_GAME_ENEMYSHIP_H
#define VORLANE_GAME_ENEMYSHIP_H

#include "engine/gfx/Silhouette.h"
#include "game/actors/Enemy.h"
#include "game/actors/EnemyType.h"

class Group;
class GlowSprite;
class Scene2D;

// An enemy ship built from one row of the type table: a group holding the
// hull sprite with its additive glow (drawn together in one pass over the
// outline of both), the row's stats set at spawn, and the ship turned to its
// direction of travel every frame.
class EnemyShip : public Enemy {
public:
    EnemyType const& type;      // the row this ship is made from
    Group* ship;                // the ship node, owned; the actor's drawable is its drawable part
    GlowSprite* body;           // hull sprite and its glow, owned, the child of ship
    quenth::Silhouette outline; // where hull or glow can show; body draws only this

    explicit EnemyShip(EnemyType const& type);
    virtual ~EnemyShip();
    // Readies the GL for every type's art by drawing a ship of each type
    // through the world pass once; after the world scene is made, before
    // play (a pipeline first needed in the middle of play would cost that
    // frame a program build in the driver).
    static void prepareDrawing(Scene2D* world);
    // The part of the type's square where hull or glow can show; false (out
    // untouched) when either image has no silhouette.
    static bool outlineOf(EnemyType const& type, quenth::Silhouette& out);
    virtual void update();
    // Enemy::spawn, then the row's stats; hull and score grow with the game's difficulty.
    virtual void spawn();
};

// An enemy ship of one fixed row. The seven types below are such ships: the
// waves make them by name, and the class tells a ship's type at run time.
template <EnemyTypeId id>
class EnemyOfType : public EnemyShip {
public:
    EnemyOfType() : EnemyShip(enemyTypes[id]) {}
};

using Fighter = EnemyOfType<FIGHTER>;
using Fighter2 = EnemyOfType<FIGHTER2>;
using Hammerhead = EnemyOfType<HAMMERHEAD>;
using Probe = EnemyOfType<PROBE>;
using Probe2 = EnemyOfType<PROBE2>;
using Hammerhead2 = EnemyOfType<HAMMERHEAD2>;
using Probe3 = EnemyOfType<PROBE3>;

#endif
