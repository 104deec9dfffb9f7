// engine/audio: sound output: which channel a sound plays on (ChannelTable),
// where it sits in the stereo field (SoundPlace) and the device itself (Mixer).
#ifndef QUENTH_AUDIO_CHANNELTABLE_H
#define QUENTH_AUDIO_CHANNELTABLE_H

#include <cstdint>

namespace quenth {

// A run of consecutive device channels that only its own sounds use, so that a
// flood of one kind of sound never silences another kind.
struct ChannelGroup {
    int first; // first channel of the group
    int count; // channels in the group
};

// How one sound may use the channels of its group.
struct VoiceRule {
    int group;          // index into ChannelTable::groups
    int maxVoices;      // voices of this sound at once
    uint32_t retrigger; // ms: a request this soon after the sound's latest start joins that voice
    uint32_t length;    // ms the sound lasts; 0: a loop, busy until released
    float maxGain;      // 0-1: requests that join a voice raise it no higher
};

// What a channel is doing, as the table decided it.
struct Voice {
    int sound;      // index into ChannelTable::rules; -1 when the channel is free
    uint32_t start; // ms, on the clock of the requests for this group
    float gain;     // loudness 0-1, before the master volume
};

// The answer to one request.
struct VoiceChoice {
    enum Action {
        DROP,  // not heard: every channel it may take carries something louder
        START, // start the sound on channel, replacing whatever played there
        JOIN   // the sound just started on channel: only raise that channel to gain
    };
    Action action;
    int channel; // -1 for DROP
    float gain;  // the channel's gain from now on
};

// Decides which channel each sound request plays on: a fixed table of channels
// in groups, a limit of voices per sound, and a retrigger interval within
// which a repeated request makes the voice just started louder instead of
// starting another (eight wrecks in one frame are one loud explosion, not eight
// clipped ones). When no channel is free, the voice with least left to give
// (its gain times the share of its length still to play) makes way, but only
// for a louder sound. The table plays nothing itself: the caller carries the
// choices out on the device, so the rules run and are tested without one.
// Each group keeps to one clock: all requests for it give times of that clock.
// Fixed arrays: a request never allocates.
class ChannelTable {
public:
    static const int maxChannels = 32, maxGroups = 8, maxSounds = 64;

    int channelCount;               // channels in all groups, numbered from 0
    int groupCount;                 // groups in use
    ChannelGroup groups[maxGroups]; // in the order added, back to back
    VoiceRule rules[maxSounds];     // by sound; an unset rule drops every request
    Voice voices[maxChannels];      // by channel

    // No groups, no rules, every channel free.
    ChannelTable();

    // Adds a group of count channels after the last one; returns its index,
    // -1 when the table is full.
    int addGroup(int count);
    // Sets the rule of sound (a voice with length 0 lasts until released).
    void setRule(int sound, int group, int maxVoices, uint32_t retrigger, uint32_t length, float maxGain = 1);

    // A request to hear sound at gain (0-1) at time now (ms).
    VoiceChoice request(int sound, float gain, uint32_t now);
    // Frees channel: the caller has stopped or faded it out.
    void release(int channel);

    // Whether channel still plays at now.
    bool busy(int channel, uint32_t now) const;
    // The channel that plays sound at now (the latest started), -1 when none.
    int find(int sound, uint32_t now) const;
    // How much the voice on channel still gives at now: gain times the share
    // of its length still to play; a loop keeps its gain; 0 when free.
    float weight(int channel, uint32_t now) const;
};

} // namespace quenth

#endif
