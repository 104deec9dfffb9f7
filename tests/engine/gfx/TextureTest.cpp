#define GL_GLEXT_PROTOTYPES
#include "engine/gfx/Texture.h"
#include "engine/gfx/Color.h"
#include "engine/gfx/Surface.h"
#include "tests/support/GLContext.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <vector>

using namespace quenth;

namespace {

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ensureGLContext();
        testsupport::resetGLState();
    }
};

// The level-0 texels of a 2D texture, row 0 first, as packed pixels.
std::vector<unsigned> texels(Texture* t) {
    std::vector<unsigned> out(t->width * t->height);
    glBindTexture(GL_TEXTURE_2D, t->id);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    return out;
}

GLint texLevelParam(GLenum target, GLuint id, GLenum param) {
    GLint v = 0;
    glBindTexture(target, id);
    glGetTexLevelParameteriv(target, 0, param, &v);
    return v;
}

} // namespace

TEST_F(TextureTest, PadsOddImageToPowersOfTwoAndCountsMemory) {
    Surface s(100, 50);
    for (int y = 0; y < 50; y++)
        for (int x = 0; x < 100; x++) s.setPixel(x, y, Color::getColor(x, y, 7, 255));
    unsigned before = Texture::usedMemory;
    Texture* t = new Texture(&s);
    EXPECT_EQ(128u, t->width);
    EXPECT_EQ(64u, t->height);
    EXPECT_FLOAT_EQ(0.78125f, t->uExtent);
    EXPECT_FLOAT_EQ(0.78125f, t->vExtent);
    EXPECT_EQ((unsigned)GL_TEXTURE_2D, t->target);
    EXPECT_EQ((unsigned)GL_TEXTURE0, t->unit);
    EXPECT_EQ((unsigned)GL_RGBA8, t->internalFormat);
    EXPECT_EQ(before + 32768u, Texture::usedMemory);
    EXPECT_EQ(128, texLevelParam(GL_TEXTURE_2D, t->id, GL_TEXTURE_WIDTH));
    EXPECT_EQ(64, texLevelParam(GL_TEXTURE_2D, t->id, GL_TEXTURE_HEIGHT));

    // The image sits top-left (row 0 first, uploaded as is); the padding is
    // transparent black.
    std::vector<unsigned> px = texels(t);
    EXPECT_EQ(Color::getColor(0, 0, 7, 255), px[0]);
    EXPECT_EQ(Color::getColor(99, 49, 7, 255), px[49 * 128 + 99]);
    EXPECT_EQ(Color::getColor(5, 3, 7, 255), px[3 * 128 + 5]);
    EXPECT_EQ(0u, px[0 * 128 + 100]);
    EXPECT_EQ(0u, px[50 * 128 + 0]);
    EXPECT_EQ(0u, px[63 * 128 + 127]);

    GLint wrap = 0, filter = 0;
    glBindTexture(GL_TEXTURE_2D, t->id);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(GL_REPEAT, wrap);
    EXPECT_EQ(GL_LINEAR, filter);

    delete t;
    EXPECT_EQ(before, Texture::usedMemory);
}

TEST_F(TextureTest, PowerOfTwoImageIsUploadedAtItsOwnSize) {
    Surface s(64, 64);
    s.setPixel(63, 63, 0xdeadbeefu);
    unsigned before = Texture::usedMemory;
    Texture t(&s);
    EXPECT_EQ(64u, t.width);
    EXPECT_EQ(64u, t.height);
    EXPECT_FLOAT_EQ(1.0f, t.uExtent);
    EXPECT_FLOAT_EQ(1.0f, t.vExtent);
    EXPECT_EQ(before + 64u * 64u * 4u, Texture::usedMemory);
    EXPECT_EQ(0xdeadbeefu, texels(&t)[63 * 64 + 63]);
    // Left bound after construction.
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ((GLint)t.id, bound);
}

TEST_F(TextureTest, NullSurfaceGivesNamedTextureWithoutStorage) {
    unsigned before = Texture::usedMemory;
    Texture* t = new Texture(nullptr);
    EXPECT_NE(0u, t->id);
    EXPECT_TRUE(glIsTexture(t->id));
    EXPECT_EQ(0u, t->width);
    EXPECT_EQ(0u, t->height);
    EXPECT_FALSE(t->hasStorage());
    EXPECT_EQ(before, Texture::usedMemory);
    delete t;
    EXPECT_EQ(before, Texture::usedMemory);
}

TEST_F(TextureTest, ImageTooLargeForTheGLStaysWithoutStorage) {
    unsigned limit = Texture::maxSize();
    ASSERT_GE(limit, 1024u);
    // One texel wider than the limit pads to twice the limit.
    Surface wide((int)limit + 1, 1);
    unsigned before = Texture::usedMemory;
    Texture t(&wide);
    EXPECT_FALSE(t.hasStorage());
    EXPECT_EQ(before, Texture::usedMemory);
    EXPECT_EQ(0, texLevelParam(GL_TEXTURE_2D, t.id, GL_TEXTURE_WIDTH));
    // Exactly the limit still fits.
    Surface edge((int)limit, 1);
    Texture fits(&edge);
    EXPECT_EQ(limit, fits.width);
    EXPECT_EQ(1u, fits.height);
}

TEST_F(TextureTest, EmptyTexturesAreAtLeastEightSquareAndCountWidthTimesHeight) {
    unsigned before = Texture::usedMemory;
    Texture* t = new Texture(4, 4, 0, GL_TEXTURE_2D, GL_RGBA8);
    EXPECT_EQ(8u, t->width);
    EXPECT_EQ(8u, t->height);
    EXPECT_EQ(2u, t->depth);
    EXPECT_EQ(before + 256u, Texture::usedMemory);
    EXPECT_EQ(8, texLevelParam(GL_TEXTURE_2D, t->id, GL_TEXTURE_WIDTH));
    GLint wrapT = 0;
    glBindTexture(GL_TEXTURE_2D, t->id);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    EXPECT_EQ(GL_CLAMP_TO_EDGE, wrapT);
    delete t;
    EXPECT_EQ(before, Texture::usedMemory);

    Texture big(1280, 720, 0, GL_TEXTURE_2D, GL_RGBA8);
    // The empty-texture constructor unbinds again.
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(0, bound);
    EXPECT_EQ(before + 1280u * 720u * 4u, Texture::usedMemory);
    EXPECT_EQ(1280, texLevelParam(GL_TEXTURE_2D, big.id, GL_TEXTURE_WIDTH));
    EXPECT_EQ(720, texLevelParam(GL_TEXTURE_2D, big.id, GL_TEXTURE_HEIGHT));

    // Depth does not enter the count.
    unsigned mid = Texture::usedMemory;
    Texture* vol = new Texture(16, 16, 4, GL_TEXTURE_3D, GL_RGBA8);
    EXPECT_EQ(mid + 16u * 16u * 4u, Texture::usedMemory);
    EXPECT_EQ(4, texLevelParam(GL_TEXTURE_3D, vol->id, GL_TEXTURE_DEPTH));
    delete vol;
    Texture* line = new Texture(32, 1, 0, GL_TEXTURE_1D, GL_RGBA8);
    EXPECT_EQ(32, texLevelParam(GL_TEXTURE_1D, line->id, GL_TEXTURE_WIDTH));
    EXPECT_EQ(mid + 32u * 8u * 4u, Texture::usedMemory);
    delete line;
    EXPECT_EQ(mid, Texture::usedMemory);
}

TEST_F(TextureTest, BindUsesAndRemembersTheUnit) {
    Surface s(2, 2);
    Texture t(&s);
    glBindTexture(GL_TEXTURE_2D, 0);
    t.bind(GL_TEXTURE1);
    EXPECT_EQ((unsigned)GL_TEXTURE1, t.unit);
    GLint active = 0, bound = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GL_TEXTURE1, active);
    EXPECT_EQ((GLint)t.id, bound);
    glActiveTexture(GL_TEXTURE0);
    t.unbind();
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GL_TEXTURE1, active);
    EXPECT_EQ(0, bound);
    glActiveTexture(GL_TEXTURE0);
}
