// Weapons, hits, explosions and the player's ship.
#include "tools/sfxgen/Clip.h"
#include "tools/sfxgen/Sounds.h"
#include "tools/sfxgen/Voices.h"
#include "tools/synth/Instruments.h"

#include <cmath>

using voices::Tone;

namespace sounds {

namespace {

// Samples in a sixteenth note of the music (140 beats a minute).
const long sixteenth = 4725;

// How a blast is built; explosions grow in every figure with the wreck.
struct Blast {
    float seconds; // length of the finished effect
    float thump;   // MIDI pitch of the tom under the roar
    int kicks;     // bass drum hits, a few milliseconds apart (0: none)
    float bright;  // Hz, cutoff of the roar at the flash
    float dark;    // Hz, cutoff it closes to
    float close;   // s, time constant of the closing
    float decay;   // s, time constant of the roar's level
    float drop;    // Hz the sub-bass falls from (0: none)
    float debris;  // crackles per second at the start
    uint32_t seed; // fixes the noise
};

void blast(Clip& c, const Blast& b) {
    instruments::tom(c.bus, 0, b.thump, 0.5f);
    for (int k = 0; k < b.kicks; k++)
        instruments::kick(c.bus, Clip::at(0.06f * float(k)), 0.9f - 0.3f * float(k));
    voices::rumble(c.bus, 0, b.seconds, b.bright, b.dark, b.close, b.decay, b.seed, 1.3f);
    if (b.drop > 0.0f)
        voices::drop(c.bus, 0, b.seconds, b.drop, 32.0f, b.seconds * 0.25f, b.seconds * 0.3f, 0.7f);
    voices::crackle(c.bus, Clip::at(0.02f), b.seconds * 0.85f, b.debris, b.seed + 1, 0.45f);
}

const Blast smallBlast = {0.5f, 45.0f, 0, 5000.0f, 400.0f, 0.07f, 0.11f, 0.0f, 60.0f, 11};
const Blast mediumBlast = {0.9f, 38.0f, 1, 3800.0f, 260.0f, 0.14f, 0.2f, 0.0f, 80.0f, 12};
const Blast largeBlast = {1.5f, 33.0f, 2, 3200.0f, 150.0f, 0.28f, 0.38f, 95.0f, 90.0f, 13};

// The tones, fields in the order of Tone: from, to, glide; attack, decay;
// cutoffFrom, cutoffTo, cutoffTime; width, saws; vibrato, vibratoHz.
const Tone plasmaBolt = {88, 76, 0.022f, 0.002f, 0.035f, 5000, 1200, 0.03f, 0.25f, 0.35f};
const Tone enemyBolt = {81, 64, 0.04f, 0.002f, 0.06f, 3500, 900, 0.05f, 0.5f, 0.7f, 0.6f, 28};
const Tone laserHum = {33, 45, 0.08f, 0.06f, 1.0f, 400, 2600, 0.1f, 0.5f, 0.8f};
const Tone laserWhine = {69, 81, 0.08f, 0.06f, 1.0f, 1500, 2600, 0.1f, 0.5f, 0.0f};
const Tone sparkPing = {100, 96, 0.02f, 0.002f, 0.02f, 8000, 1200, 0.05f, 0.5f, 0.0f};
const Tone warning = {76, 76, 0.02f, 0.002f, 0.08f, 4000, 1500, 0.05f, 0.5f, 0.3f};
const Tone wail = {81, 45, 0.5f, 0.01f, 0.8f, 5000, 400, 0.6f, 0.3f, 0.8f, 0.3f, 7};
const Tone shine = {81, 81, 0.02f, 0.05f, 0.3f, 3000, 3000, 0.05f, 0.3f, 0.8f, 0.1f, 6};

// Cycles of a partial that repeats exactly within a loop of length samples.
float loopHz(int cycles, long length) {
    return float(cycles) * dsp::sampleRate / float(length);
}

} // namespace

std::vector<float> plasmaShot() {
    // Fired five times a second: short, soft-edged and mid-pitched, so a long
    // burst does not tire the ear.
    Clip c(0.11f);
    voices::tone(c.bus, 0, 0.11f, plasmaBolt, 1.0f);
    voices::spark(c.bus, 0, 0.02f, 3500.0f, 0.004f, 0.0f, 21, 0.25f);
    return c.finish(0.5f, 0.03f);
}

std::vector<float> enemyShot() {
    // Lower, darker and warbling: heard apart from the player's own fire.
    Clip c(0.18f);
    voices::tone(c.bus, 0, 0.18f, enemyBolt, 1.0f);
    return c.finish(0.55f, 0.04f);
}

std::vector<float> laserStart() {
    // The hum of the burn loop climbs in from an octave below while the
    // filter opens; the loop starts under its fading end.
    Clip c(0.32f);
    voices::tone(c.bus, 0, 0.32f, laserHum, 1.0f);
    voices::tone(c.bus, 0, 0.32f, laserWhine, 0.25f);
    instruments::riser(c.bus, 0, Clip::at(0.3f), 0.6f);
    voices::spark(c.bus, 0, 0.05f, 2500.0f, 0.01f, 0.0f, 31, 0.3f);
    return c.finish(0.6f, 0.06f);
}

std::vector<float> laserLoop() {
    // One beat long. Every oscillator and wobble completes whole cycles in it
    // and the hiss is filtered noise from a table of the same length, so the
    // sound is periodic; rendering it twice and keeping the second pass lets
    // the filters settle into that period, and the end runs into the start as
    // smoothly as any sample into the next.
    const long length = 4 * sixteenth;
    std::vector<float> grain(length);
    dsp::Noise noise(41);
    for (float& g : grain) g = noise.white();

    dsp::Osc humA, humB, octave, whine;
    dsp::Svf body, hiss;
    hiss.set(3200.0f, 1.0f);
    std::vector<float> out(length);
    for (int pass = 0; pass < 2; pass++) {
        for (long i = 0; i < length; i++) {
            float turn = 2.0f * dsp::pi * float(i) / float(length); // radians of one loop
            float wobble = 0.5f + 0.5f * std::sin(6.0f * turn);
            float flutter = 0.5f + 0.5f * std::sin(12.0f * turn + 1.3f);
            if ((i & 7) == 0) body.set(700.0f + 900.0f * wobble, 0.5f);
            float saws = 0.5f * (humA.saw(loopHz(47, length)) + humB.saw(loopHz(48, length)));
            body.tick(saws + 0.4f * octave.pulse(loopHz(94, length), 0.5f));
            hiss.tick(grain[i]);
            out[i] = std::tanh(1.4f * body.low) + 0.35f * hiss.band * (0.4f + 0.6f * flutter) +
                     0.08f * whine.sine(loopHz(377, length));
        }
    }

    // Start on the quietest upward zero crossing, so that starting or ending
    // the loop is no click either.
    long best = 0;
    float quietest = 2.0f;
    for (long i = 0; i < length; i++) {
        float before = out[(i + length - 1) % length];
        if (before < 0.0f && out[i] >= 0.0f && out[i] - before < quietest) {
            quietest = out[i] - before;
            best = i;
        }
    }
    std::vector<float> loop(out.begin() + best, out.end());
    loop.insert(loop.end(), out.begin(), out.begin() + best);
    normalise(loop, 0.55f);
    return loop;
}

std::vector<float> plasmaHit() {
    Clip c(0.1f);
    voices::spark(c.bus, 0, 0.1f, 3000.0f, 0.02f, 0.0f, 51, 1.0f);
    voices::tone(c.bus, 0, 0.1f, sparkPing, 0.3f);
    return c.finish(0.5f, 0.03f);
}

std::vector<float> laserHit() {
    Clip c(0.16f);
    voices::spark(c.bus, 0, 0.16f, 1800.0f, 0.08f, 70.0f, 61, 1.0f);
    voices::rumble(c.bus, 0, 0.16f, 3000.0f, 800.0f, 0.03f, 0.04f, 62, 0.3f);
    return c.finish(0.5f, 0.04f);
}

std::vector<float> explodeSmall() {
    Clip c(smallBlast.seconds);
    blast(c, smallBlast);
    return c.finish(0.7f, 0.15f);
}

std::vector<float> explodeMedium() {
    Clip c(mediumBlast.seconds);
    blast(c, mediumBlast);
    return c.finish(0.8f, 0.3f);
}

std::vector<float> explodeLarge() {
    Clip c(largeBlast.seconds);
    blast(c, largeBlast);
    c.reverb(0.7f, 0.5f, 0.3f);
    return c.finish(0.85f, 0.5f);
}

std::vector<float> playerHit() {
    // A dull low thud, and over it a rough minor second (E and F) as warning.
    Clip c(0.32f);
    instruments::tom(c.bus, 0, 38.0f, 1.0f);
    voices::rumble(c.bus, 0, 0.2f, 1200.0f, 200.0f, 0.03f, 0.06f, 71, 0.5f);
    Tone edge = warning;
    for (int note = 76; note <= 77; note++) {
        edge.from = edge.to = float(note);
        voices::tone(c.bus, Clip::at(0.01f), 0.3f, edge, 0.3f);
    }
    return c.finish(0.7f, 0.08f);
}

std::vector<float> playerDeath() {
    // The large blast with a cymbal wash and a wail falling three octaves.
    Clip c(2.2f);
    blast(c, largeBlast);
    instruments::crash(c.bus, 0, 0.35f);
    voices::tone(c.bus, Clip::at(0.05f), 2.1f, wail, 0.5f);
    c.reverb(0.8f, 0.5f, 0.35f);
    return c.finish(0.85f, 0.6f);
}

std::vector<float> respawn() {
    // Grows in: a noise swell under a rising A minor arpeggio in
    // thirty-second notes, landing on a held A.
    Clip c(1.0f);
    instruments::riser(c.bus, 0, Clip::at(0.45f), 0.5f);
    static const int notes[7] = {57, 60, 64, 69, 72, 76, 81};
    for (int k = 0; k < 7; k++) {
        float grow = float(k) / 6.0f;
        instruments::pluck(c.bus, k * sixteenth / 2, notes[k], 0.2f + 0.6f * grow, 0.5f + 0.3f * grow);
    }
    voices::tone(c.bus, 7 * sixteenth / 2, 0.6f, shine, 0.3f);
    c.reverb(0.75f, 0.5f, 0.3f);
    return c.finish(0.7f, 0.2f);
}

} // namespace sounds
