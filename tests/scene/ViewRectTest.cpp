#include "scene/Scene2D.h"
#include "tests/scene/SceneTestNodes.h"

using quenth::Stack;
using quenth::vec2;

namespace {

struct Rect {
    float x, y, w, h, ox, oy;
};

const float W = 4096, H = 4096;

// The rectangles pushed for a 1280 x 720 view at zoom 1 over the 4096 world.
void rectsFor(Stack<ViewRect>& out, float cx, float cy, bool wrap = true) {
    out.clear();
    Scene2D::computeViewRects(out, cx, cy, 1280, 720, vec2(W, H), wrap);
}

void expectRects(Stack<ViewRect>& got, std::initializer_list<Rect> want) {
    ASSERT_EQ(got.count, want.size());
    unsigned i = 0;
    for (Rect const& r : want) {
        ViewRect const& g = got[i];
        EXPECT_EQ(g.x, r.x) << "rect " << i;
        EXPECT_EQ(g.y, r.y) << "rect " << i;
        EXPECT_EQ(g.w, r.w) << "rect " << i;
        EXPECT_EQ(g.h, r.h) << "rect " << i;
        EXPECT_EQ(g.offsetX, r.ox) << "rect " << i;
        EXPECT_EQ(g.offsetY, r.oy) << "rect " << i;
        i++;
    }
}

// The nine rectangles of the table for the view 1280 x 720.
const Rect R1 = {-640, -360, 1280, 720, 0, 0};
const Rect R2 = {-640, H - 1440, 1280, 2880, 0, -H};
const Rect R3 = {W - 1280, H - 1440, 2560, 2880, -W, -H};
const Rect R4 = {W - 1280, -360, 2560, 720, -W, 0};
const Rect R5 = {-640 - W, H - 1440, 2560, 2880, W, -H};
const Rect R6 = {-640 - W, -360, 2560, 720, W, 0};
const Rect R7 = {-640, -360 - H, 1280, 1440, 0, H};
const Rect R8 = {W - 1280, -360 - H, 2560, 1440, -W, H};
const Rect R9 = {-640 - W, -360 - H, 2560, 1440, W, H};

} // namespace

TEST(ViewRects, CentreAndWrapOffGiveOnlyTheScreen) {
    Stack<ViewRect> rects(4);
    rectsFor(rects, 2048, 2048);
    expectRects(rects, {R1});
    rectsFor(rects, 100, 100, false);
    expectRects(rects, {R1});
}

TEST(ViewRects, EdgesAndCorners) {
    Stack<ViewRect> rects(4); // grows as needed
    rectsFor(rects, 100, 100);
    expectRects(rects, {R1, R2, R3, R4});
    rectsFor(rects, 2048, 100);
    expectRects(rects, {R1, R2});
    rectsFor(rects, 100, 2048);
    expectRects(rects, {R1, R4});
    rectsFor(rects, 4000, 2048);
    expectRects(rects, {R1, R6});
    rectsFor(rects, 2048, 4000);
    expectRects(rects, {R1, R7});
    rectsFor(rects, 4000, 100);
    expectRects(rects, {R1, R2, R5, R6});
    rectsFor(rects, 100, 4000);
    expectRects(rects, {R1, R4, R7, R8});
    rectsFor(rects, 4000, 4000);
    expectRects(rects, {R1, R6, R7, R9});
    // The edge conditions are inclusive: exactly half a view from the edge.
    rectsFor(rects, 640, 360);
    expectRects(rects, {R1, R2, R3, R4});
    rectsFor(rects, 641, 361);
    expectRects(rects, {R1});
}

TEST(ViewRects, ObjectAcrossTheSeamWinsTheSideRectangle) {
    Stack<ViewRect> rects(16);
    rectsFor(rects, 100, 100);
    // A 10 x 10 object at world (4090, 100), relative to the camera.
    float x = 4090 - 100 - 5, y = 100 - 100 - 5;
    int r = Scene2D::findViewRect(rects, x, y, 10, 10);
    ASSERT_EQ(r, 3); // the fourth rectangle pushed
    EXPECT_EQ(rects[r].offsetX, -W);
    EXPECT_EQ(rects[r].offsetY, 0);
    // Shifted by the offset it lands just left of the camera.
    EXPECT_FLOAT_EQ(4090 + rects[r].offsetX - 100, -106);

    // Across the top seam near the left corner: the diagonal rectangle.
    x = 4090 - 100 - 5, y = 4090 - 100 - 5;
    r = Scene2D::findViewRect(rects, x, y, 10, 10);
    ASSERT_EQ(r, 2);
    EXPECT_EQ(rects[r].offsetX, -W);
    EXPECT_EQ(rects[r].offsetY, -H);
}

TEST(ViewRects, CornerTestIsInclusiveAndFirstRectangleWins) {
    Stack<ViewRect> rects(16);
    rectsFor(rects, 2048, 2048);
    // A corner exactly on the right edge of the screen.
    EXPECT_EQ(Scene2D::findViewRect(rects, 640, 0, 10, 10), 0);
    // Bottom-right corner exactly on the top-left corner of the screen.
    EXPECT_EQ(Scene2D::findViewRect(rects, -650, -370, 10, 10), 0);
    EXPECT_EQ(Scene2D::findViewRect(rects, 640.01f, 0, 10, 10), -1);
    // Larger than the view and covering it, with no corner inside: culled.
    EXPECT_EQ(Scene2D::findViewRect(rects, -1000, -1000, 2000, 2000), -1);
    // Inside two rectangles: the first pushed wins.
    rectsFor(rects, 100, 100);
    EXPECT_EQ(Scene2D::findViewRect(rects, 0, 0, 10, 10), 0);
}

TEST(ScreenWorld, RoundTripsForZoomsAndRotations) {
    float zooms[] = {0.5f, 0.8f, 1.0f, 2.5f};
    float angles[] = {0.0f, 30.0f, 90.0f, 217.5f};
    vec2 points[] = {vec2(0, 0), vec2(640, 360), vec2(1279, 719), vec2(-50, 900)};
    for (float z : zooms)
        for (float a : angles) {
            Camera2D cam{5000, -300, z, a}; // unwrapped camera: conversions wrap it
            quenth::mat2 s2w = Scene2D::makeScreenToWorld(cam, 1280, 720, vec2(W, H));
            quenth::mat2 w2s = Scene2D::makeWorldToScreen(cam, 1280, 720, vec2(W, H));
            for (vec2 const& p : points) {
                vec2 q = s2w * (w2s * p);
                EXPECT_NEAR(q.x, p.x, 2e-3) << "zoom " << z << " angle " << a;
                EXPECT_NEAR(q.y, p.y, 2e-3) << "zoom " << z << " angle " << a;
            }
            // The screen centre is the wrapped camera position.
            vec2 c = s2w * vec2(640, 360);
            EXPECT_NEAR(c.x, 5000 - W, 1e-2);
            EXPECT_NEAR(c.y, -300 + H, 1e-2);
        }
    // Zoom 0: the inverse scale becomes 0 instead of dividing by zero.
    Camera2D flat{100, 100, 0, 0};
    vec2 c = Scene2D::makeScreenToWorld(flat, 1280, 720, vec2(W, H)) * vec2(0, 0);
    EXPECT_EQ(c.x, 100);
    EXPECT_EQ(c.y, 100);
}

TEST(ScreenWorld, HudDefaultCameraIsTheIdentity) {
    Camera2D cam{640, 360, 1, 0};
    quenth::mat2 m = Scene2D::makeScreenToWorld(cam, 1280, 720, vec2(1280, 720));
    vec2 p = m * vec2(17, 700);
    EXPECT_FLOAT_EQ(p.x, 17);
    EXPECT_FLOAT_EQ(p.y, 700);
}
