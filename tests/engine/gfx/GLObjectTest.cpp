// GL objects across a new context: each runs in a child process, since it
// closes and opens the window.
#include "engine/gfx/GLObject.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Color.h"
#include "engine/gfx/Framebuffer.h"
#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "tests/support/GLContext.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cstdlib>

using quenth::Framebuffer;
using quenth::GLObject;
using quenth::Quenth;
using quenth::ShaderProgram;
using quenth::Surface;
using quenth::Texture;

namespace {

class GLObjectProcess : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

void open(int w, int h) {
    testsupport::startSDLVideo();
    Quenth::init(w, h, "restore", false, false);
}

// The texture drawn over the whole framebuffer through the program, read
// back at the centre.
testsupport::Pixel drawThrough(Framebuffer& fb, ShaderProgram* program, Texture& tex) {
    fb.bind();
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    program->bind();
    program->setUniform("texture", 0);
    tex.bind(GL_TEXTURE0);
    Quenth::fillScreen();
    testsupport::Pixel p;
    glReadPixels(fb.width / 2, fb.height / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &p);
    fb.unbind();
    return p;
}

bool isOrange(testsupport::Pixel p) {
    return p.r == 255 && p.g == 128 && p.b == 0;
}

TEST_F(GLObjectProcess, ANewContextGetsEveryObjectBackWithItsContents) {
    EXPECT_EXIT(
        {
            open(64, 64);
            Surface s(4, 4);
            for (int i = 0; i < 16; i++) s.pixels[i] = quenth::Color::getColor(255, 128, 0, 255);
            Texture tex(&s);
            ShaderProgram* program = quenth::GfxUtil::loadShaderFromDisk("shaders", "texture_fixed");
            Framebuffer fb(64, 64, Framebuffer::COLOR0 | Framebuffer::DEPTH);
            if (!isOrange(drawThrough(fb, program, tex))) std::exit(3);
            unsigned memory = Texture::usedMemory;
            unsigned serial = Quenth::contextSerial;

            GLObject::saveAll();
            Quenth::quit();
            open(64, 64);
            if (Quenth::contextSerial != serial + 1 || tex.alive() || program->alive()) std::exit(4);
            // The texture, the framebuffer with its colour texture and depth
            // buffer, the program with its two stages and the two fallbacks.
            if (GLObject::restoreAll() != 9) std::exit(5);
            if (!tex.alive() || !glIsTexture(tex.id) || !glIsProgram(program->id) ||
                !glIsFramebufferEXT(fb.id))
                std::exit(6);
            if (!isOrange(drawThrough(fb, program, tex))) std::exit(7);
            if (Texture::usedMemory != memory || tex.saved) std::exit(8);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(GLObjectProcess, ADeadObjectNeverDeletesANameOfTheNewContext) {
    EXPECT_EXIT(
        {
            open(64, 64);
            Surface s(8, 8);
            Texture* old = new Texture(&s);
            Quenth::quit();
            open(64, 64);
            // The new context hands out the same numbers again.
            Texture fresh(&s);
            if (fresh.id != old->id) std::exit(3);
            delete old;
            std::exit(glIsTexture(fresh.id) ? 0 : 4);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(GLObjectProcess, AnotherVideoModeKeepsTheObjectsUsable) {
    EXPECT_EXIT(
        {
            open(320, 200);
            Surface s(4, 4);
            for (int i = 0; i < 16; i++) s.pixels[i] = quenth::Color::getColor(255, 128, 0, 255);
            Texture tex(&s);
            ShaderProgram* program = quenth::GfxUtil::loadShaderFromDisk("shaders", "texture_fixed");
            GLObject::saveAll();
            if (!Quenth::setVideoMode(200, 100, false)) std::exit(3);
            GLObject::restoreAll();
            SDL_Surface* v = SDL_GetVideoSurface();
            if (Quenth::width != 200 || Quenth::height != 100 || !v || v->w != 200 || v->h != 100)
                std::exit(4);
            Framebuffer fb(200, 100, Framebuffer::COLOR0);
            if (!isOrange(drawThrough(fb, program, tex))) std::exit(5);
            // The window itself is drawn into at its new size.
            Framebuffer::unbindFB();
            testsupport::clearBackBuffer(0, 1, 0, 1);
            testsupport::Pixel corner = testsupport::readBackPixel(199, 99);
            std::exit(corner.g == 255 && corner.r == 0 ? 0 : 6);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
