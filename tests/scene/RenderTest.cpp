#define GL_GLEXT_PROTOTYPES
#include "engine/gfx/Color.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/Framebuffer.h"
#include "engine/gfx/ImageLoader.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "scene/DirectScene2D.h"
#include "scene/Group.h"
#include "scene/Scene2D.h"
#include "scene/Shaders.h"
#include "scene/Sprite.h"
#include "scene/Text.h"
#include "tests/scene/SceneTestNodes.h"
#include "tests/support/GLContext.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

using quenth::Color;
using quenth::Surface;
using quenth::Texture;
using quenth::vec2;
using quenth::vec3;
using testsupport::Pixel;
using testsupport::readBackPixel;

namespace {

// A w x h texture of one colour.
Texture* solidTexture(unsigned r, unsigned g, unsigned b, unsigned a, int w = 8, int h = 8) {
    Surface s(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) s.setPixel(x, y, Color::getColor(r, g, b, a));
    return new Texture(&s);
}

// A 256 x 256 font sheet whose glyph 'A' is a solid white cell; every other
// cell is transparent.
quenth::Font* blockFont() {
    Surface* sheet = new Surface(256, 256);
    for (int y = 64; y < 80; y++)
        for (int x = 16; x < 32; x++) sheet->setPixel(x, y, Color::getColor(255, 255, 255, 255));
    return new quenth::Font(sheet);
}

// A leaf that floods the whole view with magenta whatever its own size: shows
// whether the renderer culled it.
struct Flood : Drawable {
    Flood() { setSize(10, 10); }
    void draw(SceneState&) override {
        static const float v[8] = {-5000, -5000, 5000, -5000, 5000, 5000, -5000, 5000};
        static const unsigned char c[16] = {255, 0, 255, 255, 255, 0, 255, 255,
                                            255, 0, 255, 255, 255, 0, 255, 255};
        Shaders::color_shader_fixed->bind();
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glVertexPointer(2, GL_FLOAT, 0, v);
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, c);
        glDrawArrays(GL_QUADS, 0, 4);
    }
};

void expectColor(Pixel p, int r, int g, int b, char const* where, int tolerance = 3) {
    EXPECT_NEAR(p.r, r, tolerance) << where;
    EXPECT_NEAR(p.g, g, tolerance) << where;
    EXPECT_NEAR(p.b, b, tolerance) << where;
}

class SceneRender : public ::testing::Test {
protected:
    static Scene2D* world;
    static DirectScene2D* hud;
    Texture* white = nullptr;
    Texture* red = nullptr;
    Texture* green = nullptr;

    void SetUp() override {
        testsupport::ensureGLContext();
        testsupport::resetGLState();
        if (!world) {
            world = new Scene2D(-1, -1);
            world->worldSize = vec2(4096, 4096);
            world->debugDraw = false;
            hud = new DirectScene2D(-1, -1);
            hud->debugDraw = false;
        }
        world->clear();
        hud->clear();
        world->setCamera(nullptr);
        world->defaultCamera = Camera2D{2048, 2048, 1, 0};
        white = solidTexture(255, 255, 255, 255);
        red = solidTexture(255, 0, 0, 255);
        green = solidTexture(0, 255, 0, 255);
    }

    void TearDown() override {
        world->clear();
        hud->clear();
        delete white;
        delete red;
        delete green;
    }

    // One frame as the main loop draws it, left in the back buffer.
    void frame(float r = 0, float g = 0, float b = 0) {
        testsupport::clearBackBuffer(r, g, b, 1);
        world->draw();
        hud->draw();
    }
};

Scene2D* SceneRender::world = nullptr;
DirectScene2D* SceneRender::hud = nullptr;

} // namespace

TEST_F(SceneRender, SpriteIsDrawnWhereItBelongs) {
    EXPECT_EQ(world->width, 1280);
    EXPECT_EQ(world->height, 720);
    Sprite s(red, 20, 20);
    s.position = vec3(2048 + 100, 2048 + 50, 0); // screen centre (740, 410)
    world->add(&s);
    frame(0, 0, 1);
    expectColor(readBackPixel(740, 410), 255, 0, 0, "centre");
    expectColor(readBackPixel(731, 401), 255, 0, 0, "top-left inside");
    expectColor(readBackPixel(748, 418), 255, 0, 0, "bottom-right inside");
    expectColor(readBackPixel(752, 410), 0, 0, 255, "right of it");
    expectColor(readBackPixel(740, 398), 0, 0, 255, "above it");
    expectColor(readBackPixel(640, 360), 0, 0, 255, "screen centre");
}

TEST_F(SceneRender, ObjectAcrossTheSeamIsDrawnNextToTheCamera) {
    Sprite s(red, 10, 10);
    s.position = vec3(4090, 100, 0);
    world->add(&s);
    world->defaultCamera = Camera2D{100, 100, 1, 0};
    frame();
    // 4090 - 4096 - 100 = -106 from the camera: x = 534.
    expectColor(readBackPixel(534, 360), 255, 0, 0, "shifted copy");
    expectColor(readBackPixel(541, 360), 0, 0, 0, "right of it");
    // The same for a camera beyond the world's edge (wrapped for drawing).
    world->defaultCamera = Camera2D{100 - 4096, 100 + 4096, 1, 0};
    frame();
    expectColor(readBackPixel(534, 360), 255, 0, 0, "shifted copy, unwrapped camera");
}

TEST_F(SceneRender, CullingByCornersAgainstTheView) {
    Flood f;
    world->add(&f);
    // Bounds from x = 640 to 650 relative to the camera: the left corners lie
    // exactly on the view's right edge, so the node is drawn.
    f.position = vec3(2048 + 645, 2048, 0);
    frame();
    expectColor(readBackPixel(640, 360), 255, 0, 255, "edge toucher drawn");
    // One unit further it is outside every rectangle.
    f.position = vec3(2048 + 646, 2048, 0);
    frame();
    expectColor(readBackPixel(640, 360), 0, 0, 0, "culled");
    // Bigger than the view, covering it with no corner inside: culled too.
    f.position = vec3(2048, 2048, 0);
    f.setSize(3000, 3000);
    frame();
    expectColor(readBackPixel(640, 360), 0, 0, 0, "covering node culled");
}

TEST_F(SceneRender, CompositeShowsTheImageWhateverProgramWasBoundLast) {
    // An empty world after a colour-only draw (as the fader leaves it).
    Shaders::color_shader_fixed->bind();
    frame(0, 0, 1);
    expectColor(readBackPixel(640, 360), 0, 0, 255, "window shows through");
    // A colour-only node drawn last.
    Sprite s(red, 20, 20);
    s.position = vec3(2048 - 100, 2048, 0);
    world->add(&s);
    Flood f;
    f.position = vec3(2048, 2048, 0);
    world->add(&f);
    frame(0, 0, 1);
    expectColor(readBackPixel(640, 360), 255, 0, 255, "flood");
    f.remove();
    world->add(&f);
    f.insertBefore(&s); // the sprite now covers part of the flood
    frame(0, 0, 1);
    expectColor(readBackPixel(540, 360), 255, 0, 0, "sprite over the flood");
}

TEST_F(SceneRender, TheWorldsImageReplacesTheWindowAsItWasDrawn) {
    // The frame's loop does not clear the window under the world: nothing of
    // what the window held may show, even where the world drew nothing.
    testsupport::clearBackBuffer(1, 0, 0, 1);
    glClearColor(0, 0, 0, 0);
    Sprite s(white, 40, 40);
    s.blendColor = Drawable::RGBA{255, 255, 255, 127};
    s.position = vec3(2048, 2048, 0);
    world->add(&s);
    world->draw();
    expectColor(readBackPixel(100, 100), 0, 0, 0, "empty world");
    // A half-transparent sprite over the empty image shows at half its
    // brightness, not dimmed a second time by the image's own alpha.
    expectColor(readBackPixel(640, 360), 128, 128, 128, "half-transparent sprite", 4);
}

// A measuring leaf function: each leaf drawn as the walk draws it, its
// fragments counted by an occlusion query.
struct Counted {
    GLuint query = 0;
    unsigned leaves = 0;
    GLuint fragments = 0;
};

void countedLeaf(Drawable* node, SceneState& state, void* user) {
    Counted* c = static_cast<Counted*>(user);
    glBeginQuery(GL_SAMPLES_PASSED, c->query);
    Scene2D::drawLeaf(node, state);
    glEndQuery(GL_SAMPLES_PASSED);
    GLuint n = 0;
    glGetQueryObjectuiv(c->query, GL_QUERY_RESULT, &n);
    c->fragments += n;
    c->leaves++;
}

TEST_F(SceneRender, ALeafFunctionWrappingDrawLeafDrawsTheSamePicture) {
    Sprite a(red, 20, 20), b(green, 10, 30);
    a.position = vec3(2048 - 50, 2048, 0);
    b.position = vec3(2048 + 50, 2048, 0);
    b.setRotation(90); // 30 x 10 on the screen
    world->add(&a);
    world->add(&b);
    world->drawWorld();
    std::vector<Pixel> plain =
        testsupport::readFramebufferPixels(world->framebuffer->id, 720, 0, 340, 1280, 40);
    Counted c;
    glGenQueries(1, &c.query);
    world->drawWorld(countedLeaf, &c);
    std::vector<Pixel> measured =
        testsupport::readFramebufferPixels(world->framebuffer->id, 720, 0, 340, 1280, 40);
    world->composite();
    glDeleteQueries(1, &c.query);
    EXPECT_EQ(c.leaves, 2u);
    EXPECT_EQ(c.fragments, 20u * 20u + 30u * 10u);
    int differing = 0;
    for (size_t i = 0; i < plain.size(); i++)
        if (plain[i].r != measured[i].r || plain[i].g != measured[i].g || plain[i].b != measured[i].b)
            differing++;
    EXPECT_EQ(differing, 0);
    expectColor(measured[20 * 1280 + 590], 255, 0, 0, "the red sprite");
}

TEST_F(SceneRender, WorldImageIsTheFramebuffersOnlyAttachment) {
    EXPECT_NE(world->framebuffer->color[0], nullptr);
    for (int i = 1; i < 4; i++) EXPECT_EQ(world->framebuffer->color[i], nullptr);
    EXPECT_EQ(world->framebuffer->depth, nullptr);
}

// A leaf that draws a glow quad over the whole view passes times over, with
// blending (SRC_ALPHA, ONE), either pass by pass or through drawAdditive.
struct Glow : Drawable {
    Texture* texture = nullptr;
    unsigned passes = 5;
    bool onePass = false;
    Glow() { setSize(10, 10); }
    void draw(SceneState&) override {
        static const float v[8] = {-640, -360, 640, -360, 640, 360, -640, 360};
        static const float t[8] = {0, 0, 1, 0, 1, 1, 0, 1};
        static const unsigned char c[16] = {76, 76, 255, 224, 76, 76, 255, 224,
                                            76, 76, 255, 224, 76, 76, 255, 224};
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glVertexPointer(2, GL_FLOAT, 0, v);
        glTexCoordPointer(2, GL_FLOAT, 0, t);
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, c);
        texture->bind(GL_TEXTURE0);
        if (onePass) {
            Shaders::drawAdditive(GL_QUADS, 4, passes);
            return;
        }
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        for (unsigned p = 0; p < passes; p++) glDrawArrays(GL_QUADS, 0, 4);
    }
};

TEST_F(SceneRender, OneAdditivePassEqualsThePassesItStandsFor) {
    ASSERT_NE(Shaders::additive_shader, nullptr);
    // A soft ramp of texels under a half-transparent grey ground: the sums run
    // from faint to saturated across the image.
    Surface ramp(64, 4);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 64; x++) ramp.setPixel(x, y, Color::getColor(200, 120, 60, x * 4));
    Texture* rampTexture = new Texture(&ramp);
    Sprite ground(white, 1280, 720);
    ground.blendColor = Drawable::RGBA{60, 60, 60, 160};
    ground.position = vec3(2048, 2048, 0);
    Glow glow;
    glow.texture = rampTexture;
    glow.position = vec3(2048, 2048, 0);
    world->add(&ground);
    world->add(&glow);
    // Without the glow, pass by pass, in one pass.
    std::vector<Pixel> image[3];
    for (int k = 0; k < 3; k++) {
        glow.setVisible(k > 0);
        glow.onePass = k == 2;
        world->drawWorld();
        image[k] = testsupport::readFramebufferPixels(world->framebuffer->id, 720, 0, 360, 1280, 1);
        world->composite();
    }
    int worst = 0, shown = 0, saturated = 0;
    for (size_t i = 0; i < image[1].size(); i++) {
        Pixel n = image[0][i], a = image[1][i], b = image[2][i];
        worst = std::max(
            {worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b), std::abs(a.a - b.a)});
        shown = std::max(shown, a.b - n.b);
        if (a.b == 255) saturated++;
    }
    // Each pass rounds on its own, the single pass once: a few steps of 255.
    EXPECT_LE(worst, 4);
    EXPECT_GT(shown, 100);
    EXPECT_GT(saturated, 0);
    delete rampTexture;
}

TEST_F(SceneRender, InvisibleOrTransparentGroupHidesItsSubtree) {
    Group g;
    Sprite s(red, 20, 20);
    g.position = vec3(2048, 2048, 0);
    world->add(&g);
    g.add(&s);
    frame();
    expectColor(readBackPixel(640, 360), 255, 0, 0, "shown");
    g.setVisible(false);
    frame();
    expectColor(readBackPixel(640, 360), 0, 0, 0, "invisible group");
    g.setVisible(true);
    g.blendColor.a = 0;
    frame();
    expectColor(readBackPixel(640, 360), 0, 0, 0, "transparent group");
}

TEST_F(SceneRender, SiblingAfterNestedGroupsUsesTheOuterEntryState) {
    Group outer, inner;
    Sprite a(white, 20, 20), b(white, 20, 20);
    outer.position = vec3(2048 + 200, 2048, 0);
    outer.blendColor = Drawable::RGBA{0, 255, 255, 255}; // no red below it
    world->add(&outer);
    outer.add(&inner); // the outer group's last child
    inner.add(&a);
    b.position = vec3(2048 - 200, 2048, 0);
    world->add(&b);
    frame();
    expectColor(readBackPixel(840, 360), 0, 255, 255, "inside the groups");
    expectColor(readBackPixel(440, 360), 255, 255, 255, "sibling after the groups");
    expectColor(readBackPixel(640, 360), 0, 0, 0, "nothing at the outer offset");
}

TEST_F(SceneRender, AdditiveAndAlphaBlending) {
    // In the world: red over green, blended or added.
    Sprite under(green, 20, 20), over(red, 20, 20);
    under.position = over.position = vec3(2048, 2048, 0);
    world->add(&under);
    world->add(&over);
    frame();
    expectColor(readBackPixel(640, 360), 255, 0, 0, "blend replaces");
    over.setDrawMode(DRAW_MODE_ADD);
    frame();
    expectColor(readBackPixel(640, 360), 255, 255, 0, "add sums");
    world->clear();

    // On the screen layer over a grey window, half-transparent red.
    Sprite blend(white, 20, 20), add(white, 20, 20);
    blend.blendColor = add.blendColor = Drawable::RGBA{255, 0, 0, 128};
    add.setDrawMode(DRAW_MODE_ADD);
    blend.position = vec3(200, 200, 0);
    add.position = vec3(300, 200, 0);
    hud->add(&blend);
    hud->add(&add);
    frame(0.25f, 0.25f, 0.25f);
    expectColor(readBackPixel(200, 200), 160, 32, 32, "alpha blend");
    expectColor(readBackPixel(300, 200), 192, 64, 64, "additive");
}

TEST_F(SceneRender, HudTopLeftSpriteStartsAtTheWindowCorner) {
    Sprite world_s(green, 40, 40);
    world_s.position = vec3(2048, 2048, 0);
    world->add(&world_s);
    Sprite s(red, 8, 8);
    s.setHotSpot(TOP_LEFT);
    s.position = vec3(0, 0, 0);
    hud->add(&s);
    frame(0, 0, 1);
    expectColor(readBackPixel(0, 0), 255, 0, 0, "top-left pixel");
    expectColor(readBackPixel(7, 7), 255, 0, 0, "last pixel of the sprite");
    expectColor(readBackPixel(8, 8), 0, 0, 255, "beyond it");
    expectColor(readBackPixel(0, 8), 0, 0, 255, "below it");
    // The screen layer leaves the composited world alone.
    expectColor(readBackPixel(640, 360), 0, 255, 0, "world under the HUD");
    vec2 p = hud->screenToWorld(vec2(17, 300));
    EXPECT_FLOAT_EQ(p.x, 17);
    EXPECT_FLOAT_EQ(p.y, 300);
}

TEST_F(SceneRender, TextIsDrawnInItsOwnColour) {
    quenth::Font* font = blockFont();
    Text t(font, "A");
    EXPECT_EQ(t.textScale, 16);
    EXPECT_EQ(t.size.x, 16);
    t.position = vec3(100, 100, 0);
    t.color = Text::RGBAf{0, 1, 0, 1};
    t.blendColor = Drawable::RGBA{255, 0, 0, 255}; // does not tint the glyphs
    hud->add(&t);
    frame();
    expectColor(readBackPixel(107, 107), 0, 255, 0, "glyph");
    expectColor(readBackPixel(120, 107), 0, 0, 0, "after the glyph");

    // Six characters on a hot spot made for one: drawn 2.5 glyphs to the left.
    t.setText("AAAAAA");
    frame();
    expectColor(readBackPixel(100 - 40 + 7, 107), 0, 255, 0, "first glyph moved left");
    expectColor(readBackPixel(100 - 40 - 4, 107), 0, 0, 0, "left of the text");

    // Fading through color.a, hiding through blendColor alpha.
    t.setText("A");
    t.color.a = 0;
    frame();
    expectColor(readBackPixel(107, 107), 0, 0, 0, "faded out");
    t.color.a = 1;
    t.blendColor.a = 0;
    frame();
    expectColor(readBackPixel(107, 107), 0, 0, 0, "skipped");
    hud->clear();
    delete font;
}

TEST_F(SceneRender, SpriteSizesAndSheetCells) {
    Surface img(100, 50);
    Texture padded(&img); // 128 x 64
    Sprite whole(&padded, -1, -1);
    EXPECT_FLOAT_EQ(whole.size.x, 100);
    EXPECT_FLOAT_EQ(whole.size.y, 50);
    Sprite mixed(&padded, -1, 32);
    EXPECT_FLOAT_EQ(mixed.size.x, 100);
    EXPECT_FLOAT_EQ(mixed.size.y, 32);
    Sprite none(nullptr, -1, -1); // no texture: no size to take
    EXPECT_EQ(none.size.x, 0);

    float tc[8];
    whole.texCoords(tc);
    EXPECT_FLOAT_EQ(tc[2], 0.78125f);
    EXPECT_FLOAT_EQ(tc[5], 0.78125f);
    whole.animated = true;
    whole.columns = 4;
    whole.rows = 2;
    whole.frame = 5;
    whole.texCoords(tc);
    float s = 0.78125f, t = 0.78125f;
    EXPECT_FLOAT_EQ(tc[0], 0.25f * s);
    EXPECT_FLOAT_EQ(tc[1], 0.5f * t);
    EXPECT_FLOAT_EQ(tc[4], 0.5f * s);
    EXPECT_FLOAT_EQ(tc[5], t);
    // A sheet of no columns counts as one column instead of dividing by 0.
    whole.columns = 0;
    whole.rows = 0;
    whole.frame = 3;
    whole.texCoords(tc);
    EXPECT_FLOAT_EQ(tc[0], 0);
    EXPECT_FLOAT_EQ(tc[1], 3 * t);

    // Drawn from one sheet cell: the left half red, the right half green.
    Surface sheet(16, 8);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 16; x++)
            sheet.setPixel(x, y, x < 8 ? Color::getColor(255, 0, 0, 255) : Color::getColor(0, 255, 0, 255));
    Texture cells(&sheet);
    Sprite cell(&cells, 40, 40);
    cell.animated = true;
    cell.columns = 2;
    cell.frame = 1;
    cell.position = vec3(2048, 2048, 0);
    world->add(&cell);
    frame();
    expectColor(readBackPixel(640, 360), 0, 255, 0, "second cell");
    cell.frame = 0;
    frame();
    expectColor(readBackPixel(640, 360), 255, 0, 0, "first cell");
}

TEST_F(SceneRender, TextWithoutAFontSheetDrawsNothing) {
    quenth::Font empty(nullptr);
    Text t(&empty, "abc");
    EXPECT_EQ(t.size.x, 0);
    Text n(nullptr, nullptr);
    EXPECT_EQ(n.text.length(), 0u);
    t.position = vec3(100, 100, 0);
    hud->add(&t);
    hud->add(&n);
    frame();
    expectColor(readBackPixel(100, 100), 0, 0, 0, "nothing drawn");

    quenth::Font* font = blockFont();
    Text three(font, "abc");
    EXPECT_EQ(three.size.x, 48);
    EXPECT_EQ(three.size.y, 16);
    three.setText(nullptr);
    EXPECT_EQ(three.size.x, 0);
    EXPECT_EQ(three.text.length(), 0u);
    delete font;
}

TEST_F(SceneRender, ASpriteWhoseImageFailedToLoadLeavesThePixelsAsTheyWere) {
    Texture* missing = quenth::ImageLoader::loadTexture("gfx/no_such_image.png", false);
    ASSERT_NE(missing, nullptr);
    ASSERT_FALSE(missing->hasStorage());
    Sprite inWorld(missing, 64, 64);
    inWorld.position = vec3(2048, 2048, 0);
    world->add(&inWorld);
    Sprite onHud(missing, 64, 64);
    onHud.position = vec3(100, 100, 0);
    hud->add(&onHud);
    frame(0.2f, 0.4f, 0.6f);
    expectColor(readBackPixel(640, 360), 51, 102, 153, "world sprite");
    expectColor(readBackPixel(100, 100), 51, 102, 153, "HUD sprite");
    delete missing;
}

TEST_F(SceneRender, ZeroZoomIsRaisedAndDebugOutlinesDraw) {
    world->defaultCamera.zoom = 0;
    world->debugDraw = true;
    Sprite s(red, 20, 20);
    s.position = vec3(2048, 2048, 0);
    world->add(&s);
    frame();
    world->debugDraw = false;
    EXPECT_FLOAT_EQ(world->defaultCamera.zoom, 0.01f);
    // At zoom 0.01 the whole 4096 world is 41 pixels wide around the centre;
    // its outline is drawn in white.
    world->defaultCamera = Camera2D{2048, 2048, 0.1f, 0};
    world->debugDraw = true;
    frame();
    world->debugDraw = false;
    Pixel edge = readBackPixel(640 - 205, 360); // left world edge at x = -204.8
    EXPECT_GT(edge.r + edge.g + edge.b, 300);
}
