#include "scene/Group.h"
#include "tests/scene/SceneTestNodes.h"

using quenth::vec3;

TEST(Group, StartsDirtyAndEmptyGroupMeasuresZero) {
    Group g;
    EXPECT_EQ(g.flags, (unsigned)(DRAWABLE_VISIBLE | DRAW_MODE_BLEND | DRAWABLE_GROUP | DRAWABLE_DIRTY));
    g.size = vec3(5, 5, 5);
    g.updateSize();
    EXPECT_EQ(g.size.x, 0);
    EXPECT_EQ(g.size.y, 0);
    EXPECT_EQ(g.size.z, 0);
    EXPECT_FALSE(g.flags & DRAWABLE_DIRTY);
}

TEST(Group, ExtentAlwaysContainsTheOrigin) {
    Group g;
    Box b(10, 10);
    b.position = vec3(100, 0, 0);
    g.add(&b);
    g.updateSize();
    EXPECT_FLOAT_EQ(g.size.x, 105);
    EXPECT_FLOAT_EQ(g.size.y, 10);
    // The hot spot of the group is left alone.
    EXPECT_EQ(g.hotSpot.x, 0);
    EXPECT_EQ(g.hotSpot.y, 0);
}

TEST(Group, RotatedScaledAndInvisibleChildrenCount) {
    Group rotated;
    Box r(40, 10);
    r.setRotation(90);
    rotated.add(&r);
    rotated.updateSize();
    EXPECT_NEAR(rotated.size.x, 10, 1e-3);
    EXPECT_NEAR(rotated.size.y, 40, 1e-3);

    Group scaled;
    Box s(10, 10);
    s.setScale(2);
    scaled.add(&s);
    scaled.updateSize();
    EXPECT_FLOAT_EQ(scaled.size.x, 20);
    EXPECT_FLOAT_EQ(scaled.size.y, 20);

    Group hidden;
    Box h(10, 10);
    h.position = vec3(-50, 30, 0);
    h.setVisible(false);
    hidden.add(&h);
    hidden.updateSize();
    EXPECT_FLOAT_EQ(hidden.size.x, 55);
    EXPECT_FLOAT_EQ(hidden.size.y, 35);

    // A hot spot moves the child's rectangle.
    Group shifted;
    Box t(10, 10);
    t.setHotSpot(TOP_LEFT);
    t.position = vec3(20, 20, 0);
    shifted.add(&t);
    shifted.updateSize();
    EXPECT_FLOAT_EQ(shifted.size.x, 30);
    EXPECT_FLOAT_EQ(shifted.size.y, 30);
}

TEST(Group, NestedDirtyGroupsUpdateBottomUp) {
    Group outer, inner;
    Box leaf(10, 10);
    outer.add(&inner);
    inner.add(&leaf);
    inner.position = vec3(30, 0, 0);
    outer.updateSize(); // the inner group was dirty from birth: measured first
    EXPECT_FALSE(inner.flags & DRAWABLE_DIRTY);
    EXPECT_FLOAT_EQ(inner.size.x, 10);
    EXPECT_FLOAT_EQ(outer.size.x, 35);

    // Moving the leaf and marking it dirty refreshes both on the next update.
    leaf.position = vec3(100, 0, 0);
    leaf.markDirty();
    EXPECT_TRUE(inner.flags & DRAWABLE_DIRTY);
    EXPECT_TRUE(outer.flags & DRAWABLE_DIRTY);
    outer.updateSize();
    EXPECT_FLOAT_EQ(inner.size.x, 105);
    // The inner group is measured centred on its position (hot spot 0):
    // -52.5..52.5 around 30, so the outer group runs from -22.5 to 82.5.
    EXPECT_FLOAT_EQ(outer.size.x, 105);
    EXPECT_FALSE(inner.flags & DRAWABLE_DIRTY);
    EXPECT_FALSE(outer.flags & DRAWABLE_DIRTY);
}

TEST(Group, AddingAChildLeavesItClean) {
    Group g;
    g.updateSize();
    Box b(10, 10);
    b.position = vec3(50, 0, 0);
    g.add(&b);
    EXPECT_FALSE(g.flags & DRAWABLE_DIRTY);
    EXPECT_EQ(g.size.x, 0);
    g.markDirty();
    g.updateSize();
    EXPECT_FLOAT_EQ(g.size.x, 55);
}

TEST(Group, ThreeDimensionalChildrenWidenAllAxes) {
    Group g;
    Box b(10, 20);
    b.size.z = 30;
    b.flags |= DRAWABLE_3D;
    b.position = vec3(0, 0, 40);
    g.add(&b);
    g.updateSize();
    EXPECT_FLOAT_EQ(g.size.x, 10);
    EXPECT_FLOAT_EQ(g.size.y, 20);
    EXPECT_FLOAT_EQ(g.size.z, 55); // 0 .. 55: the origin and the box from 25 to 55
}

TEST(Group, ListAndOwnOperationsAreBothReachable) {
    List scene;
    Group g;
    Box a, b;
    scene.add(&a);
    scene.add(&g);
    g.add(&b);
    g.remove(&b); // the child
    expectList(g, {});
    g.sendToBack(); // the group itself
    expectList(scene, {&g, &a});
    g.remove();
    expectList(scene, {&a});
}
