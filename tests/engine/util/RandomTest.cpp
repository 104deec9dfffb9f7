#include "engine/util/Random.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using quenth::Random;

static const int kSeed = (int)0xd34db33f;

TEST(Random, TablesComeFromTheCLibrary) {
    Random r(kSeed);
    srand((unsigned)kSeed);
    for (int i = 0; i < 4; i++) {
        unsigned iv = (unsigned)rand() & 0x7fffffffu;
        float fv = (float)(rand() & 0x7fffffff) * (1.0f / 2147483648.0f);
        EXPECT_EQ(r.intTable[i], iv) << i;
        EXPECT_EQ(r.floatTable[i], fv) << i;
    }
    for (int i = 0; i < Random::tableSize; i++) {
        ASSERT_LE(r.intTable[i], 0x7fffffffu);
        ASSERT_GE(r.floatTable[i], 0.0f);
        ASSERT_LE(r.floatTable[i], 1.0f);
    }
}

TEST(Random, SameSeedSameSequenceAndReseed) {
    Random a(kSeed), b(kSeed), c(12345);
    bool differs = false;
    for (int i = 0; i < 1000; i++) {
        int x = a.randi(), y = b.randi();
        ASSERT_EQ(x, y) << i;
        ASSERT_EQ(a.randf(), b.randf()) << i;
        differs |= x != c.randi();
    }
    EXPECT_TRUE(differs);
    // init rewinds both streams and refills the (already modified) tables.
    Random d(kSeed);
    int first = d.randi();
    float firstF = d.randf();
    for (int i = 0; i < 70000; i++) d.randi();
    d.init(kSeed);
    EXPECT_EQ(d.intIndex, 0);
    EXPECT_EQ(d.floatIndex, 0);
    EXPECT_EQ(d.randi(), first);
    EXPECT_EQ(d.randf(), firstF);
}

TEST(Random, StreamsRepeatAfterTwoPasses) {
    Random r(kSeed);
    std::vector<int> pass1(Random::tableSize);
    for (int& v : pass1) v = r.randi();
    EXPECT_EQ(r.intIndex, 0);
    for (int i = 0; i < Random::tableSize; i++) ASSERT_EQ(r.randi(), 0x7fffffff - pass1[i]) << i;
    for (int i = 0; i < Random::tableSize; i++) ASSERT_EQ(r.randi(), pass1[i]) << i;

    std::vector<float> fpass(Random::tableSize);
    for (float& v : fpass) v = r.randf();
    for (int i = 0; i < Random::tableSize; i++) ASSERT_EQ(r.randf(), 1 - fpass[i]) << i;
    for (int i = 0; i < 8; i++) EXPECT_EQ(r.randf(), 1 - (1 - fpass[i]));
}

TEST(Random, IntegerAndFloatStreamsAreIndependent) {
    // a mixes the two kinds of call; b draws only floats, c only integers.
    Random a(kSeed), b(kSeed), c(kSeed);
    for (int i = 0; i < 500; i++) a.randi();
    EXPECT_EQ(a.floatIndex, 0);
    for (int i = 0; i < 100; i++) ASSERT_EQ(a.randf(), b.randf()) << i;
    EXPECT_EQ(b.intIndex, 0);
    for (int i = 0; i < 500; i++) c.randi();
    for (int i = 0; i < 100; i++) ASSERT_EQ(a.randi(), c.randi()) << i;
}

TEST(Random, RangeMapping) {
    Random r(kSeed);
    int before = r.intIndex;
    EXPECT_EQ(r.randi(5, 5), 5);
    EXPECT_EQ(r.intIndex, before); // no entry consumed
    for (int i = 0; i < 20000; i++) {
        int a = r.randi(3, 9);
        ASSERT_GE(a, 3);
        ASSERT_LT(a, 9);
        int n = r.randi(-3);
        ASSERT_GE(n, 0);
        ASSERT_LT(n, 3);
        int m = r.randi(7);
        ASSERT_GE(m, 0);
        ASSERT_LT(m, 7);
        int rev = r.randi(10, 4); // b < a: [a, 2a - b)
        ASSERT_GE(rev, 10);
        ASSERT_LT(rev, 16);
        float f = r.randf(2, 4);
        ASSERT_GE(f, 2);
        ASSERT_LE(f, 4);
        float g = r.randf(0.5f);
        ASSERT_GE(g, 0);
        ASSERT_LE(g, 0.5f);
    }
    // randi(a, b) is a + randi() % (b - a) on the very next entry.
    Random s(kSeed), t(kSeed);
    EXPECT_EQ(s.randi(100, 200), 100 + t.randi() % 100);
    EXPECT_EQ(s.randf(-1, 3), -1 + t.randf() * 4);
}
