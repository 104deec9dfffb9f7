#ifndef VORLANE_GAME_SCORECOUNTER_H
#define VORLANE_GAME_SCORECOUNTER_H

#include <cstdint>

#include "engine/util/String.h"
#include "game/base/Actor.h"

class Text;

// A number display that rolls up to a new value, fast at first and slowing
// towards the target, instead of jumping.
class ScoreCounter : public Actor {
public:
    quenth::String prefix; // put before the number; empty for every counter of the game
    Text* text;            // the display, owned; also the actor's drawable
    int value;             // target value: the true total
    int startValue;        // value shown when the current roll-up began
    uint32_t startTime;    // start of the current roll-up, ms; 0 when none
    uint32_t endTime;      // end of the current roll-up, ms; 0 when none

    ScoreCounter();
    virtual ~ScoreCounter();
    // Adds points: starts a 500 ms roll-up, or lengthens the running one by
    // less for each further addition.
    void addValue(int amount);
    virtual void update();

private:
    void show(int n);
};

#endif
