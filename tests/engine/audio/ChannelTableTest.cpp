#include <gtest/gtest.h>

#include <cmath>

#include "engine/audio/ChannelTable.h"

using quenth::ChannelTable;
using quenth::VoiceChoice;

namespace {

// Two groups: channels 0-1 for the player's gun, 2-5 for explosions.
enum { GUN_GROUP, BLAST_GROUP };
enum { SHOT, BLAST, HUM };

ChannelTable makeTable() {
    ChannelTable t;
    t.addGroup(2);
    t.addGroup(4);
    t.setRule(SHOT, GUN_GROUP, 2, 30, 110);
    t.setRule(BLAST, BLAST_GROUP, 3, 90, 1000);
    t.setRule(HUM, GUN_GROUP, 1, 0, 0); // a loop
    return t;
}

int voicesOf(ChannelTable const& t, int sound, uint32_t now) {
    int n = 0;
    for (int c = 0; c < t.channelCount; ++c)
        if (t.voices[c].sound == sound && t.busy(c, now)) ++n;
    return n;
}

} // namespace

TEST(ChannelTableTest, RequestsWithinTheRetriggerIntervalMakeOneLouderVoice) {
    ChannelTable t = makeTable();
    // Eight wrecks in one frame.
    VoiceChoice first = t.request(BLAST, 0.4f, 1000);
    ASSERT_EQ(first.action, VoiceChoice::START);
    EXPECT_GE(first.channel, 2);
    float gain = first.gain;
    for (int i = 1; i < 8; ++i) {
        VoiceChoice c = t.request(BLAST, 0.4f, 1000 + (uint32_t)i * 10); // still within 90 ms of the start
        ASSERT_EQ(c.action, VoiceChoice::JOIN) << "request " << i;
        EXPECT_EQ(c.channel, first.channel);
        if (gain < 1) {
            EXPECT_GT(c.gain, gain) << "a joined request makes the voice louder";
        }
        gain = c.gain;
    }
    EXPECT_EQ(voicesOf(t, BLAST, 1070), 1);
    // Power adds up: three of 0.4 are 0.69; eight would be 1.13, held at full level.
    EXPECT_FLOAT_EQ(gain, 1.0f);
    ChannelTable three = makeTable();
    for (int i = 0; i < 3; ++i) three.request(BLAST, 0.4f, 500);
    EXPECT_NEAR(three.voices[three.find(BLAST, 500)].gain, 0.4f * std::sqrt(3.0f), 1e-5);
    // A rule may hold a crowd lower: here 3 dB over one.
    three.setRule(BLAST, BLAST_GROUP, 3, 90, 1000, 0.4f * 1.41f);
    for (int i = 0; i < 8; ++i) three.request(BLAST, 0.4f, 2000);
    EXPECT_FLOAT_EQ(three.voices[three.find(BLAST, 2000)].gain, 0.4f * 1.41f);

    // Past the interval a second voice starts beside the first.
    VoiceChoice later = t.request(BLAST, 0.4f, 1100);
    ASSERT_EQ(later.action, VoiceChoice::START);
    EXPECT_NE(later.channel, first.channel);
    EXPECT_EQ(t.find(BLAST, 1100), later.channel) << "the latest voice is the one requests join";
    // A voice ends with its length and its channel is free again.
    EXPECT_TRUE(t.busy(first.channel, 1999));
    EXPECT_FALSE(t.busy(first.channel, 2000));
}

TEST(ChannelTableTest, AtTheVoiceLimitOnlyALouderSoundTakesTheWeakestVoice) {
    ChannelTable t = makeTable();
    int a = t.request(BLAST, 1.0f, 0).channel;
    int b = t.request(BLAST, 0.9f, 200).channel;
    int c = t.request(BLAST, 0.8f, 400).channel;
    ASSERT_EQ(voicesOf(t, BLAST, 400), 3);
    // At 600 the first has 0.4 left to give, the second 0.54, the third 0.64.
    EXPECT_NEAR(t.weight(a, 600), 0.4f, 1e-5);
    VoiceChoice quiet = t.request(BLAST, 0.35f, 600);
    EXPECT_EQ(quiet.action, VoiceChoice::DROP) << "the limit holds although a channel of the group is free";
    VoiceChoice loud = t.request(BLAST, 0.5f, 600);
    ASSERT_EQ(loud.action, VoiceChoice::START);
    EXPECT_EQ(loud.channel, a);
    EXPECT_EQ(voicesOf(t, BLAST, 600), 3);
    EXPECT_TRUE(t.busy(b, 600) && t.busy(c, 600));
}

TEST(ChannelTableTest, AFloodOfOneGroupNeverTakesTheChannelsOfAnother) {
    ChannelTable t = makeTable();
    t.setRule(BLAST, BLAST_GROUP, 32, 0, 1000); // no limit but the group's channels
    uint32_t now = 0;
    int started = 0;
    for (int i = 0; i < 200; ++i, now += 5)
        if (t.request(BLAST, 1.0f, now).action == VoiceChoice::START) ++started;
    EXPECT_EQ(started, 200) << "full-level blasts replace fading ones";
    for (int ch = 0; ch < t.channelCount; ++ch) {
        if (t.voices[ch].sound == BLAST) {
            EXPECT_GE(ch, 2) << "a blast on a channel of the gun";
        }
    }
    // The loop and the shots still find their channels.
    VoiceChoice hum = t.request(HUM, 0.5f, now);
    ASSERT_EQ(hum.action, VoiceChoice::START);
    VoiceChoice shot = t.request(SHOT, 0.3f, now);
    ASSERT_EQ(shot.action, VoiceChoice::START);
    EXPECT_LT(shot.channel, 2);
    // The loop lasts until released; the shot after it takes the last gun
    // channel only by replacing the older shot, never the loop.
    EXPECT_TRUE(t.busy(hum.channel, now + 100000));
    VoiceChoice second = t.request(SHOT, 0.3f, now + 50);
    ASSERT_EQ(second.action, VoiceChoice::START);
    EXPECT_EQ(second.channel, shot.channel);
    t.release(hum.channel);
    EXPECT_EQ(t.find(HUM, now + 60), -1);
}
