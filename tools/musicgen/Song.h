#pragma once

#include "tools/synth/LoopBuffer.h"

#include <vector>

// The game's music: a minor-key piece at 140 beats per minute, 48 bars in six
// sections of eight (groove in, groove, melody, breakdown, second melody,
// climax), written bar by bar into one bus per instrument and then mixed.
class Song {
public:
    static constexpr long step = 4725;     // samples in a sixteenth note (140 BPM at 44100 Hz)
    static constexpr long bar = 16 * step; // samples in a 4/4 bar
    static constexpr int bars = 48;        // bars in the loop
    static constexpr long length = bar * bars;

    LoopBuffer kickBus, snareBus, hatBus, fxBus, bassBus, padBus, arpBus, leadBus; // one per instrument
    std::vector<long> kickHits; // sample positions of every kick, for the ducking

    Song();
    // Writes every note of the piece into the buses.
    void compose();
    // Applies the bus effects and returns the finished loop, peaking at peak.
    LoopBuffer mixdown(float peak);

private:
    void composeBar(int index);
};
