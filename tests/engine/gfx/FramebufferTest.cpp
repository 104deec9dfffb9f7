#include "engine/gfx/Framebuffer.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Renderbuffer.h"
#include "engine/gfx/Screenshot.h"
#include "engine/gfx/Texture.h"
#include "tests/support/GLContext.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using quenth::Framebuffer;
using quenth::Texture;

namespace {

class FramebufferTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ensureGLContext();
        testsupport::resetGLState();
    }
};

void viewport(GLint v[4]) {
    glGetIntegerv(GL_VIEWPORT, v);
}

TEST_F(FramebufferTest, FullFramebufferAccountsItsTextureMemory) {
    unsigned before = Texture::usedMemory;
    Framebuffer* fb = new Framebuffer(1280, 720, Framebuffer::ALL);
    EXPECT_EQ(Texture::usedMemory - before, 4u * 1280 * 720 * 4);
    ASSERT_NE(fb->id, 0u);
    for (Texture* t : fb->color) {
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->width, 1280u);
        EXPECT_EQ(t->height, 720u);
        EXPECT_EQ(t->internalFormat, (unsigned)GL_RGBA8);
    }
    ASSERT_NE(fb->depth, nullptr);
    EXPECT_EQ(fb->depth->width, 1280u);
    EXPECT_EQ(fb->depth->height, 720u);

    // Construction leaves the window's framebuffer bound.
    GLint bound = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &bound);
    EXPECT_EQ(bound, 0);

    fb->bind();
    EXPECT_EQ(glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT), (GLenum)GL_FRAMEBUFFER_COMPLETE_EXT);
    fb->unbind();
    delete fb;
    EXPECT_EQ(Texture::usedMemory, before);
}

TEST_F(FramebufferTest, OnlyTheRequestedAttachmentsExist) {
    unsigned before = Texture::usedMemory;
    Framebuffer empty(64, 32, 0);
    EXPECT_NE(empty.id, 0u);
    for (Texture* t : empty.color) EXPECT_EQ(t, nullptr);
    EXPECT_EQ(empty.depth, nullptr);
    EXPECT_EQ(Texture::usedMemory, before);

    Framebuffer some(64, 32, Framebuffer::COLOR1 | Framebuffer::COLOR3);
    EXPECT_EQ(some.color[0], nullptr);
    EXPECT_NE(some.color[1], nullptr);
    EXPECT_EQ(some.color[2], nullptr);
    EXPECT_NE(some.color[3], nullptr);
    EXPECT_EQ(some.depth, nullptr);
    EXPECT_EQ(Texture::usedMemory - before, 2u * 64 * 32 * 4);
}

TEST_F(FramebufferTest, BindSetsTheViewportAndDrawsIntoTheTexture) {
    Framebuffer fb(256, 128, Framebuffer::COLOR0 | Framebuffer::DEPTH);
    GLint v[4];
    fb.bind();
    viewport(v);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[1], 0);
    EXPECT_EQ(v[2], 256);
    EXPECT_EQ(v[3], 128);

    // What is drawn while bound lands in colour texture 0, not in the window.
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char px[4] = {0, 0, 0, 0};
    glReadBuffer(GL_COLOR_ATTACHMENT0_EXT);
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px);
    EXPECT_EQ(px[0], 0);
    EXPECT_EQ(px[1], 255);

    fb.unbind();
    viewport(v);
    EXPECT_EQ(v[2], 1280);
    EXPECT_EQ(v[3], 720);

    fb.bind();
    Framebuffer::unbindFB();
    viewport(v);
    EXPECT_EQ(v[2], 1280);
    EXPECT_EQ(v[3], 720);

    testsupport::clearBackBuffer(0, 0, 1, 1);
    glBindTexture(GL_TEXTURE_2D, fb.color[0]->id);
    unsigned char tex[256 * 128 * 4];
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, tex);
    EXPECT_EQ(tex[1], 255);
    EXPECT_EQ(tex[(256 * 128 - 1) * 4 + 1], 255);
    EXPECT_EQ(testsupport::readBackPixel(10, 10).b, 255);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST_F(FramebufferTest, RenderbufferHoldsItsSizeUntilDeleted) {
    quenth::Renderbuffer* rb = new quenth::Renderbuffer(100, 50, GL_DEPTH_COMPONENT);
    EXPECT_NE(rb->id, 0u);
    rb->bind();
    GLint w = 0, h = 0;
    glGetRenderbufferParameterivEXT(GL_RENDERBUFFER_EXT, GL_RENDERBUFFER_WIDTH_EXT, &w);
    glGetRenderbufferParameterivEXT(GL_RENDERBUFFER_EXT, GL_RENDERBUFFER_HEIGHT_EXT, &h);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 50);
    unsigned id = rb->id;
    delete rb;
    EXPECT_FALSE(glIsRenderbufferEXT(id));
}

// Draws a frame with a red top row, a blue bottom row and a green pixel at
// (5, 1) from the top left, into the back buffer.
void drawMarkedFrame() {
    testsupport::clearBackBuffer(0.5f, 0.5f, 0.5f, 1);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 719, 1280, 1);
    testsupport::clearBackBuffer(1, 0, 0, 1);
    glScissor(0, 0, 1280, 1);
    testsupport::clearBackBuffer(0, 0, 1, 1);
    glScissor(5, 718, 1, 1);
    testsupport::clearBackBuffer(0, 1, 0, 1);
    glDisable(GL_SCISSOR_TEST);
}

uint32_t pixelAt(SDL_Surface* s, int x, int y) {
    uint8_t* p = (uint8_t*)s->pixels + y * s->pitch + x * s->format->BytesPerPixel;
    uint32_t v = 0;
    for (int i = 0; i < s->format->BytesPerPixel; i++) v |= (uint32_t)p[i] << (8 * i);
    return v;
}

TEST_F(FramebufferTest, ScreenshotIsTheBackBufferTopRowFirst) {
    std::string path = testing::TempDir() + "vorlane_shot_test.bmp";
    std::remove(path.c_str());
    drawMarkedFrame();
    quenth::Screenshot::saveScreenshot(path.c_str());

    SDL_Surface* s = SDL_LoadBMP(path.c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->w, 1280);
    EXPECT_EQ(s->h, 720);
    Uint8 r, g, b;
    SDL_GetRGB(pixelAt(s, 0, 0), s->format, &r, &g, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(b, 0);
    SDL_GetRGB(pixelAt(s, 1279, 0), s->format, &r, &g, &b);
    EXPECT_EQ(r, 255);
    SDL_GetRGB(pixelAt(s, 0, 719), s->format, &r, &g, &b);
    EXPECT_EQ(b, 255);
    EXPECT_EQ(r, 0);
    SDL_GetRGB(pixelAt(s, 5, 1), s->format, &r, &g, &b);
    EXPECT_EQ(g, 255);
    EXPECT_EQ(r, 0);
    SDL_GetRGB(pixelAt(s, 640, 360), s->format, &r, &g, &b);
    EXPECT_NEAR(r, 128, 1);
    EXPECT_NEAR(g, 128, 1);
    EXPECT_NEAR(b, 128, 1);
    SDL_FreeSurface(s);
    std::remove(path.c_str());
}

TEST_F(FramebufferTest, ScreenshotToAnUnwritablePathWritesNothing) {
    drawMarkedFrame();
    quenth::Screenshot::saveScreenshot("/nonexistent-dir/shot.bmp");
    FILE* f = std::fopen("/nonexistent-dir/shot.bmp", "rb");
    EXPECT_EQ(f, nullptr);
    if (f) std::fclose(f);
}

} // namespace
