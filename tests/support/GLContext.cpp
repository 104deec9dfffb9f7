#include "tests/support/GLContext.h"

#include "engine/core/Quenth.h"

#include <cstdlib>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace testsupport {

void startSDLVideo() {
    // Connecting to the X server now and then fails at once with EAGAIN on
    // this machine's sockets; SDL then falls back to a text-mode driver. Insist
    // on X11 and try again: Quenth::init keeps an SDL that is already running.
    setenv("SDL_VIDEODRIVER", "x11", 0);
    const Uint32 flags = SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE | SDL_INIT_EVENTTHREAD;
    for (int i = 0; i < 50 && SDL_Init(flags) != 0; i++) SDL_Delay(20);
}

void ensureGLContext() {
    static bool opened = false;
    if (opened) return;
    startSDLVideo();
    quenth::Quenth::init(1280, 720, "test", false, false);
    opened = true;
    resetGLState();
}

void resetGLState() {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glViewport(0, 0, quenth::Quenth::getScreenWidth(), quenth::Quenth::getScreenHeight());
    glUseProgram(0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glColor4f(1, 1, 1, 1);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
}

void clearBackBuffer(float r, float g, float b, float a) {
    glClearColor(r, g, b, a);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

Pixel readBackPixel(int x, int y) {
    return readBackPixels(x, y, 1, 1)[0];
}

std::vector<Pixel> readBackPixels(int x, int y, int w, int h) {
    return readFramebufferPixels(0, quenth::Quenth::getScreenHeight(), x, y, w, h);
}

std::vector<Pixel> readFramebufferPixels(unsigned framebuffer, int height, int x, int y, int w, int h) {
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &bound);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
    std::vector<Pixel> gl(w * h);
    glReadBuffer(framebuffer ? GL_COLOR_ATTACHMENT0_EXT : GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // GL counts rows from the bottom of the image.
    glReadPixels(x, height - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, gl.data());
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, bound);
    glReadBuffer(bound ? GL_COLOR_ATTACHMENT0_EXT : GL_BACK);
    std::vector<Pixel> out(w * h);
    for (int row = 0; row < h; row++)
        for (int col = 0; col < w; col++) out[row * w + col] = gl[(h - 1 - row) * w + col];
    return out;
}

} // namespace testsupport
