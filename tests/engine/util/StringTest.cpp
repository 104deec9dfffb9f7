#include "engine/util/String.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>

using namespace quenth;

// The invariant every operation keeps: a terminated text that fits its buffer.
static void expectValid(String const& s) {
    ASSERT_NE(s.data, nullptr);
    EXPECT_LE(s.length(), s.capacity);
    EXPECT_EQ(s.data[s.length()], 0);
    EXPECT_EQ(s.data[s.capacity], 0);
    EXPECT_EQ(strlen(s.getCString()), s.length());
}

TEST(String, BuildingAndGrowth) {
    String s;
    expectValid(s);
    s.appendChar('a');
    s.appendChar('b');
    EXPECT_STREQ(s.getCString(), "ab");
    EXPECT_EQ(s.length(), 2u);
    expectValid(s);
    for (int i = 0; i < 100; i++) {
        s.appendChar((char)('0' + i % 10));
        expectValid(s);
    }
    EXPECT_EQ(s.length(), 102u);
    EXPECT_EQ(s[101], '9');

    String h("hello");
    h.set("hi");
    h.appendChar('!');
    EXPECT_STREQ(h.getCString(), "hi!");
    expectValid(h);
    h.set("a much longer text than before");
    expectValid(h);
    h += "; more";
    h += String(" and more");
    EXPECT_STREQ(h.getCString(), "a much longer text than before; more and more");
    expectValid(h);
    h.allocate(200);
    EXPECT_EQ(h.capacity, 200u);
    EXPECT_STREQ(h.getCString(), "a much longer text than before; more and more");
    expectValid(h);
    h.allocate(10); // never shrinks
    EXPECT_EQ(h.capacity, 200u);

    String c(h);
    c = "x";
    EXPECT_STREQ(h.getCString(), "a much longer text than before; more and more"); // copies own their text
    c = h;
    EXPECT_TRUE(c == h);
    expectValid(c);
    c.clear();
    EXPECT_STREQ(c.getCString(), "");
    EXPECT_TRUE(c.isEmpty());
    expectValid(c);
    char* copy = h.getCStringCopy();
    EXPECT_STREQ(copy, h.getCString());
    EXPECT_NE(copy, h.getCString());
    delete[] copy;
    // Reads past the buffer return the final zero byte.
    EXPECT_EQ(String("ab")[1000], 0);
}

TEST(String, NullAndSelfReferences) {
    String n(nullptr);
    EXPECT_TRUE(n.isEmpty());
    expectValid(n);
    String t("text");
    t.set((char const*)nullptr);
    EXPECT_TRUE(t.isEmpty());
    expectValid(t);
    t = "ab";
    t.append((char const*)nullptr);
    EXPECT_STREQ(t.getCString(), "ab");
    EXPECT_FALSE(t.equals((char const*)nullptr));
    EXPECT_FALSE(t == (char const*)nullptr);
    EXPECT_TRUE(t != (char const*)nullptr);
    EXPECT_EQ(stringLength((char const*)nullptr), 0u);
    EXPECT_TRUE(stringEquals("abc", "abc"));
    EXPECT_FALSE(stringEquals("abc", "abd"));
    EXPECT_FALSE(stringEquals("abc", nullptr));
    // Appending or assigning a string to itself must not read freed storage.
    String s("abc");
    for (int i = 0; i < 5; i++) s.append(s);
    EXPECT_EQ(s.length(), 96u);
    EXPECT_EQ(s.indexOf(String("cab"), 0), 2);
    expectValid(s);
    s.append(s.getCString() + 90);
    EXPECT_EQ(s.length(), 102u);
    expectValid(s);
    s = s;
    EXPECT_EQ(s.length(), 102u);
    s.set(s.getCString() + 100);
    EXPECT_STREQ(s.getCString(), "bc");
    expectValid(s);
}

TEST(String, TrimRemoveAndSearch) {
    String t("  \tword \n");
    EXPECT_EQ(t.trim(), 4);
    EXPECT_STREQ(t.getCString(), "word");
    EXPECT_EQ(t.capacity, 5u);
    expectValid(t);
    String sp("   ");
    EXPECT_EQ(sp.trim(), 0);
    EXPECT_TRUE(sp.isEmpty());
    expectValid(sp);
    String cr("\r\n");
    cr.trim();
    EXPECT_STREQ(cr.getCString(), "\r");

    String h("hello");
    EXPECT_EQ(h.indexOf(String("lo"), 0), 3);
    EXPECT_EQ(h.indexOf(String("lo"), 4), -1);
    EXPECT_EQ(h.indexOf(String("l"), 3), 3);
    EXPECT_EQ(h.indexOf(String("x"), 0), -1);
    EXPECT_EQ(h.indexOf(String("hello!"), 0), -1);
    EXPECT_EQ(h.indexOf(String("o"), 99), -1);
    EXPECT_EQ(h.indexOfLast(String("l"), 0), 3);
    EXPECT_EQ(h.indexOfLast(String("l"), 2), 2); // last two characters ignored
    EXPECT_EQ(h.indexOfLast(String("lo"), 1), -1);
    EXPECT_EQ(h.indexOfLast(String("h"), 4), 0);
    EXPECT_EQ(h.indexOfLast(String("h"), 5), -1);
    EXPECT_EQ(h.removeTrailing(String("l")), 4);
    EXPECT_STREQ(h.getCString(), "helo");
    EXPECT_EQ(h.data[4], 0);
    EXPECT_EQ(h.data[5], 0); // freed tail bytes are zero
    String r("abcabc");
    EXPECT_EQ(r.remove(String("bc")), 4);
    EXPECT_STREQ(r.getCString(), "aabc");
    EXPECT_EQ(r.remove(String("zz")), -1);
    EXPECT_STREQ(r.getCString(), "aabc");
    expectValid(r);
}

TEST(String, Substrings) {
    String h("hello");
    EXPECT_STREQ(h.substring(1, 3).getCString(), "el");
    EXPECT_STREQ(h.substring(2, 5).getCString(), "llo");
    EXPECT_STREQ(h.substring(3).getCString(), "lo");
    EXPECT_STREQ(h.substring(7).getCString(), "");
    EXPECT_STREQ(h.substring(5).getCString(), "");
    EXPECT_STREQ(h.substring(2, 2).getCString(), "");
    EXPECT_STREQ(h.substring(2, 6).getCString(), ""); // to beyond the text
    EXPECT_STREQ(h.substring(4, 1).getCString(), ""); // crossed bounds give nothing, read nothing
    expectValid(h.substring(1, 3));
}

TEST(String, ComparisonConcatenationAndParsing) {
    String a("abc");
    EXPECT_TRUE(a == "abc");
    EXPECT_TRUE("abc" == a);
    EXPECT_TRUE(a != "abcd");
    EXPECT_TRUE("ab" != a);
    EXPECT_TRUE(a.equals(String("abc")));
    EXPECT_FALSE(a.equals(String("abd")));
    EXPECT_FALSE(a == String("ab"));
    String s = "x" + a + "-" + String("y");
    EXPECT_STREQ(s.getCString(), "xabc-y");
    expectValid(s);
    EXPECT_STREQ(charToString('q').getCString(), "q");
    EXPECT_EQ(stringLength(s), 6u);
    EXPECT_EQ(String("0x1F").parseInteger(), 31);
    EXPECT_EQ(String("12abc").parseInteger(), 12);
    EXPECT_EQ(String("010").parseInteger(), 8);
    EXPECT_EQ(String("abc").parseInteger(), 0);
    EXPECT_EQ(String("-5000000000").parseLong(), -5000000000L);
    EXPECT_FLOAT_EQ(String("2.5e1").parseFloat(), 25);
    EXPECT_DOUBLE_EQ(String("0.125").parseDouble(), 0.125);
}

TEST(String, NumberFormatting) {
    EXPECT_STREQ(strInt(-42).getCString(), "-42");
    EXPECT_STREQ(toString(7).getCString(), "7");
    EXPECT_STREQ(strIntHex(255).getCString(), "FF");
    EXPECT_STREQ(strFloat(1.5f).getCString(), "1.500000");
    EXPECT_STREQ(toString(0.25).getCString(), "0.250000");
    EXPECT_STREQ(strDouble(-2.0).getCString(), "-2.000000");
    EXPECT_STREQ(strUInt(0x80000000u).getCString(), "-2147483648");
    EXPECT_STREQ(strUInt(12).getCString(), "12");
    EXPECT_STREQ(strChar(-5).getCString(), "-5");
    EXPECT_STREQ(strUChar(250).getCString(), "250");
    EXPECT_STREQ(strLong(-5000000000L).getCString(), "-5000000000");
    EXPECT_STREQ(strULong(ULONG_MAX).getCString(), "-1");
    EXPECT_STREQ(strCharHex(-1).getCString(), "FFFFFFFF");
    EXPECT_STREQ(strUCharHex(0xAB).getCString(), "AB");
    EXPECT_STREQ(strUIntHex(0xDEADBEEFu).getCString(), "DEADBEEF");
    EXPECT_STREQ(strLongHex(-1L).getCString(), "FFFFFFFFFFFFFFFF");
    EXPECT_STREQ(strULongHex(0x123456789AUL).getCString(), "123456789A");
    int x = 0;
    char expect[64];
    snprintf(expect, sizeof expect, "%p", (void*)&x);
    EXPECT_STREQ(strPointer(&x).getCString(), expect);
    // Each result is its own copy, not the shared buffer.
    String first = strInt(1);
    String second = strInt(2);
    EXPECT_STREQ(first.getCString(), "1");
    EXPECT_NE(first.getCString(), __t_strv);
    expectValid(second);
    // A huge value is cut to the buffer, not written past it.
    String big = toString(1e300);
    EXPECT_EQ(big.length(), 254u);
}
