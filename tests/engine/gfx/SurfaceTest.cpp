#include "engine/gfx/Surface.h"
#include "engine/gfx/Color.h"

#include <gtest/gtest.h>

using namespace quenth;

namespace {

// A surface whose every pixel holds its own coordinates, so a copied block
// shows where it came from.
Surface* numbered(int w, int h) {
    Surface* s = new Surface(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) s->setPixel(x, y, 0xff000000u | (unsigned)(y << 8) | (unsigned)x);
    return s;
}

} // namespace

TEST(ColorTest, PacksRedLowAlphaHighAndClampsChannels) {
    Color::init();
    unsigned c = Color::getColor(0x11, 0x22, 0x33, 0x44);
    EXPECT_EQ(0x44332211u, c);
    // Bytes in memory are R, G, B, A: what GL_RGBA / GL_UNSIGNED_BYTE reads.
    unsigned char const* b = reinterpret_cast<unsigned char const*>(&c);
    EXPECT_EQ(0x11, b[0]);
    EXPECT_EQ(0x44, b[3]);
    EXPECT_EQ(0xff0000ffu, Color::getColor(300, 0, 0, 255));
    EXPECT_EQ(0x11u, Color::getR(c));
    EXPECT_EQ(0x22u, Color::getG(c));
    EXPECT_EQ(0x33u, Color::getB(c));
    EXPECT_EQ(0x44u, Color::getA(c));
    EXPECT_EQ(0x443322ffu, Color::setR(c, 1000));
    EXPECT_EQ(0x4433aa11u, Color::setG(c, 0xaa));
    EXPECT_EQ(0x44002211u, Color::setB(c, 0));
    EXPECT_EQ(0x00332211u, Color::setA(c, 0));
}

TEST(ColorTest, BlendAddMultiplyPerChannel) {
    Color::init();
    unsigned white = Color::getColor(255, 255, 255, 255);
    unsigned black = Color::getColor(0, 0, 0, 0);
    // a = 255 takes c1 almost whole: (255 * 255) >> 8 = 254.
    EXPECT_EQ(Color::getColor(254, 254, 254, 254), Color::blend(white, black, 255));
    EXPECT_EQ(Color::getColor(254, 254, 254, 254), Color::blend(black, white, 0));
    // a above 255 acts as 255.
    EXPECT_EQ(Color::blend(white, black, 255), Color::blend(white, black, 4000));
    unsigned c1 = Color::getColor(200, 100, 50, 10);
    unsigned c2 = Color::getColor(100, 200, 250, 20);
    // (c2 * 127 + c1 * 128) >> 8 per channel.
    EXPECT_EQ(Color::getColor(149, 149, 149, 14), Color::blend(c1, c2, 128));
    // ((c1 * 128) >> 8) + c2, saturating at 255.
    EXPECT_EQ(Color::getColor(200, 250, 255, 25), Color::add(c1, c2, 128));
    // (((c1 * 255) >> 8) * c2) >> 8.
    EXPECT_EQ(Color::getColor(77, 77, 47, 0), Color::multiply(c1, c2, 255));
}

TEST(SurfaceTest, SizeRaisedToOneAndPixelsStartTransparent) {
    Surface s(0, -5);
    EXPECT_EQ(1, s.width);
    EXPECT_EQ(1, s.height);
    EXPECT_EQ(0u, s.getPixel(0, 0));
    Surface t(3, 2);
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 3; x++) EXPECT_EQ(0u, t.getPixel(x, y));
}

TEST(SurfaceTest, PixelAccessOutsideIsIgnoredAndReadsZero) {
    Surface s(4, 3);
    s.setPixel(3, 2, 7);
    s.setPixel(4, 0, 9);
    s.setPixel(-1, 0, 9);
    s.setPixel(0, 3, 9);
    s.setPixel(0, -1, 9);
    EXPECT_EQ(7u, s.getPixel(3, 2));
    EXPECT_EQ(7u, s.pixels[2 * 4 + 3]); // row-major, no row padding
    for (int i = 0; i < 11; i++) EXPECT_EQ(0u, s.pixels[i]) << i;
    EXPECT_EQ(0u, s.getPixel(4, 0));
    EXPECT_EQ(0u, s.getPixel(-1, -1));
    EXPECT_EQ(0u, s.getPixel(0, 3));
}

TEST(SurfaceTest, CopyConstructorIsDeep) {
    Surface* a = numbered(5, 4);
    Surface b(*a);
    a->setPixel(1, 1, 0);
    EXPECT_EQ(5, b.width);
    EXPECT_EQ(4, b.height);
    EXPECT_NE(a->pixels, b.pixels);
    EXPECT_EQ(0xff000101u, b.getPixel(1, 1));
    delete a;
    EXPECT_EQ(0xff000303u, b.getPixel(3, 3));
}

TEST(SurfaceTest, CopyWholeSourceAndClipAtBothEdges) {
    Surface* src = numbered(4, 4);
    Surface whole(6, 6);
    whole.copy(src, 0, 0, 1, 1, -1, -1);
    EXPECT_EQ(0u, whole.getPixel(0, 0));
    EXPECT_EQ(0xff000000u, whole.getPixel(1, 1));
    EXPECT_EQ(0xff000303u, whole.getPixel(4, 4));
    EXPECT_EQ(0u, whole.getPixel(5, 5));

    // Placed at (-2, -2): only the source's bottom-right 2 x 2 lands.
    Surface neg(4, 4);
    neg.copy(src, 0, 0, -2, -2, -1, -1);
    EXPECT_EQ(0xff000202u, neg.getPixel(0, 0));
    EXPECT_EQ(0xff000303u, neg.getPixel(1, 1));
    EXPECT_EQ(0u, neg.getPixel(2, 2));
    EXPECT_EQ(0u, neg.getPixel(3, 0));

    // A block reaching past the source: the missing source pixels are
    // skipped, so the destination keeps what it had there.
    Surface over(4, 4);
    over.replaceColor(0, 0x12345678u);
    over.copy(src, 2, 2, 0, 0, 4, 4);
    EXPECT_EQ(0xff000202u, over.getPixel(0, 0));
    EXPECT_EQ(0xff000303u, over.getPixel(1, 1));
    EXPECT_EQ(0x12345678u, over.getPixel(2, 0));
    EXPECT_EQ(0x12345678u, over.getPixel(0, 2));

    // Far outside in every direction, with extreme values: nothing happens.
    Surface far(4, 4);
    far.copy(src, 0, 0, 100, 100, -1, -1);
    far.copy(src, -100, -100, 0, 0, 50, 50);
    far.copy(src, 0, 0, 2147483000, 2147483000, 2147483000, 2147483000);
    far.copy(src, 2147483000, 0, -2147483000, 0, 2147483000, 4);
    for (int i = 0; i < 16; i++) EXPECT_EQ(0u, far.pixels[i]);
    delete src;
}

TEST(SurfaceTest, CopyFromItselfOrOfZeroSizeDoesNothing) {
    Surface* s = numbered(4, 4);
    Surface before(*s);
    s->copy(s, 0, 0, 1, 1, -1, -1);
    Surface other(4, 4);
    s->copy(&other, 0, 0, 0, 0, 0, 4);
    s->copy(&other, 0, 0, 0, 0, 4, 0);
    s->copy(nullptr, 0, 0, 0, 0, -1, -1);
    for (int i = 0; i < 16; i++) EXPECT_EQ(before.pixels[i], s->pixels[i]) << i;
    delete s;
}

TEST(SurfaceTest, ReplaceColorMatchesAllFourChannels) {
    Surface s(3, 1);
    s.setPixel(0, 0, 0xff0000ffu);
    s.setPixel(1, 0, 0xfe0000ffu); // same colour, other alpha
    s.setPixel(2, 0, 0xff0000ffu);
    s.replaceColor(0xff0000ffu, 0);
    EXPECT_EQ(0u, s.getPixel(0, 0));
    EXPECT_EQ(0xfe0000ffu, s.getPixel(1, 0));
    EXPECT_EQ(0u, s.getPixel(2, 0));
}
