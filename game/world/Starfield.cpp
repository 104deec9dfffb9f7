#define GL_GLEXT_PROTOTYPES
#include "game/world/Starfield.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>

#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Framebuffer.h"
#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Texture.h"
#include "engine/math/Math.h"
#include "engine/math/mat4.h"
#include "engine/math/vec3.h"
#include "engine/util/Random.h"
#include "game/base/Globals.h"
#include "game/base/Resources.h"
#include "scene/SceneState.h"
#include "scene/Shaders.h"

Starfield::Starfield(int n)
    : texture(Resources::star_tex), stars(n), parallax(0.8f), zMin(1.0f), zMax(30.0f), margin(50.0f),
      starWidth(32.0f), starHeight(15.0f), drawSky(true), drawStars(true), cacheSky(true), skyCache(nullptr) {
    stars.count = n;
    skybox.left = Resources::skybox_left_tex;
    skybox.right = Resources::skybox_right_tex;
    skybox.front = Resources::skybox_front_tex;
    skybox.back = Resources::skybox_back_tex;
    skybox.top = Resources::skybox_top_tex;
    skybox.bottom = Resources::skybox_bottom_tex;
    skybox.rotation = quenth::vec3(7, 0, 56);
    init();
    skybox.brightness = 0.82f;
    setVisible(true);
}

quenth::Framebuffer* Starfield::sharedSkyCache = nullptr;
quenth::Skybox Starfield::skyShown;
quenth::vec3 Starfield::skyDirection;
int Starfield::skyBand = 0;
int Starfield::skyBandsBehind = 0;
uint32_t Starfield::skyFrame = 0;

static bool sameSky(quenth::Skybox const& a, quenth::Skybox const& b) {
    return a.left == b.left && a.right == b.right && a.front == b.front && a.back == b.back &&
           a.top == b.top && a.bottom == b.bottom && a.brightness == b.brightness &&
           a.rotation.x == b.rotation.x && a.rotation.y == b.rotation.y && a.rotation.z == b.rotation.z;
}

void Starfield::init() {
    float w = (float)quenth::Quenth::getScreenWidth();
    float h = (float)quenth::Quenth::getScreenHeight();
    fieldWidth = w;
    fieldHeight = h;
    for (int i = (int)stars.count - 1; i >= 0; --i) {
        Vertex& s = stars.data[i];
        s.b = (uint8_t)g_rand.randi(168, 255);
        s.g = (uint8_t)g_rand.randi(168, 255);
        s.r = (uint8_t)g_rand.randi(168, 255);
        s.a = 255;
        s.x = g_rand.randf(-margin, w + margin);
        s.y = g_rand.randf(-margin, h + margin);
        s.z = g_rand.randf(zMin, zMax);
        s.size = g_rand.randf(0.2f, 0.7f);
        s.brightness = 1 - s.size * (s.z - zMin) / (zMax - zMin);
    }
}

void Starfield::resize(float w, float h) {
    float sx = (w + 2 * margin) / (fieldWidth + 2 * margin);
    float sy = (h + 2 * margin) / (fieldHeight + 2 * margin);
    for (unsigned i = 0; i < stars.count; ++i) {
        Vertex& s = stars.data[i];
        s.x = (s.x + margin) * sx - margin;
        s.y = (s.y + margin) * sy - margin;
    }
    fieldWidth = w;
    fieldHeight = h;
}

void Starfield::move(quenth::vec2& delta) {
    float w = (float)quenth::Quenth::getScreenWidth();
    float h = (float)quenth::Quenth::getScreenHeight();
    float ox = -delta.x * parallax, oy = -delta.y * parallax;
    for (unsigned i = 0; i < stars.count; ++i) {
        Vertex& s = stars.data[i];
        s.x += ox / s.z;
        s.y += oy / s.z;
        s.x = quenth::Math::wrapf(s.x, -margin, w + margin);
        s.y = quenth::Math::wrapf(s.y, -margin, h + margin);
    }
}

namespace {
// One corner of a star quad as the card reads it, 20 bytes.
struct QuadVertex {
    float x, y;
    float u, v;
    uint8_t r, g, b, a;
};
} // namespace

void Starfield::aimSkyCamera() {
    float t = quenth::Math::wrapf((float)quenth::GameClock::currentTime / 650000.0f, -3.1415927f, 3.1415927f);
    double td = t;
    camera.position =
        quenth::vec3((float)(-cos(1.8 * td) * 25), (float)(9 - sin(1.1 * td)), (float)(sin(1.4 * td) * 25));
    camera.fov = 50;
    camera.lookAt(quenth::vec3(0, (float)(cos(2.1 * td) + 1.5), 1));
}

void Starfield::drawSkybox() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    camera.bind(7);
    Shaders::texture_shader_fixed->bind();
    Shaders::texture_shader_fixed->setUniform("texture", 0);
    skybox.draw(&camera);
}

bool Starfield::copySkyFromCache() {
    if (!quenth::Framebuffer::canCopy()) return false;
    GLint target = 0, viewport[4];
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &target);
    glGetIntegerv(GL_VIEWPORT, viewport);
    int w = viewport[2], h = viewport[3];
    int bands = (h + SKY_BAND_ROWS - 1) / SKY_BAND_ROWS;

    // A new image, or a view that jumped by more than two pixels (the sky
    // camera sees about 770 pixels per radian), is drawn whole; after a move
    // at the sky's own pace the bands follow one per frame.
    int first = skyBand, count = 0;
    // Taken before drawing: binding the camera normalises its direction again.
    quenth::vec3 direction = camera.direction;
    float turn = (direction - skyDirection).length();
    quenth::Framebuffer*& image = sharedSkyCache;
    if (!image || (int)image->width != w || (int)image->height != h) {
        delete image;
        image = new quenth::Framebuffer(w, h, quenth::Framebuffer::COLOR0);
        turn = INFINITY;
    }
    // Another sky, or none yet: drawn whole.
    if (!sameSky(skyShown, skybox)) turn = INFINITY;
    skyShown = skybox;
    skyCache = image;
    uint32_t frame = skyFrame;
    skyFrame = quenth::Quenth::framenum;
    if (turn > 2.0f / 770.0f) {
        first = 0;
        count = bands;
        skyBandsBehind = 0;
    } else if (turn > 0) {
        count = 1;
        skyBandsBehind = bands - 1;
    } else if (skyBandsBehind > 0 && quenth::Quenth::framenum != frame) {
        // The sky stopped (a pause): the rest at once, so that the picture
        // stands still from this frame on. A second draw in the same frame
        // (another scene at the same time) only copies.
        first = 0;
        count = bands;
        skyBandsBehind = 0;
    }
    if (count > 0) {
        skyCache->bind();
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, first * SKY_BAND_ROWS, w, count * SKY_BAND_ROWS);
        glClear(GL_COLOR_BUFFER_BIT);
        drawSkybox();
        glDisable(GL_SCISSOR_TEST);
        skyBand = (first + count) % bands;
        skyDirection = direction;
    }

    skyCache->copyTo((unsigned)target, viewport[0], viewport[1]);
    glViewport(viewport[0], viewport[1], w, h);
    return true;
}

void Starfield::draw(SceneState& state) {
    static quenth::Stack<QuadVertex> vertices(1024);
    float w = (float)quenth::Quenth::getScreenWidth();
    float h = (float)quenth::Quenth::getScreenHeight();

    if (drawSky) {
        aimSkyCamera();
        // The copy replaces what the target holds: only the first node of a
        // frame, drawn over the cleared image, may take it.
        if (!cacheSky || prev || !copySkyFromCache()) drawSkybox();
    }

    if (drawStars && quenth::Texture::usable(texture)) {
        vertices.clear();
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(state.projection->m);
        quenth::mat4 mv;
        mv.identity();
        mv.translate(quenth::vec3(-0.5f * w, -0.5f * h, 0));
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(mv.m);

        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        const char* base = (const char*)vertices.data;
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(QuadVertex), base + 16);
        glTexCoordPointer(2, GL_FLOAT, sizeof(QuadVertex), base + 8);
        glVertexPointer(2, GL_FLOAT, sizeof(QuadVertex), base);
        Shaders::texture_shader_fixed->bind();
        Shaders::texture_shader_fixed->setUniform("texture", 0);
        texture->bind(GL_TEXTURE0);

        for (unsigned i = 0; i < stars.count; ++i) {
            Vertex const& s = stars.data[i];
            float hw = 0.5f * starWidth * s.size, hh = 0.5f * starHeight * s.size;
            uint8_t a = (uint8_t)(int)(s.a * s.brightness);
            QuadVertex q[4] = {{s.x - hw, s.y - hh, 0, 0, s.r, s.g, s.b, a},
                               {s.x + hw, s.y - hh, 1, 0, s.r, s.g, s.b, a},
                               {s.x + hw, s.y + hh, 1, 1, s.r, s.g, s.b, a},
                               {s.x - hw, s.y + hh, 0, 1, s.r, s.g, s.b, a}};
            for (int k = 0; k < 4; ++k) vertices.push(q[k]);
            if (vertices.count == 512) {
                glDrawArrays(GL_QUADS, 0, 512);
                vertices.clear();
            }
        }
        if (vertices.count > 0) glDrawArrays(GL_QUADS, 0, vertices.count);
    }
}
