#include "engine/math/Math.h"
#include "scene/Effect.h"
#include "scene/Group.h"
#include "scene/Scene2D.h"
#include "tests/scene/SceneTestNodes.h"

#include <algorithm>
#include <cmath>
#include <vector>

using quenth::mat4;
using quenth::Stack;
using quenth::vec2;
using quenth::vec3;

namespace {

struct Seen {
    Drawable* node;
    Drawable::RGBA color;
    quenth::mat2 transform;
    mat4 modelView;
};

void record(Drawable* node, SceneState& state, void* user) {
    static_cast<std::vector<Seen>*>(user)->push_back(
        Seen{node, state.color, state.transform, state.modelView});
}

struct TestEffect : Effect {
    void draw(SceneState&) override {}
};

// One frame of the walk without GL: a 1280 x 720 view over a 4096 world.
struct Frame {
    Camera2D camera{2048, 2048, 1, 0};
    Camera2D last{0, 0, 1, 0};
    bool wrap = true;
    bool skipTransparent = true;
    bool placement3D = false;
    vec2 worldSize{4096, 4096};
    std::vector<Seen> seen;

    std::vector<Seen>& run(Container& root) {
        Stack<ViewRect> rects(128, false);
        Stack<SceneState> states(128, false);
        Stack<Drawable*> pending(128, false);
        mat4 projection, perspective;
        SceneState state;
        Scene2D::beginFrame(camera, last, 1280, 720, worldSize, wrap, rects, projection, perspective, state);
        seen.clear();
        Scene2D::walk(root.head, state, states, pending, skipTransparent, false, placement3D, record, &seen);
        return seen;
    }

    Seen const* find(Drawable* d) const {
        for (Seen const& s : seen)
            if (s.node == d) return &s;
        return nullptr;
    }
};

} // namespace

TEST(Walk, DrawsInListOrderWithGroupsDepthFirst) {
    List scene;
    Group g;
    Box a(10, 10), b(10, 10), c(10, 10), d(10, 10);
    for (Box* x : {&a, &d}) x->position = vec3(2048, 2048, 0);
    g.position = vec3(2048, 2048, 0);
    scene.add(&a);
    scene.add(&g);
    g.add(&b);
    g.add(&c);
    scene.add(&d);
    Frame f;
    auto& seen = f.run(scene);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].node, &a);
    EXPECT_EQ(seen[1].node, &b);
    EXPECT_EQ(seen[2].node, &c);
    EXPECT_EQ(seen[3].node, &d);
}

TEST(Walk, CullsOutsideEveryRectangleAndKeepsEdgeTouchers) {
    List scene;
    Box far(10, 10), edge(10, 10), inside(10, 10), huge(4000, 4000);
    far.position = vec3(2048 + 700, 2048, 0);
    edge.position = vec3(2048 + 645, 2048, 0); // left corners exactly on x = 640
    inside.position = vec3(2048, 2048, 0);
    huge.position = vec3(2048, 2048, 0); // covers the view, no corner inside
    scene.add(&far);
    scene.add(&edge);
    scene.add(&inside);
    scene.add(&huge);
    Frame f;
    f.run(scene);
    EXPECT_EQ(f.find(&far), nullptr);
    EXPECT_NE(f.find(&edge), nullptr);
    EXPECT_NE(f.find(&inside), nullptr);
    EXPECT_EQ(f.find(&huge), nullptr);
    EXPECT_EQ(f.seen.size(), 2u);
}

TEST(Walk, ObjectAcrossTheSeamIsShiftedNextToTheCamera) {
    List scene;
    Box b(10, 10);
    b.position = vec3(4090, 100, 0);
    scene.add(&b);
    Frame f;
    f.camera = Camera2D{100, 100, 1, 0};
    f.run(scene);
    Seen const* s = f.find(&b);
    ASSERT_NE(s, nullptr);
    EXPECT_FLOAT_EQ(s->transform.tx, -106); // 4090 - 4096 - 100
    EXPECT_FLOAT_EQ(s->transform.ty, 0);

    // Wrap off: only the screen rectangle, the object is out of sight.
    f.wrap = false;
    f.run(scene);
    EXPECT_EQ(f.find(&b), nullptr);

    // An unwrapped camera position is wrapped for drawing but kept in the camera.
    f.wrap = true;
    f.camera = Camera2D{100 + 4096, 100 - 4096, 1, 0};
    f.run(scene);
    ASSERT_NE(f.find(&b), nullptr);
    EXPECT_FLOAT_EQ(f.find(&b)->transform.tx, -106);
    EXPECT_EQ(f.camera.x, 100 + 4096);
}

TEST(Walk, ComposesColourAndTransformDownTheTree) {
    List scene;
    Group g;
    Box leaf(10, 10);
    g.position = vec3(2048, 2048, 0);
    g.setRotation(90);
    g.setScale(2);
    g.blendColor = Drawable::RGBA{255, 127, 255, 128};
    leaf.position = vec3(10, 0, 0);
    leaf.blendColor = Drawable::RGBA{63, 255, 255, 255};
    scene.add(&g);
    g.add(&leaf);
    Frame f;
    f.run(scene);
    Seen const* s = f.find(&leaf);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->color.r, 63);
    EXPECT_EQ(s->color.g, 127);
    EXPECT_EQ(s->color.b, 255);
    EXPECT_EQ(s->color.a, 128);
    // The leaf's origin: 10 units along the group's x axis, turned by 90
    // degrees (counter-clockwise on screen: up) and doubled.
    vec2 o = s->transform * vec2(0, 0);
    EXPECT_NEAR(o.x, 0, 1e-3);
    EXPECT_NEAR(o.y, -20, 1e-3);
}

TEST(Walk, GroupEndRestoresTheOuterEntryState) {
    List scene;
    Group outer, inner;
    Box a(10, 10), after(10, 10);
    outer.position = vec3(2048 + 100, 2048, 0);
    outer.blendColor = Drawable::RGBA{255, 255, 255, 128};
    inner.position = vec3(50, 0, 0);
    inner.blendColor = Drawable::RGBA{127, 255, 255, 255};
    after.position = vec3(2048, 2048 + 10, 0);
    scene.add(&outer);
    outer.add(&inner); // the last child of outer
    inner.add(&a);
    scene.add(&after);
    Frame f;
    f.run(scene);
    Seen const* sa = f.find(&a);
    Seen const* sb = f.find(&after);
    ASSERT_NE(sa, nullptr);
    ASSERT_NE(sb, nullptr);
    EXPECT_FLOAT_EQ(sa->transform.tx, 150);
    EXPECT_EQ(sa->color.a, 128);
    EXPECT_EQ(sa->color.r, 127);
    // The sibling after the outer group sees the scene's state, not outer's.
    EXPECT_FLOAT_EQ(sb->transform.tx, 0);
    EXPECT_FLOAT_EQ(sb->transform.ty, 10);
    EXPECT_EQ(sb->color.a, 255);
    EXPECT_EQ(sb->color.r, 255);
}

TEST(Walk, InvisibleTransparentAndCulledGroupsHideTheirSubtrees) {
    List scene;
    Group hidden, clear, away;
    Box h(10, 10), c(10, 10), w(10, 10), shown(10, 10);
    for (Group* g : {&hidden, &clear}) g->position = vec3(2048, 2048, 0);
    away.position = vec3(0 + 2048 + 2000, 2048, 0);
    hidden.setVisible(false);
    clear.blendColor.a = 0;
    shown.position = vec3(2048, 2048, 0);
    scene.add(&hidden);
    hidden.add(&h);
    scene.add(&clear);
    clear.add(&c);
    scene.add(&away);
    away.add(&w);
    scene.add(&shown);
    Frame f;
    f.run(scene);
    ASSERT_EQ(f.seen.size(), 1u);
    EXPECT_EQ(f.seen[0].node, &shown);

    // Without skipping, the transparent subtree is drawn with alpha 0.
    f.skipTransparent = false;
    f.run(scene);
    Seen const* s = f.find(&c);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->color.a, 0);
    EXPECT_EQ(f.find(&h), nullptr);
}

TEST(Walk, DirtyGroupIsMeasuredBeforeItIsCulled) {
    List scene;
    Group g;
    Box child(10, 10);
    // The group's origin is off screen; only its measured extent reaches
    // into the view (until measured its size is 0).
    g.position = vec3(2048 + 690, 2048, 0);
    child.position = vec3(-200, 0, 0);
    scene.add(&g);
    g.add(&child);
    Frame f;
    f.run(scene);
    EXPECT_FALSE(g.flags & DRAWABLE_DIRTY);
    EXPECT_FLOAT_EQ(g.size.x, 205);
    EXPECT_NE(f.find(&child), nullptr);
}

TEST(Walk, EffectsAreNeverCulledAndUseTheParentsTransform) {
    List scene;
    Group g;
    TestEffect e;
    e.setScale(5); // ignored
    g.position = vec3(2048 + 10, 2048, 0);
    scene.add(&g);
    g.add(&e);
    TestEffect top;
    top.position = vec3(99999, 99999, 0); // neither culled nor applied
    scene.add(&top);
    Frame f;
    f.run(scene);
    Seen const* s = f.find(&e);
    ASSERT_NE(s, nullptr);
    EXPECT_FLOAT_EQ(s->transform.tx, 10);
    EXPECT_FLOAT_EQ(s->transform.a, 1);
    Seen const* t = f.find(&top);
    ASSERT_NE(t, nullptr);
    EXPECT_FLOAT_EQ(t->transform.tx, -2048); // the world's frame
}

TEST(Walk, ZoomIsRaisedAndCameraDeltaFollowsTheLastFrame) {
    List scene;
    Frame f;
    f.camera = Camera2D{100, 200, 0, 0};
    f.last = Camera2D{90, 230, 1, 0};
    Stack<ViewRect> rects(128, false);
    mat4 p, q;
    SceneState root;
    Scene2D::beginFrame(f.camera, f.last, 1280, 720, f.worldSize, true, rects, p, q, root);
    EXPECT_FLOAT_EQ(f.camera.zoom, 0.01f);
    EXPECT_FLOAT_EQ(root.cameraDelta.x, 10);
    EXPECT_FLOAT_EQ(root.cameraDelta.y, -30);
    EXPECT_FLOAT_EQ(f.last.x, 100);
    EXPECT_FLOAT_EQ(f.last.zoom, 0.01f);
    EXPECT_EQ(root.viewRects, &rects);
    EXPECT_EQ(root.projection, &p);
    // y grows down: the top of the screen maps to clip y = +1.
    vec3 top = p * vec3(0, -360, 0);
    EXPECT_NEAR(top.y, 1, 1e-5);
    f.camera.zoom = -3;
    Scene2D::beginFrame(f.camera, f.last, 1280, 720, f.worldSize, true, rects, p, q, root);
    EXPECT_FLOAT_EQ(f.camera.zoom, 0.01f);
    f.camera.zoom = std::nanf(""); // would otherwise cull everything
    Scene2D::beginFrame(f.camera, f.last, 1280, 720, f.worldSize, true, rects, p, q, root);
    EXPECT_FLOAT_EQ(f.camera.zoom, 0.01f);
}

TEST(Walk, DeepNestingGrowsTheStacks) {
    List scene;
    const int depth = 300;
    std::vector<Group*> groups;
    Container* parent = &scene;
    for (int i = 0; i < depth; i++) {
        Group* g = new Group();
        parent->add(g);
        groups.push_back(g);
        parent = g;
    }
    Box leaf(10, 10), after(10, 10);
    groups[0]->position = vec3(2048, 2048, 0);
    after.position = vec3(2048, 2048, 0);
    after.blendColor.a = 200;
    parent->add(&leaf);
    scene.add(&after);
    groups[0]->blendColor.a = 100;
    Frame f;
    f.run(scene);
    ASSERT_EQ(f.seen.size(), 2u);
    EXPECT_EQ(f.seen[0].node, &leaf);
    EXPECT_EQ(f.seen[0].color.a, 100);
    EXPECT_EQ(f.seen[1].node, &after);
    EXPECT_EQ(f.seen[1].color.a, 200);
    for (int i = depth - 1; i >= 0; i--) delete groups[i];
}

TEST(Walk, ScreenLayerPlacesThreeDimensionalNodes) {
    List scene;
    Group g;
    Box child(10, 10), flat(10, 10);
    g.flags |= DRAWABLE_3D;
    g.position = vec3(640 + 5, 360, 0);
    child.flags |= DRAWABLE_3D;
    child.position = vec3(20, 0, 0);
    scene.add(&g);
    g.add(&child);
    scene.add(&flat);
    flat.position = vec3(640, 360, 0);
    Frame f;
    f.camera = Camera2D{640, 360, 1, 0};
    f.worldSize = vec2(1280, 720);
    f.placement3D = true;
    f.run(scene);
    Seen const* c = f.find(&child);
    Seen const* n = f.find(&flat);
    ASSERT_NE(c, nullptr);
    ASSERT_NE(n, nullptr);
    // The child's model-view carries the group's placement and its own.
    EXPECT_FLOAT_EQ(c->modelView.m[12], 25);
    EXPECT_FLOAT_EQ(c->modelView.m[14], 2);
    // A non-3D node keeps the camera's model-view.
    EXPECT_FLOAT_EQ(n->modelView.m[12], -640);
    EXPECT_FLOAT_EQ(n->modelView.m[13], -360);
}

// The walk's culling against a plain computation with the matrix library,
// for many nodes of every shape around a rotated, zoomed camera near a corner.
TEST(Walk, CullingMatchesTheCornerTestForRandomNodes) {
    unsigned seed = 99;
    auto rnd = [&seed](float lo, float hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + (hi - lo) * ((seed >> 8) & 0xffff) / 65535.0f;
    };
    float cams[][4] = {{100, 100, 1, 0}, {4000, 3900, 0.8f, 33}, {2048, 50, 1.7f, 271}, {30, 2000, 0.5f, 90}};
    for (auto const& c : cams) {
        List scene;
        std::vector<Box*> boxes;
        for (int i = 0; i < 2000; i++) {
            Box* b = new Box(rnd(0, 300), rnd(0, 60));
            b->position = vec3(rnd(-100, 4200), rnd(-100, 4200), 0);
            b->setRotation(i % 5 == 0 ? 0 : rnd(0, 360));
            b->setScale(rnd(0.1f, 3));
            b->setHotSpot(rnd(-100, 100), rnd(-50, 50));
            scene.add(b);
            boxes.push_back(b);
        }
        Frame f;
        f.camera = Camera2D{c[0], c[1], c[2], c[3]};
        f.run(scene);

        Camera2D cam{c[0], c[1], c[2], c[3]}, last{0, 0, 1, 0};
        Stack<ViewRect> rects(16);
        mat4 p, q;
        SceneState root;
        Scene2D::beginFrame(cam, last, 1280, 720, f.worldSize, true, rects, p, q, root);
        unsigned expected = 0, mismatches = 0;
        for (Box* b : boxes) {
            quenth::mat2 t = root.transform;
            t.translate(b->position.x, b->position.y);
            t.rotate(quenth::Math::toRadian(b->rotation.z));
            t.scale(b->scale);
            float hx = b->size.x / 2, hy = b->size.y / 2;
            vec2 k[4] = {t * vec2(b->hotSpot.x - hx, b->hotSpot.y - hy),
                         t * vec2(b->hotSpot.x + hx, b->hotSpot.y - hy),
                         t * vec2(b->hotSpot.x - hx, b->hotSpot.y + hy),
                         t * vec2(b->hotSpot.x + hx, b->hotSpot.y + hy)};
            float x0 = k[0].x, x1 = k[0].x, y0 = k[0].y, y1 = k[0].y;
            for (vec2 const& v : k) {
                x0 = std::min(x0, v.x), x1 = std::max(x1, v.x);
                y0 = std::min(y0, v.y), y1 = std::max(y1, v.y);
            }
            bool drawn = Scene2D::findViewRect(rects, x0, y0, x1 - x0, y1 - y0) >= 0;
            expected += drawn;
            if (drawn != (f.find(b) != nullptr)) mismatches++;
        }
        EXPECT_EQ(mismatches, 0u) << "camera " << c[0] << ", " << c[1];
        EXPECT_EQ(f.seen.size(), expected);
        EXPECT_GT(expected, 20u);
        EXPECT_LT(expected, 2000u);
        for (Box* b : boxes) delete b;
    }
}
