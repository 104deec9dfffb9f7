// Power-ups, the wave and game-over messages and the menu: short phrases on
// the music's instruments, in its key and on its sixteenth-note grid.
#include "tools/sfxgen/Clip.h"
#include "tools/sfxgen/Sounds.h"
#include "tools/sfxgen/Voices.h"
#include "tools/synth/Instruments.h"

using voices::Tone;

namespace sounds {

namespace {

const long sixteenth = 4725;             // samples in a sixteenth note of the music
const long thirtySecond = sixteenth / 2; // samples

// The tones, fields in the order of Tone: from, to, glide; attack, decay;
// cutoffFrom, cutoffTo, cutoffTime; width, saws; vibrato, vibratoHz.
const Tone charge = {64, 76, 0.1f, 0.02f, 0.25f, 1500, 5000, 0.15f, 0.2f, 0.4f, 0.15f, 9};
const Tone field = {57, 57, 0.02f, 0.05f, 0.3f, 300, 3000, 0.15f, 0.3f, 0.9f, 0.08f, 5};
const Tone swoop = {57, 93, 0.12f, 0.002f, 0.2f, 2000, 6000, 0.1f, 0.15f, 0.5f};
const Tone alarm = {76, 76, 0.02f, 0.005f, 0.5f, 3000, 1800, 0.05f, 0.5f, 0.6f, 0.1f, 5.5f};

// A bright pulse ping with a quick glide up into its note.
Tone ping(float note, float decay) {
    Tone t = {note - 0.5f, note, 0.01f, 0.002f, decay, 8000, 3000, 0.05f, 0.5f, 0.0f};
    return t;
}

// Plucks the notes in turn, every gap samples, growing a little brighter.
template <int N>
void arpeggio(LoopBuffer& bus, long start, const int (&notes)[N], long gap, float brightness, float gain) {
    for (int k = 0; k < N; k++) {
        float grow = N > 1 ? float(k) / float(N - 1) : 0.0f;
        instruments::pluck(bus, start + k * gap, notes[k], brightness + 0.2f * grow, gain);
    }
}

} // namespace

std::vector<float> powerupUpgrade() {
    // Upgrade: A minor climbing from A4 to C6, crowned by a ping on E6.
    Clip c(0.5f);
    static const int notes[5] = {69, 72, 76, 81, 84};
    arpeggio(c.bus, 0, notes, thirtySecond, 0.6f, 0.7f);
    voices::tone(c.bus, 5 * thirtySecond, 0.25f, ping(88.0f, 0.12f), 0.4f);
    c.reverb(0.6f, 0.5f, 0.2f);
    return c.finish(0.7f, 0.12f);
}

std::vector<float> powerupEnergy() {
    // Energy: a shimmering glide up an octave, like a charge filling.
    Clip c(0.5f);
    voices::tone(c.bus, 0, 0.5f, charge, 0.8f);
    static const int notes[2] = {88, 93};
    arpeggio(c.bus, 2 * sixteenth, notes, thirtySecond, 0.5f, 0.35f);
    return c.finish(0.7f, 0.12f);
}

std::vector<float> powerupShield() {
    // Shield: an open fifth (A and E) swelling through an opening filter,
    // with a pure ring above: a field closing round the ship.
    Clip c(0.6f);
    for (int note : {57, 64}) {
        Tone voice = field;
        voice.from = voice.to = float(note);
        voices::tone(c.bus, 0, 0.6f, voice, 0.5f);
    }
    Tone ring = ping(81.0f, 0.25f);
    ring.cutoffFrom = ring.cutoffTo = 1500.0f;
    voices::tone(c.bus, Clip::at(0.03f), 0.55f, ring, 0.3f);
    c.reverb(0.7f, 0.5f, 0.25f);
    return c.finish(0.7f, 0.15f);
}

std::vector<float> powerupScore() {
    // Score: a two-note coin chime, E up to A.
    Clip c(0.35f);
    static const int notes[2] = {88, 93};
    arpeggio(c.bus, 0, notes, thirtySecond, 0.6f, 0.6f);
    voices::tone(c.bus, 0, thirtySecond / 44100.0f, ping(88.0f, 0.05f), 0.3f);
    voices::tone(c.bus, thirtySecond, 0.3f, ping(93.0f, 0.12f), 0.35f);
    return c.finish(0.7f, 0.1f);
}

std::vector<float> powerupHull() {
    // Hull: two tom knocks of repair, then a rising pair of plucks.
    Clip c(0.5f);
    instruments::tom(c.bus, 0, 50.0f, 0.7f);
    instruments::tom(c.bus, sixteenth, 55.0f, 0.7f);
    static const int notes[2] = {69, 76};
    arpeggio(c.bus, sixteenth, notes, sixteenth, 0.5f, 0.6f);
    return c.finish(0.7f, 0.12f);
}

std::vector<float> powerupSpeed() {
    // Speed: a fast swoop up three octaves over a rush of air.
    Clip c(0.45f);
    voices::tone(c.bus, 0, 0.45f, swoop, 0.8f);
    voices::rumble(c.bus, 0, 0.45f, 6000.0f, 6000.0f, 0.1f, 0.12f, 81, 0.2f);
    return c.finish(0.7f, 0.12f);
}

std::vector<float> powerupNuke() {
    // The nuke clears the screen: its own blast, bigger than any wreck's,
    // with a white flash, a long sub drop, a crash and a wide hall.
    Clip c(2.4f);
    instruments::kick(c.bus, 0, 1.0f);
    instruments::kick(c.bus, Clip::at(0.05f), 0.7f);
    instruments::crash(c.bus, 0, 0.6f);
    voices::spark(c.bus, 0, 0.25f, 4000.0f, 0.05f, 0.0f, 91, 0.5f);
    voices::drop(c.bus, 0, 2.4f, 120.0f, 28.0f, 0.5f, 0.9f, 1.0f);
    voices::rumble(c.bus, 0, 2.4f, 6000.0f, 120.0f, 0.5f, 0.7f, 92, 1.0f);
    voices::crackle(c.bus, Clip::at(0.05f), 2.0f, 120.0f, 93, 0.45f);
    c.reverb(0.86f, 0.5f, 0.35f);
    return c.finish(0.85f, 0.7f);
}

std::vector<float> waveIncoming() {
    // An alarm on eighth notes, E and A in turn, over the music's riser,
    // with its dotted-eighth echo; a tom lands on the next beat.
    Clip c(1.3f);
    for (int k = 0; k < 4; k++) {
        Tone call = alarm;
        call.from = call.to = k % 2 == 0 ? 76.0f : 81.0f;
        voices::tone(c.bus, k * 2 * sixteenth, 0.19f, call, 0.45f);
    }
    instruments::riser(c.bus, 0, 8 * sixteenth, 0.4f);
    instruments::tom(c.bus, 8 * sixteenth, 45.0f, 0.5f);
    c.echo(3 * sixteenth / 44100.0f, 0.3f, 0.5f, 0.25f);
    return c.finish(0.75f, 0.3f);
}

std::vector<float> gameOver() {
    // The lead falls E, C, A over a held A minor chord and bass, in the
    // music's hall.
    Clip c(2.8f);
    instruments::lead(c.bus, 0, 4 * sixteenth - sixteenth / 3, 76, 0, 0.5f);
    instruments::lead(c.bus, 4 * sixteenth, 4 * sixteenth - sixteenth / 3, 72, 76, 0.5f);
    instruments::lead(c.bus, 8 * sixteenth, 12 * sixteenth, 69, 72, 0.5f);
    for (int note : {57, 60, 64}) instruments::pad(c.bus, 0, 20 * sixteenth, note, 0.2f, 0.4f);
    instruments::bass(c.bus, 0, 20 * sixteenth, 45, 200.0f, 600.0f, 0.5f);
    c.reverb(0.86f, 0.5f, 0.4f);
    return c.finish(0.8f, 0.5f);
}

std::vector<float> menuMove() {
    // A soft tick: the arpeggio's pluck cut short.
    Clip c(0.08f);
    instruments::pluck(c.bus, 0, 81, 0.3f, 1.0f);
    return c.finish(0.45f, 0.04f);
}

std::vector<float> menuChoose() {
    // An upward fifth, A to E, with a ping on the second note.
    Clip c(0.3f);
    static const int notes[2] = {81, 88};
    arpeggio(c.bus, 0, notes, thirtySecond, 0.4f, 0.8f);
    voices::tone(c.bus, thirtySecond, 0.25f, ping(93.0f, 0.06f), 0.3f);
    return c.finish(0.55f, 0.1f);
}

} // namespace sounds
