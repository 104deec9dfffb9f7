#pragma once

#include "tools/synth/LoopBuffer.h"

#include <vector>

// Bus effects. Each treats its input as endlessly repeating: it runs over the
// loop twice and keeps the second pass, so echoes and reverb tails from the end
// of the piece are already sounding at its start, just as they do on repeat.
namespace effects {

// Feedback echo: returns only the wet signal. delay in samples, feedback 0..1,
// damping 0..1 darkens each repeat.
LoopBuffer echo(const LoopBuffer& in, long delay, float feedback, float damping);
// Plate-like reverb (parallel damped combs into all-passes); returns the wet signal.
LoopBuffer reverb(const LoopBuffer& in, float size, float damping);
// One-pole high-pass at hz, in place: removes DC and sub-sonic rumble.
void highPass(LoopBuffer& buf, float hz);
// Ducks buf after every hit position (samples): gain drops by depth and
// recovers over release seconds. Gives the pumping feel of a side-chained mix.
void duck(LoopBuffer& buf, const std::vector<long>& hits, float depth, float release);
// Scales to the given RMS, rounds peaks off softly above knee, then scales to
// the given peak. Keeps every sample strictly inside full scale.
void master(LoopBuffer& buf, float targetRms, float knee, float targetPeak);

} // namespace effects
