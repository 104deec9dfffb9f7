#include "engine/gfx/ImageLoader.h"
#include "engine/gfx/Color.h"
#include "engine/gfx/ImageBatch.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "tests/engine/gfx/PngWriter.h"
#include "tests/support/GLContext.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <algorithm>
#include <dirent.h>
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

namespace {

// The pixels of s as the display-format conversion gives them: how every
// image was read before plain layouts were read straight. s stays the
// caller's.
std::vector<unsigned> viaDisplayFormat(SDL_Surface* s, bool colorKey) {
    Surface* out = ImageLoader::prepareImage(SDL_DisplayFormatAlpha(s), true, colorKey);
    std::vector<unsigned> px =
        out ? std::vector<unsigned>(out->pixels, out->pixels + out->width * out->height)
            : std::vector<unsigned>();
    delete out;
    return px;
}

} // namespace

TEST_F(ImageLoaderTest, DecodedImagesOfEveryLayoutGiveTheDisplayFormatsPixels) {
    struct Layout {
        char const* name;
        int bits;
        Uint32 r, g, b, a;
        bool plain; // read straight, without the display format
    };
    const Layout layouts[] = {
        {"RGBA bytes (PNG with alpha)", 32, 0x000000ff, 0x0000ff00, 0x00ff0000, 0xff000000, true},
        {"RGB bytes (PNG without alpha)", 24, 0x0000ff, 0x00ff00, 0xff0000, 0, true},
        {"BGR bytes", 24, 0xff0000, 0x00ff00, 0x0000ff, 0, true},
        {"ARGB word", 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000, true},
        {"alpha in the low byte", 32, 0xff000000, 0x00ff0000, 0x0000ff00, 0x000000ff, true},
        {"XRGB word", 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0, true},
        {"565", 16, 0xf800, 0x07e0, 0x001f, 0, false},
        {"paletted", 8, 0, 0, 0, 0, false},
    };
    for (Layout const& l : layouts) {
        for (int keyed = 0; keyed < 3; keyed++) {
            // keyed 1: the caller's colour key; 2: a colour key of SDL's
            // own on the surface, which only the display format honours.
            auto make = [&] {
                SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 37, 5, l.bits, l.r, l.g, l.b, l.a);
                if (s && s->format->palette) {
                    SDL_Color colors[256];
                    for (int i = 0; i < 256; i++)
                        colors[i] = SDL_Color{(Uint8)i, (Uint8)(255 - i), (Uint8)(i * 7), 0};
                    SDL_SetColors(s, colors, 0, 256);
                }
                for (int y = 0; y < 5; y++)
                    for (int x = 0; x < 37; x++) {
                        SDL_Rect r = {(Sint16)x, (Sint16)y, 1, 1};
                        // The top-left colour comes back on row 3, for the keys.
                        int v = y == 3 && x > 30 ? 0 : x * 7 + y * 50;
                        SDL_FillRect(s, &r, SDL_MapRGBA(s->format, v, 255 - v, v / 2, v % 3 ? 255 : v));
                    }
                if (keyed == 2) SDL_SetColorKey(s, SDL_SRCCOLORKEY, SDL_MapRGBA(s->format, 0, 255, 0, 0));
                return s;
            };
            SDL_Surface* s = make();
            ASSERT_NE(nullptr, s) << l.name;
            EXPECT_EQ(l.plain && keyed != 2, ImageLoader::isPlain(s)) << l.name << " key " << keyed;
            Surface* got = ImageLoader::fromDecoded(s, keyed == 1);
            SDL_Surface* again = make();
            std::vector<unsigned> want = viaDisplayFormat(again, keyed == 1);
            SDL_FreeSurface(again);
            ASSERT_NE(nullptr, got) << l.name;
            ASSERT_EQ(want.size(), (size_t)got->width * got->height) << l.name;
            int wrong = 0;
            for (size_t i = 0; i < want.size(); i++) wrong += got->pixels[i] != want[i];
            EXPECT_EQ(0, wrong) << l.name << " key " << keyed;
            // The caller's key took effect at all.
            if (keyed == 1) {
                EXPECT_EQ(0u, got->getPixel(33, 3)) << l.name;
            }
            delete got;
        }
    }
    EXPECT_EQ(nullptr, ImageLoader::fromDecoded(nullptr, false));
}

TEST_F(ImageLoaderTest, BatchGivesWhatTheSerialLoaderGivesFileForFile) {
    // The game's art (RGB and RGBA files), a missing file and a damaged one.
    std::vector<std::string> paths;
    if (DIR* d = opendir("gfx")) {
        while (dirent* e = readdir(d)) {
            std::string n = e->d_name;
            if (n.size() > 4 && n.compare(n.size() - 4, 4, ".png") == 0) paths.push_back("gfx/" + n);
        }
        closedir(d);
    }
    ASSERT_GE(paths.size(), 30u) << "the game's gfx/ is not in the working directory";
    std::sort(paths.begin(), paths.end());
    std::vector<uint8_t> good = pngwriter::encode(40, 30, gradient(40, 30));
    paths.insert(paths.begin() + 3, path("missing.png"));
    paths.insert(paths.begin() + 7,
                 write("damaged.png", std::vector<uint8_t>(good.begin(), good.begin() + 300)));

    // The serial path as it was: every image through the display format,
    // the odd ones with the colour key.
    std::vector<std::vector<unsigned>> want;
    for (size_t i = 0; i < paths.size(); i++) {
        SDL_Surface* decoded = IMG_Load(paths[i].c_str());
        want.push_back(decoded ? viaDisplayFormat(decoded, i % 2 == 1) : std::vector<unsigned>());
        if (decoded) SDL_FreeSurface(decoded);
    }

    for (int threads : {0, 1, 3}) {
        ImageBatch batch(paths, threads);
        ASSERT_EQ(paths.size(), batch.size());
        for (unsigned i = 0; i < batch.size(); i++) {
            ImageLoader::lastError = 7;
            Surface* s = batch.take(i, i % 2 == 1);
            EXPECT_EQ(want[i].empty() ? ImageLoader::FILE_FAILED : ImageLoader::OK, ImageLoader::lastError)
                << paths[i];
            ASSERT_EQ(want[i].empty(), s == nullptr) << paths[i];
            if (!s) continue;
            ASSERT_EQ(want[i].size(), (size_t)s->width * s->height) << paths[i];
            EXPECT_TRUE(std::equal(want[i].begin(), want[i].end(), s->pixels)) << paths[i] << ", " << threads;
            delete s;
        }
        // Each image is given once.
        EXPECT_EQ(nullptr, batch.take(0, false));
        EXPECT_EQ(ImageLoader::FILE_FAILED, ImageLoader::lastError);
        EXPECT_EQ(nullptr, batch.take(batch.size(), false));
    }
    // A batch dropped while its workers decode frees what they made.
    ImageBatch dropped(paths, 2);
    Surface* first = dropped.take(0, false);
    EXPECT_NE(nullptr, first);
    delete first;
}
