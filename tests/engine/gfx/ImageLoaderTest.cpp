#include "engine/gfx/ImageLoader.h"
#include "engine/gfx/Color.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "tests/engine/gfx/PngWriter.h"
#include "tests/support/GLContext.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using namespace quenth;

namespace {

// Decoding needs the video mode (SDL_DisplayFormatAlpha), so every case runs
// with the test window open. Fixture files go to a scratch directory.
class ImageLoaderTest : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override {
        testsupport::ensureGLContext();
        testsupport::resetGLState();
        char tmpl[] = "/tmp/gfximageXXXXXX";
        dir = mkdtemp(tmpl);
    }
    void TearDown() override { std::system(("rm -rf " + dir).c_str()); }

    std::string path(char const* name) { return dir + "/" + name; }
    std::string write(char const* name, std::vector<uint8_t> const& bytes) {
        std::string p = path(name);
        EXPECT_TRUE(pngwriter::writeFile(p, bytes));
        return p;
    }
};

// w x h pixels: red = x, green = y, blue = 9, alpha = (x + y) & 255.
std::vector<uint32_t> gradient(int w, int h) {
    std::vector<uint32_t> px((size_t)w * h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            px[(size_t)y * w + x] = Color::getColor(x & 255, y & 255, 9, (x + y) & 255);
    return px;
}

} // namespace

TEST_F(ImageLoaderTest, LoadsPngPixelsExactlyWithAlpha) {
    std::string p = write("g.png", pngwriter::encode(100, 50, gradient(100, 50)));
    ImageLoader::lastError = 7;
    Surface* s = ImageLoader::load(p.c_str(), false);
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(0, ImageLoader::lastError);
    EXPECT_EQ(100, s->width);
    EXPECT_EQ(50, s->height);
    std::vector<uint32_t> want = gradient(100, 50);
    int wrong = 0;
    for (int i = 0; i < 100 * 50; i++) wrong += s->pixels[i] != want[i];
    EXPECT_EQ(0, wrong);
    delete s;
}

TEST_F(ImageLoaderTest, TextureOfOddImageIsPaddedAndCounted) {
    std::string p = write("g.png", pngwriter::encode(100, 50, gradient(100, 50)));
    unsigned before = Texture::usedMemory;
    Texture* t = ImageLoader::loadTexture(p.c_str(), false);
    EXPECT_EQ(0, ImageLoader::lastError);
    EXPECT_EQ(128u, t->width);
    EXPECT_EQ(64u, t->height);
    EXPECT_FLOAT_EQ(0.78125f, t->uExtent);
    EXPECT_FLOAT_EQ(0.78125f, t->vExtent);
    EXPECT_EQ(before + 32768u, Texture::usedMemory);
    delete t;
    EXPECT_EQ(before, Texture::usedMemory);
}

TEST_F(ImageLoaderTest, ColorKeyClearsEveryPixelEqualToTheTopLeftOne) {
    uint32_t key = Color::getColor(255, 0, 255, 255);
    uint32_t keyOtherAlpha = Color::getColor(255, 0, 255, 254);
    uint32_t green = Color::getColor(0, 255, 0, 255);
    std::vector<uint32_t> px = {key, green, keyOtherAlpha, green, key, key};
    std::vector<uint8_t> png = pngwriter::encode(3, 2, px);
    std::string p = write("k.png", png);

    Surface* s = ImageLoader::load(p.c_str(), true);
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(0u, s->getPixel(0, 0));
    EXPECT_EQ(green, s->getPixel(1, 0));
    EXPECT_EQ(keyOtherAlpha, s->getPixel(2, 0));
    EXPECT_EQ(green, s->getPixel(0, 1));
    EXPECT_EQ(0u, s->getPixel(1, 1));
    EXPECT_EQ(0u, s->getPixel(2, 1));
    delete s;

    // Without the key the same file keeps its colours; from memory likewise.
    Surface* plain = ImageLoader::load(p.c_str(), false);
    ASSERT_NE(nullptr, plain);
    EXPECT_EQ(key, plain->getPixel(0, 0));
    delete plain;
    Surface* mem = ImageLoader::loadBuf(png.data(), (unsigned)png.size(), true);
    ASSERT_NE(nullptr, mem);
    EXPECT_EQ(0u, mem->getPixel(2, 1));
    EXPECT_EQ(green, mem->getPixel(1, 0));
    delete mem;
}

TEST_F(ImageLoaderTest, MissingFileFailsAndTextureHasNoStorage) {
    unsigned before = Texture::usedMemory;
    EXPECT_EQ(nullptr, ImageLoader::load(path("none.png").c_str(), false));
    EXPECT_EQ(2, ImageLoader::lastError);
    EXPECT_EQ(nullptr, ImageLoader::load(nullptr, false));
    EXPECT_EQ(2, ImageLoader::lastError);
    Texture* t = ImageLoader::loadTexture(path("none.png").c_str(), false);
    ASSERT_NE(nullptr, t);
    EXPECT_EQ(2, ImageLoader::lastError);
    EXPECT_NE(0u, t->id);
    EXPECT_EQ(0u, t->width);
    EXPECT_EQ(0u, t->height);
    EXPECT_EQ(before, Texture::usedMemory);
    delete t;
    // A directory is no image either.
    EXPECT_EQ(nullptr, ImageLoader::load(dir.c_str(), false));
    EXPECT_EQ(2, ImageLoader::lastError);
}

TEST_F(ImageLoaderTest, DamagedFilesFailWithoutCrashing) {
    std::vector<uint8_t> good = pngwriter::encode(40, 30, gradient(40, 30));
    std::vector<uint8_t> truncated(good.begin(), good.begin() + good.size() / 2);
    std::vector<uint8_t> headerOnly(good.begin(), good.begin() + 33);
    std::vector<uint8_t> corrupt = good;
    for (size_t i = 60; i < corrupt.size() - 20; i += 7) corrupt[i] ^= 0x5a; // inside IDAT
    std::vector<uint8_t> garbage(5000);
    for (size_t i = 0; i < garbage.size(); i++) garbage[i] = (uint8_t)(i * 131 + 17);
    // A header claiming 100000 x 100000 pixels with almost no data behind it.
    std::vector<uint8_t> claimsHuge = good;
    claimsHuge[16] = 0, claimsHuge[17] = 0x01, claimsHuge[18] = 0x86, claimsHuge[19] = 0xa0;
    claimsHuge[20] = 0, claimsHuge[21] = 0x01, claimsHuge[22] = 0x86, claimsHuge[23] = 0xa0;
    uint32_t crc = pngwriter::crc32(claimsHuge.data() + 12, 17);
    claimsHuge[29] = crc >> 24, claimsHuge[30] = crc >> 16, claimsHuge[31] = crc >> 8, claimsHuge[32] = crc;

    struct Case {
        char const* name;
        std::vector<uint8_t> bytes;
    } cases[] = {{"empty.png", {}},        {"truncated.png", truncated}, {"header.png", headerOnly},
                 {"corrupt.png", corrupt}, {"garbage.png", garbage},     {"huge.png", claimsHuge}};
    unsigned before = Texture::usedMemory;
    for (Case const& c : cases) {
        std::string p = write(c.name, c.bytes);
        EXPECT_EQ(nullptr, ImageLoader::load(p.c_str(), false)) << c.name;
        EXPECT_EQ(2, ImageLoader::lastError) << c.name;
        Texture* t = ImageLoader::loadTexture(p.c_str(), true);
        EXPECT_EQ(2, ImageLoader::lastError) << c.name;
        EXPECT_FALSE(t->hasStorage()) << c.name;
        delete t;
        ImageLoader::lastError = 0;
        EXPECT_EQ(nullptr, ImageLoader::loadBuf(c.bytes.data(), (unsigned)c.bytes.size(), false)) << c.name;
        EXPECT_EQ(1, ImageLoader::lastError) << c.name;
    }
    EXPECT_EQ(before, Texture::usedMemory);
    // The good bytes still load after all that.
    Surface* s = ImageLoader::loadBuf(good.data(), (unsigned)good.size(), false);
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(40, s->width);
    delete s;
}

TEST_F(ImageLoaderTest, ImageWiderThanAnyTextureIsRefused) {
    int w = ImageLoader::MAX_SIDE + 1;
    std::vector<uint8_t> png = pngwriter::encode(w, 1, std::vector<uint32_t>(w, 0xffffffffu));
    std::string p = write("wide.png", png);
    unsigned before = Texture::usedMemory;
    EXPECT_EQ(nullptr, ImageLoader::load(p.c_str(), false));
    EXPECT_EQ(2, ImageLoader::lastError);
    Texture* t = ImageLoader::loadTexture(p.c_str(), false);
    EXPECT_NE(0, ImageLoader::lastError);
    EXPECT_FALSE(t->hasStorage());
    delete t;
    EXPECT_EQ(nullptr, ImageLoader::loadBuf(png.data(), (unsigned)png.size(), false));
    EXPECT_EQ(1, ImageLoader::lastError);
    EXPECT_EQ(before, Texture::usedMemory);
}

TEST_F(ImageLoaderTest, LoadFromMemoryLeavesLastErrorOnSuccess) {
    std::vector<uint8_t> png = pngwriter::encode(8, 4, gradient(8, 4));
    ImageLoader::lastError = 2;
    Surface* s = ImageLoader::loadBuf(png.data(), (unsigned)png.size(), false);
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(2, ImageLoader::lastError);
    EXPECT_EQ(gradient(8, 4)[3 * 8 + 7], s->getPixel(7, 3));
    delete s;
    EXPECT_EQ(nullptr, ImageLoader::loadBuf(nullptr, 100, false));
    EXPECT_EQ(1, ImageLoader::lastError);
    EXPECT_EQ(nullptr, ImageLoader::loadBuf(png.data(), 0, false));
    EXPECT_EQ(1, ImageLoader::lastError);

    unsigned before = Texture::usedMemory;
    Texture* t = ImageLoader::loadBufTexture(png.data(), (unsigned)png.size(), false);
    EXPECT_EQ(8u, t->width);
    EXPECT_EQ(4u, t->height);
    EXPECT_FLOAT_EQ(1.0f, t->uExtent);
    EXPECT_EQ(before + 8u * 4u * 4u, Texture::usedMemory);
    delete t;
}

TEST_F(ImageLoaderTest, PrepareImageReadsAnySdlChannelLayout) {
    // A 32-bit surface with blue in the low byte and alpha on top, rows padded
    // by SDL's pitch: the result is in the engine's layout regardless.
    SDL_Surface* s =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 2, 32, 0x0000ff00, 0x00ff0000, 0xff000000, 0x000000ff);
    ASSERT_NE(nullptr, s);
    Uint8* row = static_cast<Uint8*>(s->pixels);
    for (int y = 0; y < 2; y++, row += s->pitch)
        for (int x = 0; x < 3; x++)
            reinterpret_cast<Uint32*>(row)[x] = SDL_MapRGBA(s->format, 10 * x, 20 * y, 30, 40 + x);
    Surface* out = ImageLoader::prepareImage(s, true, false);
    ASSERT_NE(nullptr, out);
    EXPECT_EQ(Color::getColor(0, 0, 30, 40), out->getPixel(0, 0));
    EXPECT_EQ(Color::getColor(20, 20, 30, 42), out->getPixel(2, 1));
    delete out;

    // Without alpha every pixel is opaque; a 24-bit surface is converted first.
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 24, 0x0000ff, 0x00ff00, 0xff0000, 0);
    ASSERT_NE(nullptr, rgb);
    SDL_FillRect(rgb, nullptr, SDL_MapRGB(rgb->format, 1, 2, 3));
    Surface* opaque = ImageLoader::prepareImage(rgb, false, false);
    ASSERT_NE(nullptr, opaque);
    EXPECT_EQ(Color::getColor(1, 2, 3, 255), opaque->getPixel(1, 1));
    delete opaque;

    EXPECT_EQ(nullptr, ImageLoader::prepareImage(nullptr, true, true));
}
