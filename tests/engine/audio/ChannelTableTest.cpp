#include <gtest/gtest.h>

#include "engine/audio/ChannelTable.h"

using quenth::ChannelTable;
using quenth::VoiceChoice;

namespace {

// Channels 0-1 for a gun, 2-5 for blasts: up to 3 blasts at once, 1 s each.
// (The joins within the retrigger interval and the groups under a flood are
// tested with the game's own table in SoundsTest.)
enum { BLAST = 1 };

ChannelTable makeTable() {
    ChannelTable t;
    t.addGroup(2);
    int blasts = t.addGroup(4);
    t.setRule(BLAST, blasts, 3, 90, 1000);
    return t;
}

int blastVoices(ChannelTable const& t, uint32_t now) {
    int n = 0;
    for (int c = 0; c < t.channelCount; ++c)
        if (t.voices[c].sound == BLAST && t.busy(c, now)) ++n;
    return n;
}

} // namespace

TEST(ChannelTableTest, AtTheVoiceLimitOnlyALouderSoundTakesTheWeakestVoice) {
    ChannelTable t = makeTable();
    int a = t.request(BLAST, 1.0f, 0).channel;
    t.request(BLAST, 0.9f, 200);
    t.request(BLAST, 0.8f, 400);
    // At 600 the three have 0.4, 0.54 and 0.64 left to give.
    EXPECT_NEAR(t.weight(a, 600), 0.4f, 1e-5);
    EXPECT_EQ(t.request(BLAST, 0.35f, 600).action, VoiceChoice::DROP)
        << "the limit holds although a channel of the group is free";
    VoiceChoice loud = t.request(BLAST, 0.5f, 600);
    ASSERT_EQ(loud.action, VoiceChoice::START);
    EXPECT_EQ(loud.channel, a);
    EXPECT_EQ(blastVoices(t, 600), 3);
}
