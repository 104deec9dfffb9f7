#ifndef TESTS_SCENE_SCENETESTNODES_H
#define TESTS_SCENE_SCENETESTNODES_H

#include "scene/Container.h"
#include "scene/Drawable.h"
#include "scene/SceneState.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

// A leaf that draws nothing.
struct Box : Drawable {
    Box(float w = 0, float h = 0) { setSize(w, h); }
    void draw(SceneState&) override {}
};

// A plain container, as the scenes are.
struct List : Container {};

// Checks that c holds exactly the given drawables, in order, with every link,
// parent and the count consistent.
inline void expectList(Container& c, std::initializer_list<Drawable*> items) {
    std::vector<Drawable*> want(items);
    ASSERT_EQ(c.count, want.size());
    ASSERT_EQ(c.getNumDrawables(), want.size());
    if (want.empty()) {
        EXPECT_EQ(c.head, nullptr);
        EXPECT_EQ(c.tail, nullptr);
        return;
    }
    EXPECT_EQ(c.head, want.front());
    EXPECT_EQ(c.tail, want.back());
    for (size_t i = 0; i < want.size(); i++) {
        EXPECT_EQ(want[i]->parent, &c) << "item " << i;
        EXPECT_EQ(want[i]->prev, i ? want[i - 1] : nullptr) << "item " << i;
        EXPECT_EQ(want[i]->next, i + 1 < want.size() ? want[i + 1] : nullptr) << "item " << i;
    }
}

inline void expectDetached(Drawable const& d) {
    EXPECT_EQ(d.parent, nullptr);
    EXPECT_EQ(d.next, nullptr);
    EXPECT_EQ(d.prev, nullptr);
}

#endif
