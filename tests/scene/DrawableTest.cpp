#include "scene/Group.h"
#include "tests/scene/SceneTestNodes.h"

#include "engine/math/vec2.h"

using quenth::vec2;

TEST(Drawable, StartsDetachedVisibleWhiteAndBlending) {
    Box d;
    expectDetached(d);
    EXPECT_EQ(d.flags, 0x101u);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.getDrawMode(), (unsigned)DRAW_MODE_BLEND);
    EXPECT_EQ(d.blendColor.r, 255);
    EXPECT_EQ(d.blendColor.g, 255);
    EXPECT_EQ(d.blendColor.b, 255);
    EXPECT_EQ(d.blendColor.a, 255);
    EXPECT_EQ(d.scale, 1.0f);
}

TEST(Drawable, HotSpotLocations) {
    struct Case {
        HotSpotLocation where;
        float x, y;
    } cases[] = {{TOP_LEFT, 20, 10}, {TOP_RIGHT, -20, 10},   {LEFT, 20, 0},
                 {TOP, 0, 10},       {CENTER, 0, 0},         {RIGHT, -20, 0},
                 {BOTTOM, 0, -10},   {BOTTOM_LEFT, 20, -10}, {BOTTOM_RIGHT, -20, -10}};
    for (Case const& c : cases) {
        Box d(40, 20);
        d.setHotSpot(7, 7);
        d.setHotSpot(c.where);
        EXPECT_EQ(d.hotSpot.x, c.x) << "location " << c.where;
        EXPECT_EQ(d.hotSpot.y, c.y) << "location " << c.where;
    }
    Box d(40, 20);
    d.setHotSpot(3, 4);
    d.setHotSpot((HotSpotLocation)9); // unknown: unchanged
    EXPECT_EQ(d.hotSpot.x, 3);
    EXPECT_EQ(d.hotSpot.y, 4);
    d.setHotSpot(TOP_LEFT);
    d.setSize(100, 100); // not recomputed on resize
    EXPECT_EQ(d.hotSpot.x, 20);
    d.centerHotSpot();
    EXPECT_EQ(d.hotSpot.x, 0);
    EXPECT_EQ(d.hotSpot.y, 0);
}

TEST(Drawable, RotationWrapsAndScaleIsNeverNegative) {
    Box d;
    d.setRotation(-30);
    EXPECT_FLOAT_EQ(d.rotation.z, 330);
    d.setRotation(0);
    d.rotate(400);
    EXPECT_FLOAT_EQ(d.rotation.z, 40);
    d.rotate(-50);
    EXPECT_FLOAT_EQ(d.rotation.z, 350);
    d.setRotation(360);
    EXPECT_FLOAT_EQ(d.rotation.z, 0);
    d.setScale(-2);
    EXPECT_EQ(d.scale, 2);
    d.setScale(0.5f);
    EXPECT_EQ(d.scale, 0.5f);
}

TEST(Drawable, DrawModeBitsAndVisibility) {
    Box d;
    d.flags = 0x10F;
    d.setDrawMode(0x200);
    EXPECT_EQ(d.flags, 0x20Fu);
    EXPECT_EQ(d.getDrawMode(), 0x200u);
    d.setDrawMode(0x1234); // only bits 8-11 are taken
    EXPECT_EQ(d.flags, 0x20Fu);
    d.setDrawMode(DRAW_MODE_SRC_COLOR);
    EXPECT_EQ(d.getDrawMode(), (unsigned)DRAW_MODE_SRC_COLOR);
    d.setVisible(false);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.flags, 0x40Eu);
    d.setVisible(true);
    EXPECT_EQ(d.flags, 0x40Fu);
}

TEST(Drawable, BlendColourPackingAndClamping) {
    Box d;
    d.setBlendColor(0x80402010u); // r lowest byte, a highest
    EXPECT_EQ(d.blendColor.r, 0x10);
    EXPECT_EQ(d.blendColor.g, 0x20);
    EXPECT_EQ(d.blendColor.b, 0x40);
    EXPECT_EQ(d.blendColor.a, 0x80);
    d.setBlendColor(0.25f, 1.0f, 0.25f, 1.0f);
    EXPECT_EQ(d.blendColor.r, 63);
    EXPECT_EQ(d.blendColor.g, 255);
    EXPECT_EQ(d.blendColor.b, 63);
    EXPECT_EQ(d.blendColor.a, 255);
    d.setBlendColor(-1.0f, 2.0f, 0.5f, 0.0f / 0.0f);
    EXPECT_EQ(d.blendColor.r, 0);
    EXPECT_EQ(d.blendColor.g, 255);
    EXPECT_EQ(d.blendColor.b, 127);
    EXPECT_EQ(d.blendColor.a, 0); // NaN counts as 0
}

TEST(Drawable, ColourComposition) {
    EXPECT_EQ(SceneState::composeChannel(255, 200), 200); // opaque white passes through
    EXPECT_EQ(SceneState::composeChannel(255, 255), 255);
    EXPECT_EQ(SceneState::composeChannel(0, 255), 0);
    EXPECT_EQ(SceneState::composeChannel(255, 128), 128);
    EXPECT_EQ(SceneState::composeChannel(127, 255), 127);
    EXPECT_EQ(SceneState::composeChannel(63, 128), 32);
    EXPECT_EQ(SceneState::composeChannel(200, 0), 0);
}

TEST(Drawable, BoundsOfRotatedAndScaledNodes) {
    vec2 p, e;
    Box d(40, 10);
    d.position = quenth::vec3(100, 50, 0);
    d.getBounds(p, e);
    EXPECT_FLOAT_EQ(p.x, 80);
    EXPECT_FLOAT_EQ(p.y, 45);
    EXPECT_FLOAT_EQ(e.x, 40);
    EXPECT_FLOAT_EQ(e.y, 10);

    d.setRotation(90);
    d.getBounds(p, e);
    EXPECT_NEAR(p.x, 95, 1e-3);
    EXPECT_NEAR(p.y, 30, 1e-3);
    EXPECT_NEAR(e.x, 10, 1e-3);
    EXPECT_NEAR(e.y, 40, 1e-3);

    d.setRotation(45);
    d.setScale(2);
    d.getBounds(p, e);
    float side = (40 + 10) / 1.41421356f * 2; // projection of both sides, doubled
    EXPECT_NEAR(e.x, side, 1e-2);
    EXPECT_NEAR(e.y, side, 1e-2);
    EXPECT_NEAR(p.x, 100 - side / 2, 1e-2);

    // The hot spot shifts the rectangle before scaling and rotating.
    Box h(40, 20);
    h.setHotSpot(TOP_LEFT);
    h.setScale(3);
    h.getBounds(p, e);
    EXPECT_FLOAT_EQ(p.x, 0);
    EXPECT_FLOAT_EQ(p.y, 0);
    EXPECT_FLOAT_EQ(e.x, 120);
    EXPECT_FLOAT_EQ(e.y, 60);
    EXPECT_EQ(localToGlobal(vec2(5, 5)).x, 0);
    EXPECT_EQ(globalToLocal(vec2(5, 5)).y, 0);
}

TEST(Drawable, MarkDirtyClimbsThroughGroupsToTheScene) {
    List scene;
    Group outer, inner;
    Box leaf, sibling;
    scene.add(&outer);
    outer.add(&inner);
    outer.add(&sibling);
    inner.add(&leaf);
    outer.updateSize();
    ASSERT_FALSE(outer.flags & DRAWABLE_DIRTY);
    ASSERT_FALSE(inner.flags & DRAWABLE_DIRTY);
    leaf.markDirty();
    EXPECT_TRUE(leaf.flags & DRAWABLE_DIRTY);
    EXPECT_TRUE(inner.flags & DRAWABLE_DIRTY);
    EXPECT_TRUE(outer.flags & DRAWABLE_DIRTY);
    EXPECT_FALSE(sibling.flags & DRAWABLE_DIRTY);
    leaf.updateSize(); // the base only clears the flag
    EXPECT_FALSE(leaf.flags & DRAWABLE_DIRTY);
    EXPECT_EQ(leaf.size.x, 0);
}
