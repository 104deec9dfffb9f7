#define GL_GLEXT_PROTOTYPES
#include "engine/gfx/Font.h"
#include "engine/gfx/Color.h"
#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "tests/support/GLContext.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

using namespace quenth;

namespace {

// Cell colour of code c: red = c, green = 255 - c, blue 7, opaque.
unsigned cellColour(int c) {
    return Color::getColor(c, 255 - c, 7, 255);
}

// A w x h sheet whose cells are filled with cellColour of their code, except
// that the top-left pixel of each cell is marked with alpha 128 so a test can
// tell cell corners apart.
Surface* sheet(int w, int h) {
    Surface* s = new Surface(w, h);
    int cw = w / 16, ch = h / 16;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            int code = (y / ch) * 16 + x / cw;
            unsigned c = cellColour(code);
            if (x % cw == 0 && y % ch == 0) c = Color::setA(c, 128);
            s->setPixel(x, y, c);
        }
    return s;
}

} // namespace

TEST(FontTest, RenderCopiesTheCellsOfEachCode) {
    Surface* sh = sheet(256, 256);
    Surface* s = Font::render(sh, "AB");
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(32, s->width);
    EXPECT_EQ(16, s->height);
    // Left half is cell (1, 4) = code 65, right half cell (2, 4) = code 66.
    EXPECT_EQ(Color::setA(cellColour(65), 128), s->getPixel(0, 0));
    EXPECT_EQ(cellColour(65), s->getPixel(15, 15));
    EXPECT_EQ(Color::setA(cellColour(66), 128), s->getPixel(16, 0));
    EXPECT_EQ(cellColour(66), s->getPixel(31, 15));
    delete s;
    delete sh;
}

TEST(FontTest, EmptyTextAndHighBytes) {
    Surface* sh = sheet(256, 128);
    Font f(sh);
    Surface* e = f.render("");
    ASSERT_NE(nullptr, e);
    EXPECT_EQ(1, e->width);
    EXPECT_EQ(8, e->height);
    EXPECT_EQ(0u, e->getPixel(0, 0));
    delete e;

    // Byte 200 addresses no cell of the sheet in render: it stays transparent,
    // while its neighbours are copied.
    Surface* s = f.render("a\xc8z");
    ASSERT_EQ(48, s->width);
    EXPECT_EQ(cellColour('a'), s->getPixel(5, 5));
    for (int y = 0; y < 8; y++)
        for (int x = 16; x < 32; x++) EXPECT_EQ(0u, s->getPixel(x, y)) << x << "," << y;
    EXPECT_EQ(cellColour('z'), s->getPixel(40, 5));
    delete s;
    EXPECT_EQ(nullptr, Font::render(nullptr, "AB"));
}

TEST(FontTest, SheetSmallerThanTheGridHasEmptyCells) {
    // Cells of 0 x 0 pixels: nothing to copy, nothing divided by zero.
    Font tiny(new Surface(8, 8));
    Surface* s = tiny.render("Hello");
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(1, s->width);
    EXPECT_EQ(1, s->height);
    EXPECT_EQ(0u, s->getPixel(0, 0));
    delete s;
    // 0 wide but 2 high.
    Font narrow(new Surface(15, 32));
    Surface* n = narrow.render("Hi");
    EXPECT_EQ(1, n->width);
    EXPECT_EQ(2, n->height);
    delete n;
}

namespace {

class FontDrawTest : public ::testing::Test {
protected:
    static ShaderProgram* program;
    void SetUp() override {
        testsupport::ensureGLContext();
        testsupport::resetGLState();
        if (!program) program = GfxUtil::loadShaderFromDisk("shaders", "texture_fixed");
        // Pixels as the screen: origin top left, y down; glyphs scale in x and y.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 1280, 720, 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        program->bind();
        program->setUniform("texture", 0);
        static const unsigned char white[16] = {255, 255, 255, 255, 255, 255, 255, 255,
                                                255, 255, 255, 255, 255, 255, 255, 255};
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, white);
        testsupport::clearBackBuffer(0, 0, 0, 0);
    }
    void TearDown() override { program->unbind(); }

    static void expectCell(int x, int y, int code) {
        testsupport::Pixel p = testsupport::readBackPixel(x, y);
        EXPECT_EQ(code, p.r) << "at " << x << "," << y;
        EXPECT_EQ(255 - code, p.g) << "at " << x << "," << y;
        EXPECT_EQ(7, p.b) << "at " << x << "," << y;
    }
};

ShaderProgram* FontDrawTest::program = nullptr;

} // namespace

TEST_F(FontDrawTest, DrawsEveryByteFromItsCellAndMakesTheTextureOnce) {
    Font f(sheet(256, 256));
    EXPECT_EQ(nullptr, f.texture);
    glScalef(64, 64, 1);
    f.draw_gl("A\xc8");
    Texture* t = f.texture;
    ASSERT_NE(nullptr, t);
    expectCell(32, 32, 'A');
    // In draw_gl byte 200 draws row 12, column 8.
    expectCell(96, 32, 200);
    testsupport::Pixel beyond = testsupport::readBackPixel(160, 32);
    EXPECT_EQ(0, beyond.a);
    f.draw_gl("B");
    EXPECT_EQ(t, f.texture);
    expectCell(32, 32, 'B');
}

TEST_F(FontDrawTest, AdvanceIsSheetWidthOverHeight) {
    // A 512 x 256 sheet has 32 x 16 cells: each glyph is 2 units wide.
    Font f(sheet(512, 256));
    glScalef(32, 32, 1);
    f.draw_gl("AB");
    expectCell(20, 16, 'A');
    expectCell(44, 16, 'A');
    expectCell(84, 16, 'B');
    expectCell(120, 16, 'B');
    EXPECT_EQ(0, testsupport::readBackPixel(140, 16).a);
    EXPECT_EQ(0, testsupport::readBackPixel(20, 40).a); // below the 1-unit line
}

TEST_F(FontDrawTest, LongTextGoesOutInRunsWithEveryGlyphInPlaceAndTinted) {
    Font f(sheet(256, 256));
    // Over two runs' worth of glyphs, each 8 pixels square.
    char text[Font::RUN * 2 + 24];
    const int n = (int)sizeof text - 1;
    for (int i = 0; i < n; i++) text[i] = (char)(33 + i % 90);
    text[n] = 0;
    glScalef(8, 8, 1);
    const float tint[4] = {1, 0.5f, 1, 1};
    f.draw_gl(text, tint);
    std::vector<testsupport::Pixel> row = testsupport::readBackPixels(0, 4, 1280, 1);
    for (int i = 0; i < n; i++) {
        int code = 33 + i % 90;
        testsupport::Pixel p = row[i * 8 + 4];
        EXPECT_EQ(code, p.r) << "glyph " << i;
        EXPECT_NEAR((255 - code) / 2.0, p.g, 1) << "glyph " << i;
    }
    EXPECT_EQ(0, row[n * 8 + 4].a); // nothing after the last
}

TEST_F(FontDrawTest, FontWithoutSheetDrawsNothing) {
    Font missing(nullptr);
    unsigned before = Texture::usedMemory;
    glScalef(64, 64, 1);
    missing.draw_gl("Score");
    Font::draw_gl(&missing, "Score");
    Font::draw_gl(nullptr, "Score");
    EXPECT_EQ(nullptr, missing.texture);
    EXPECT_EQ(nullptr, missing.render("x"));
    Texture* t = missing.render_tex("x");
    ASSERT_NE(nullptr, t);
    EXPECT_FALSE(t->hasStorage());
    delete t;
    EXPECT_EQ(before, Texture::usedMemory);
    // As the resource loader leaves it: an empty texture beside a null sheet.
    missing.texture = new Texture(nullptr);
    missing.draw_gl("Score");
    for (int x = 0; x < 400; x += 40) EXPECT_EQ(0, testsupport::readBackPixel(x, 32).a) << x;

    // A sheet too small for the grid draws without faults, and null text is nothing.
    Font tiny(new Surface(8, 8));
    tiny.draw_gl("Hi");
    tiny.draw_gl(nullptr);
    EXPECT_NE(nullptr, tiny.texture);
}

TEST_F(FontDrawTest, RenderTexIsPaddedWithExtents) {
    Font f(sheet(256, 256));
    unsigned before = Texture::usedMemory;
    Texture* t = f.render_tex("ABC"); // 48 x 16
    EXPECT_EQ(64u, t->width);
    EXPECT_EQ(16u, t->height);
    EXPECT_FLOAT_EQ(0.75f, t->uExtent);
    EXPECT_FLOAT_EQ(1.0f, t->vExtent);
    EXPECT_EQ(before + 64u * 16u * 4u, Texture::usedMemory);
    delete t;
}
