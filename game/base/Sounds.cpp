#include "game/base/Sounds.h"

#include "engine/audio/Mixer.h"
#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/util/DataDir.h"
#include "game/base/Globals.h"
#include "game/base/WrappedOffset.h"
#include "scene/Scene2D.h"

#include <cmath>
#include <string>

using quenth::ChannelTable;
using quenth::Mixer;
using quenth::SoundPlace;
using quenth::VoiceChoice;

// Levels, set from the measured loudness of the files against the music
// (music1.ogg: -15 dBFS RMS at full volume). At the default volumes the
// loudest 100 ms of a plasma bolt come out about 5 dB under the music's
// average, enemy bolts and the laser's hum a little lower, and what happens
// to the player himself (hits, the ship lost, announcements) 3 to 6 dB over
// it. Explosions keep headroom for the wrecks that join them.
// clang-format off
SoundEffectRow const Sounds::effects[SOUND_EFFECT_COUNT] = {
    // file                   group            voices retrigger length volume placed
    {"plasma_shot.wav",     SHIP_GROUP,      2,   30,  110, 0.70f, false},
    {"enemy_shot.wav",      COMBAT_GROUP,    3,   60,  180, 0.50f, true},
    {"laser_start.wav",     SHIP_GROUP,      1,    0,  320, 0.80f, false},
    {"laser_loop.wav",      SHIP_GROUP,      1,    0,    0, 0.45f, false},
    {"plasma_hit.wav",      COMBAT_GROUP,    3,   40,  100, 0.80f, true},
    {"laser_hit.wav",       COMBAT_GROUP,    2,   60,  160, 0.80f, true},
    {"explode_small.wav",   EXPLOSION_GROUP, 3,   90,  500, 0.50f, true},
    {"explode_medium.wav",  EXPLOSION_GROUP, 2,  100,  900, 0.55f, true},
    {"explode_large.wav",   EXPLOSION_GROUP, 2,  120, 1500, 0.60f, true},
    {"player_hit.wav",      EVENT_GROUP,     1,  150,  320, 0.70f, false},
    {"player_death.wav",    EVENT_GROUP,     1,    0, 2200, 0.90f, false},
    {"respawn.wav",         EVENT_GROUP,     1,    0, 1000, 0.85f, false},
    {"powerup_upgrade.wav", EVENT_GROUP,     2,   60,  500, 0.80f, false},
    {"powerup_energy.wav",  EVENT_GROUP,     1,   60,  500, 0.80f, false},
    {"powerup_shield.wav",  EVENT_GROUP,     1,   60,  600, 0.80f, false},
    {"powerup_score.wav",   EVENT_GROUP,     1,   60,  350, 0.80f, false},
    {"powerup_hull.wav",    EVENT_GROUP,     1,   60,  500, 0.80f, false},
    {"powerup_speed.wav",   EVENT_GROUP,     1,   60,  450, 0.80f, false},
    {"powerup_nuke.wav",    EVENT_GROUP,     1,    0, 2400, 0.90f, false},
    {"wave_incoming.wav",   EVENT_GROUP,     1,    0, 1300, 0.80f, false},
    {"game_over.wav",       EVENT_GROUP,     1,    0, 2800, 0.90f, false},
    {"menu_move.wav",       INTERFACE_GROUP, 1,    0,   80, 0.70f, false},
    {"menu_choose.wav",     INTERFACE_GROUP, 1,    0,  300, 0.70f, false},
};
// clang-format on

int const Sounds::groupChannels[SOUND_GROUP_COUNT] = {4, 6, 2, 6, 6};

ChannelTable Sounds::makeTable() {
    ChannelTable t;
    for (int g = 0; g < SOUND_GROUP_COUNT; ++g) t.addGroup(groupChannels[g]);
    for (int e = 0; e < SOUND_EFFECT_COUNT; ++e) {
        SoundEffectRow const& r = effects[e];
        // A crowd of one sound comes out at most 3 dB over one of it.
        t.setRule(e, r.group, r.maxVoices, r.retrigger, r.length, std::fmin(1.0f, 1.41f * r.volume));
    }
    return t;
}

ChannelTable Sounds::table = Sounds::makeTable();
float Sounds::effectsVolume = 0.8f;
bool Sounds::paused = false;
quenth::vec2 Sounds::listener(0, 0);

namespace {

// The clock a group's voices are timed by.
uint32_t clockOf(SoundGroup group) {
    return group == INTERFACE_GROUP ? quenth::Quenth::currentTime : quenth::GameClock::currentTime;
}

} // namespace

void Sounds::load() {
    if (!Mixer::start(table)) return;
    for (int e = 0; e < SOUND_EFFECT_COUNT; ++e) {
        std::string path = quenth::DataDir::path((std::string("sfx/") + effects[e].file).c_str());
        uint32_t length = Mixer::load(e, path.c_str(), effects[e].placed);
        if (length > 0 && effects[e].length > 0) table.rules[e].length = length;
    }
}

void Sounds::start(SoundEffect e, float gain, float pan) {
    if (e < 0 || e >= SOUND_EFFECT_COUNT || !(effectsVolume > 0)) return;
    SoundEffectRow const& row = effects[e];
    if (paused && row.group != INTERFACE_GROUP) return;
    VoiceChoice c = table.request(e, gain * row.volume, clockOf(row.group));
    if (c.action == VoiceChoice::START)
        Mixer::play(c.channel, e, Mixer::panStep(pan), row.length == 0, c.gain * effectsVolume);
    else if (c.action == VoiceChoice::JOIN)
        Mixer::setVolume(c.channel, c.gain * effectsVolume);
}

void Sounds::play(SoundEffect e) {
    start(e, 1, 0);
}

void Sounds::playAt(SoundEffect e, quenth::vec2 const& where) {
    if (e < 0 || e >= SOUND_EFFECT_COUNT || !effects[e].placed) {
        start(e, 1, 0);
        return;
    }
    SoundPlace p = placeOf(where);
    start(e, p.gain, p.pan);
}

SoundPlace Sounds::placeOf(quenth::vec2 const& where) {
    if (!g_world) return SoundPlace{1, 0};
    float half = quenth::Quenth::getScreenWidth() * 0.5f;
    return SoundPlace::at(wrappedOffset(listener, where, g_world->worldSize), half, 0.6f * half, 2.5f * half);
}

void Sounds::loop(SoundEffect e, bool on) {
    if (e < 0 || e >= SOUND_EFFECT_COUNT) return;
    int channel = table.find(e, clockOf(effects[e].group));
    if (on && channel < 0) {
        play(e);
    } else if (!on && channel >= 0) {
        // The loop does not end on silence: a cut would click.
        Mixer::fadeOut(channel, 60);
        table.release(channel);
    }
}

void Sounds::pause(bool on) {
    if (on == paused) return;
    paused = on;
    for (int g = 0; g < SOUND_GROUP_COUNT; ++g) {
        if (g == INTERFACE_GROUP) continue;
        quenth::ChannelGroup const& group = table.groups[g];
        for (int c = group.first; c < group.first + group.count; ++c) Mixer::pause(c, on);
    }
}

void Sounds::endPlay(int ms) {
    for (int g = 0; g < SOUND_GROUP_COUNT; ++g) {
        if (g == INTERFACE_GROUP) continue;
        quenth::ChannelGroup const& group = table.groups[g];
        for (int c = group.first; c < group.first + group.count; ++c) {
            // A fade runs only while its channel plays: a held one would sound again on resume.
            if (paused)
                Mixer::stop(c);
            else
                Mixer::fadeOut(c, ms);
            table.release(c);
        }
    }
    paused = false;
}

void Sounds::fadeOutAll(int ms) {
    for (int g = 0; g < table.groupCount; ++g) Mixer::fadeOutGroup(g, ms);
    for (int c = 0; c < table.channelCount; ++c) table.release(c);
}

void Sounds::setEffectsVolume(float percent) {
    effectsVolume = (percent < 0 ? 0 : (percent > 100 ? 100 : percent)) * 0.01f;
    for (int c = 0; c < table.channelCount; ++c)
        if (table.voices[c].sound >= 0) Mixer::setVolume(c, table.voices[c].gain * effectsVolume);
}

void Sounds::setMusicVolume(float percent) {
    Mixer::setMusicVolume((percent < 0 ? 0 : (percent > 100 ? 100 : percent)) * 0.01f);
}
