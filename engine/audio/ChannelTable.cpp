#include "engine/audio/ChannelTable.h"

#include <cmath>

namespace quenth {

ChannelTable::ChannelTable() : channelCount(0), groupCount(0) {
    for (int i = 0; i < maxGroups; ++i) groups[i] = ChannelGroup{0, 0};
    for (int i = 0; i < maxSounds; ++i) rules[i] = VoiceRule{0, 0, 0, 0, 1};
    for (int i = 0; i < maxChannels; ++i) voices[i] = Voice{-1, 0, 0};
}

int ChannelTable::addGroup(int count) {
    if (groupCount == maxGroups || count < 1 || channelCount + count > maxChannels) return -1;
    groups[groupCount] = ChannelGroup{channelCount, count};
    channelCount += count;
    return groupCount++;
}

void ChannelTable::setRule(int sound, int group, int maxVoices, uint32_t retrigger, uint32_t length,
                           float maxGain) {
    if (sound < 0 || sound >= maxSounds) return;
    rules[sound] = VoiceRule{group, maxVoices, retrigger, length, maxGain};
}

bool ChannelTable::busy(int channel, uint32_t now) const {
    Voice const& v = voices[channel];
    if (v.sound < 0) return false;
    uint32_t length = rules[v.sound].length;
    return length == 0 || now - v.start < length;
}

int ChannelTable::find(int sound, uint32_t now) const {
    int found = -1;
    for (int c = 0; c < channelCount; ++c)
        if (voices[c].sound == sound && busy(c, now) &&
            (found < 0 || voices[c].start - voices[found].start < 0x80000000u))
            found = c;
    return found;
}

float ChannelTable::weight(int channel, uint32_t now) const {
    if (!busy(channel, now)) return 0;
    Voice const& v = voices[channel];
    uint32_t length = rules[v.sound].length;
    if (length == 0) return v.gain;
    return v.gain * (float)(length - (now - v.start)) / (float)length;
}

VoiceChoice ChannelTable::request(int sound, float gain, uint32_t now) {
    VoiceChoice drop = {VoiceChoice::DROP, -1, 0};
    if (sound < 0 || sound >= maxSounds || !(gain > 0)) return drop;
    VoiceRule const& rule = rules[sound];
    if (rule.maxVoices < 1 || rule.group < 0 || rule.group >= groupCount) return drop;
    if (gain > 1) gain = 1;
    ChannelGroup const& g = groups[rule.group];

    // Sounds that come together add up in power, as unrelated sources do.
    int latest = find(sound, now);
    if (latest >= 0 && now - voices[latest].start < rule.retrigger) {
        Voice& v = voices[latest];
        float joined = std::sqrt(v.gain * v.gain + gain * gain);
        v.gain = std::fmax(v.gain, std::fmin(std::fmin(rule.maxGain, 1.0f), joined));
        return VoiceChoice{VoiceChoice::JOIN, latest, v.gain};
    }

    // The channel to take: at the voice limit the weakest voice of this sound;
    // else a free channel of the group, or the group's weakest voice.
    int voicesOfSound = 0, weakestOwn = -1, weakest = -1, freeChannel = -1;
    for (int c = g.first; c < g.first + g.count; ++c) {
        if (!busy(c, now)) {
            if (freeChannel < 0) freeChannel = c;
            continue;
        }
        float w = weight(c, now);
        if (weakest < 0 || w < weight(weakest, now)) weakest = c;
        if (voices[c].sound == sound) {
            ++voicesOfSound;
            if (weakestOwn < 0 || w < weight(weakestOwn, now)) weakestOwn = c;
        }
    }
    int channel = voicesOfSound >= rule.maxVoices ? weakestOwn : (freeChannel >= 0 ? freeChannel : weakest);
    if (channel < 0 || (busy(channel, now) && weight(channel, now) >= gain)) return drop;

    voices[channel] = Voice{sound, now, gain};
    return VoiceChoice{VoiceChoice::START, channel, gain};
}

void ChannelTable::release(int channel) {
    if (channel >= 0 && channel < maxChannels) voices[channel].sound = -1;
}

} // namespace quenth
