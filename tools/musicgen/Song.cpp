#include "tools/musicgen/Song.h"

#include "tools/synth/Effects.h"
#include "tools/synth/Instruments.h"

namespace {

// A chord as the bass plays it and as the pad voices it (MIDI notes, led so
// that each pad voice moves as little as possible from chord to chord).
struct Chord {
    int root;     // bass note
    int voice[3]; // pad notes, low to high
};

const Chord Am = {45, {57, 60, 64}};
const Chord F = {41, {57, 60, 65}};
const Chord C = {48, {55, 60, 64}};
const Chord G = {43, {55, 59, 62}};
const Chord Dm = {38, {57, 62, 65}};
const Chord E = {40, {56, 59, 64}};

// One chord per bar; each progression lasts half a section and plays twice.
const Chord* const home[4] = {&Am, &F, &C, &G};
const Chord* const lift[8] = {&F, &G, &Am, &Am, &F, &G, &E, &E};
const Chord* const sink[4] = {&Dm, &Am, &F, &E};

// Bass figures: step in the bar, length in steps, interval above the root.
struct BassNote {
    int step, steps, interval;
};
const BassNote offbeat[] = {{2, 2, 0}, {6, 2, 0}, {10, 2, 0}, {14, 2, 12}};
// Rolling sixteenths that leave room for each kick.
const BassNote rolling[] = {{1, 1, 0}, {2, 1, 0},  {3, 1, 12},  {5, 1, 0},  {6, 1, 0},  {7, 1, 12},
                            {9, 1, 0}, {10, 1, 0}, {11, 1, 12}, {13, 1, 0}, {14, 1, 7}, {15, 1, 12}};
const BassNote gallop[] = {{0, 2, 0}, {2, 1, 0},  {3, 1, 0},  {4, 2, 0},  {6, 1, 0},   {7, 1, 12},
                           {8, 2, 0}, {10, 1, 0}, {11, 1, 0}, {12, 2, 0}, {14, 1, 12}, {15, 1, 0}};
const BassNote held[] = {{0, 8, 0}, {8, 4, 12}, {12, 4, 7}};

// Arpeggio orders: indices into the pad chord stacked over two octaves.
const int climb[16] = {0, 1, 2, 3, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 4, 3};
const int weave[16] = {0, 2, 1, 3, 2, 4, 3, 5, 0, 2, 1, 3, 2, 4, 3, 1};
const int leap[16] = {0, 3, 1, 4, 2, 5, 1, 4, 0, 3, 1, 4, 2, 5, 3, 6};

// Melodies: (note, steps); note 0 is a rest. Sixteen steps per bar.
struct Tone {
    int note, steps;
};
// Over the lifting progression F G Am Am F G E E.
const Tone soar[] = {{76, 6}, {77, 2}, {76, 4}, {72, 4},  {74, 6}, {76, 2}, {74, 4}, {71, 4},
                     {72, 6}, {74, 2}, {76, 8}, {0, 4},   {69, 2}, {72, 2}, {76, 4}, {81, 4},
                     {81, 6}, {79, 2}, {77, 4}, {76, 4},  {74, 6}, {76, 2}, {77, 4}, {79, 4},
                     {80, 8}, {76, 4}, {71, 4}, {76, 12}, {0, 4}};
// Over the home progression Am F C G, twice.
const Tone chase[] = {{76, 3}, {81, 3}, {79, 2}, {76, 4}, {74, 2}, {72, 2}, {72, 3}, {77, 3},
                      {76, 2}, {72, 8}, {72, 3}, {76, 3}, {79, 2}, {76, 4}, {74, 2}, {72, 2},
                      {74, 6}, {71, 2}, {74, 4}, {79, 4}, {81, 3}, {79, 3}, {76, 2}, {74, 4},
                      {76, 4}, {77, 3}, {76, 3}, {72, 2}, {69, 8}, {72, 3}, {76, 3}, {79, 2},
                      {84, 4}, {83, 2}, {79, 2}, {79, 6}, {74, 2}, {71, 8}};

template <int N>
void playBass(LoopBuffer& bus, long barStart, const BassNote (&figure)[N], int root, float cutoff,
              float gain) {
    for (const BassNote& b : figure) {
        long len = long(b.steps) * Song::step - Song::step / 5;
        instruments::bass(bus, barStart + b.step * Song::step, len, root + b.interval, cutoff, cutoff * 3.0f,
                          gain);
    }
}

void playArp(LoopBuffer& bus, long barStart, const int (&order)[16], const Chord& chord, float brightness,
             float gain) {
    for (int s = 0; s < 16; s++) {
        int i = order[s];
        int note = chord.voice[i % 3] + 12 * (1 + i / 3);
        float accent = s % 4 == 0 ? 1.0f : (s % 2 == 0 ? 0.8f : 0.65f);
        instruments::pluck(bus, barStart + s * Song::step, note, brightness, gain * accent);
    }
}

template <int N>
void playMelody(LoopBuffer& bus, long start, const Tone (&tune)[N], int transpose, float gain) {
    long at = start;
    int previous = 0;
    for (const Tone& t : tune) {
        long len = long(t.steps) * Song::step;
        if (t.note > 0) {
            // Long notes sing through; short ones are detached a little.
            long held = t.steps >= 4 ? len - Song::step / 3 : len * 3 / 4;
            int glideFrom = previous > 0 ? previous + transpose : 0;
            instruments::lead(bus, at, held, t.note + transpose, glideFrom, gain);
        }
        previous = t.note;
        at += len;
    }
}

} // namespace

Song::Song()
    : kickBus(length), snareBus(length), hatBus(length), fxBus(length), bassBus(length), padBus(length),
      arpBus(length), leadBus(length) {}

void Song::compose() {
    for (int b = 0; b < bars; b++) composeBar(b);
    // Melodies span whole sections, so they are written per section.
    playMelody(leadBus, 16 * bar, soar, 0, 0.5f);
    playMelody(leadBus, 32 * bar, chase, 0, 0.5f);
    playMelody(leadBus, 40 * bar, soar, 0, 0.45f);
    playMelody(leadBus, 40 * bar, soar, -12, 0.3f);
}

void Song::composeBar(int index) {
    using namespace instruments;
    int section = index / 8;
    int inSection = index % 8;
    long at = long(index) * bar;

    const Chord* chord;
    if (section == 2 || section == 5)
        chord = lift[inSection];
    else if (section == 3)
        chord = sink[inSection % 4];
    else
        chord = home[inSection % 4];

    bool breakdown = section == 3;
    bool calm = breakdown && inSection < 4; // no kick, no clap
    bool lastBar = index == bars - 1;

    // Drums.
    if (inSection == 0 && !breakdown) crash(fxBus, at, section == 0 ? 0.55f : 0.7f);
    if (!calm) {
        for (int beat = 0; beat < 4; beat++) {
            if (index == 31 && beat >= 2) break; // a held breath before the drop
            long hit = at + beat * 4 * step;
            kick(kickBus, hit, 1.0f);
            kickHits.push_back(hit);
        }
    }
    bool clapOn = !calm && !(section == 0 && inSection < 4) && index != 30 && index != 31;
    if (clapOn) {
        snare(snareBus, at + 4 * step, 0.8f);
        if (!lastBar) snare(snareBus, at + 12 * step, 0.8f);
    }
    if (index == 30 || index == 31) {
        // Snare roll into the second melody: eighths, then sixteenths, growing.
        int stride = index == 30 ? 2 : 1;
        for (int s = 0; s < 16; s += stride) {
            float grow = float((index - 30) * 16 + s) / 32.0f;
            snare(snareBus, at + s * step, 0.2f + 0.6f * grow);
        }
    }
    if (lastBar) {
        // Fill back to the top: snares and falling toms over the last half bar.
        snare(snareBus, at + 8 * step, 0.5f);
        snare(snareBus, at + 10 * step, 0.6f);
        snare(snareBus, at + 11 * step, 0.6f);
        static const float toms[4] = {57.0f, 52.0f, 47.0f, 43.0f};
        for (int k = 0; k < 4; k++) tom(fxBus, at + (12 + k) * step, toms[k], 0.55f);
    }
    if (index == 15 || index == 23 || index == 39) {
        snare(snareBus, at + 14 * step, 0.45f);
        snare(snareBus, at + 15 * step, 0.55f);
    }
    for (int s = 0; s < 16; s++) {
        long t = at + s * step;
        if (lastBar && s >= 12) break;
        if (calm || (section == 0 && inSection < 4)) {
            if (s % 4 == 2) hat(hatBus, t, calm ? 0.35f : 0.55f, calm);
        } else if (s % 4 == 2) {
            hat(hatBus, t, 0.5f, true);
        } else {
            float accent = s % 2 == 0 ? 0.6f : 0.4f;
            if (section == 5) accent += 0.1f;
            hat(hatBus, t, accent, false);
        }
    }
    if (index == 30) riser(fxBus, at, 2 * bar, 0.45f);

    // Bass.
    if (breakdown && inSection < 4) {
        playBass(bassBus, at, held, chord->root, 150.0f + 40.0f * float(inSection), 0.6f);
    } else if (breakdown) {
        playBass(bassBus, at, rolling, chord->root, 220.0f + 40.0f * float(inSection - 4), 0.8f);
    } else if (section == 0) {
        float cutoff = 160.0f + 30.0f * float(inSection);
        if (inSection < 4)
            playBass(bassBus, at, offbeat, chord->root, cutoff, 0.9f);
        else
            playBass(bassBus, at, gallop, chord->root, cutoff, 0.9f);
    } else if (section == 2) {
        playBass(bassBus, at, gallop, chord->root, 380.0f, 0.9f);
    } else {
        playBass(bassBus, at, rolling, chord->root, section == 5 ? 450.0f : 400.0f, 0.9f);
    }

    // Pad: one chord per bar, tied over the bar line by its release.
    float bright = 0.35f;
    if (section == 0) bright = 0.1f + 0.04f * float(inSection);
    if (breakdown) bright = 0.25f + 0.08f * float(inSection);
    if (section == 5) bright = 0.5f;
    for (int v = 0; v < 3; v++) instruments::pad(padBus, at, bar - step, chord->voice[v], bright, 0.5f);

    // Arpeggio.
    if (section == 0 && inSection >= 4) playArp(arpBus, at, climb, *chord, 0.1f * float(inSection - 3), 0.5f);
    if (section == 1) playArp(arpBus, at, climb, *chord, 0.6f, 0.55f);
    if (section == 2) playArp(arpBus, at, weave, *chord, 0.4f, 0.4f);
    if (breakdown) playArp(arpBus, at, weave, *chord, 0.15f + 0.1f * float(inSection), 0.5f);
    if (section == 4) playArp(arpBus, at, climb, *chord, 0.5f, 0.4f);
    if (section == 5) playArp(arpBus, at, leap, *chord, 0.7f, 0.45f);
}

LoopBuffer Song::mixdown(float peak) {
    effects::duck(bassBus, kickHits, 0.55f, 0.09f);
    effects::duck(padBus, kickHits, 0.6f, 0.16f);
    effects::duck(arpBus, kickHits, 0.3f, 0.12f);

    LoopBuffer mix(length);
    mix.mix(kickBus, 0.42f);
    mix.mix(snareBus, 1.0f);
    mix.mix(hatBus, 0.36f);
    mix.mix(fxBus, 0.26f);
    mix.mix(bassBus, 0.5f);
    mix.mix(padBus, 0.45f);
    mix.mix(arpBus, 0.2f);
    mix.mix(leadBus, 0.63f);

    // Dotted-eighth echoes on the arpeggio and the lead.
    mix.mix(effects::echo(arpBus, 3 * step, 0.45f, 0.4f), 0.125f);
    mix.mix(effects::echo(leadBus, 3 * step, 0.3f, 0.5f), 0.16f);

    LoopBuffer send(length);
    send.mix(padBus, 0.75f);
    send.mix(leadBus, 1.1f);
    send.mix(snareBus, 0.8f);
    send.mix(arpBus, 0.37f);
    LoopBuffer wet = effects::reverb(send, 0.86f, 0.5f);
    mix.mix(wet, 0.25f);

    effects::highPass(mix, 25.0f);
    effects::master(mix, 0.2f, 0.7f, peak);
    return mix;
}
