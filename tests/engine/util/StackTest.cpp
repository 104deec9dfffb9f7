#include "engine/util/Stack.h"

#include <gtest/gtest.h>

#include <type_traits>

using quenth::Stack;

struct Item {
    int id;
    float weight;
};

static_assert(!std::is_copy_constructible<Stack<int>>::value, "one owner per storage");
static_assert(!std::is_copy_assignable<Stack<int>>::value, "one owner per storage");

TEST(Stack, PushGrowsByDoublingKeepingOrder) {
    Stack<int> s(16);
    for (int i = 0; i < 16; i++) s.push(i * 3);
    EXPECT_EQ(s.capacity, 16u);
    s.push(48);
    EXPECT_EQ(s.capacity, 32u);
    ASSERT_EQ(s.count, 17u);
    for (unsigned i = 0; i < 17; i++) EXPECT_EQ(s[i], (int)i * 3);
    for (int i = 17; i < 33; i++) s.push(i * 3);
    EXPECT_EQ(s.capacity, 64u);
    EXPECT_EQ(s[32], 96);
    // Pushing an element of the stack itself while it grows keeps the value.
    Stack<Item> t(2);
    t.push(Item{1, 0.5f});
    t.push(Item{2, 1.5f});
    t.push(t[0]);
    EXPECT_EQ(t.capacity, 4u);
    EXPECT_EQ(t[2].id, 1);
    EXPECT_FLOAT_EQ(t[2].weight, 0.5f);
}

TEST(Stack, CapacityZeroGrowsOnEveryPush) {
    Stack<int> s(0);
    EXPECT_EQ(s.capacity, 0u);
    EXPECT_EQ(s.pop(), 0); // the spare exists even at capacity 0
    for (int i = 0; i < 9; i++) {
        s.push(100 + i);
        ASSERT_LE(s.count, s.capacity) << i;
    }
    EXPECT_EQ(s.capacity, 16u); // 0 -> 1 -> 2 -> 4 -> 8 -> 16
    for (unsigned i = 0; i < 9; i++) EXPECT_EQ(s[i], 100 + (int)i);
    Stack<int> r(5);
    r.resize(0);
    r.push(7);
    r.push(8);
    EXPECT_EQ(r.capacity, 2u);
    EXPECT_EQ(r.pop(), 8);
    EXPECT_EQ(r.pop(), 7);
}

TEST(Stack, SpareElementAnswersEmptyPopAndOutOfRangeAccess) {
    Stack<Item> s(4);
    Item& spare = s.pop();
    EXPECT_EQ(s.count, 0u);
    EXPECT_EQ(spare.id, 0);
    EXPECT_FLOAT_EQ(spare.weight, 0);
    EXPECT_EQ(&spare, s.data + s.capacity);
    s.push(Item{5, 2});
    EXPECT_EQ(&s[1], s.data + 4);
    EXPECT_EQ(&s[100], s.data + 4);
    EXPECT_EQ(s[0].id, 5);
    for (int i = 0; i < 4; i++) s.push(Item{i, 0});
    EXPECT_EQ(s.capacity, 8u);
    EXPECT_EQ(s.data[8].id, 0); // push never writes the spare
    EXPECT_EQ(s.pop().id, 3);
    EXPECT_EQ(s.count, 4u);
    Stack<Item> const& cs = s;
    EXPECT_EQ(cs[0].id, 5);
    EXPECT_EQ(&cs[4], s.data + 8);
}

TEST(Stack, ClearAndResizeKeepStorageRules) {
    Stack<int> s(16);
    for (int i = 0; i < 10; i++) s.push(i);
    int* storage = s.data;
    s.clear();
    EXPECT_EQ(s.count, 0u);
    s.push(42);
    EXPECT_EQ(s.data, storage); // reused, no new allocation
    EXPECT_EQ(s.capacity, 16u);
    EXPECT_EQ(s[0], 42);

    Stack<int> m(16);
    for (int i = 1; i <= 5; i++) m.push(i);
    m.resize(32);
    EXPECT_EQ(m.capacity, 32u);
    EXPECT_EQ(m.count, 5u);
    for (unsigned i = 0; i < 5; i++) EXPECT_EQ(m[i], (int)i + 1);
    for (unsigned i = 5; i <= 32; i++) EXPECT_EQ(m.data[i], 0) << i; // new slots and spare zero
    // Shrinking below the count cuts the count, so access stays inside the storage.
    m.resize(3);
    EXPECT_EQ(m.count, 3u);
    EXPECT_EQ(m[2], 3);
    EXPECT_EQ(&m[3], m.data + 3);

    // A work stack (uncleared storage) behaves the same for everything it writes.
    Stack<float> w(2, false);
    EXPECT_FALSE(w.zeroFill);
    for (int i = 0; i < 5; i++) w.push(i * 0.5f);
    EXPECT_EQ(w.capacity, 8u);
    EXPECT_FLOAT_EQ(w[4], 2.0f);
    EXPECT_FLOAT_EQ(w.pop(), 2.0f);
}
