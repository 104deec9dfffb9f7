#include "engine/gfx/Camera.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Skybox.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "tests/support/GLContext.h"

#include <GL/gl.h>
#include <cmath>
#include <gtest/gtest.h>

using namespace quenth;

namespace {

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ensureGLContext();
        testsupport::resetGLState();
    }
};

void glMatrix(GLenum which, float* out) {
    glGetFloatv(which, out);
}

} // namespace

TEST_F(CameraTest, StartsAtTheOriginWithDefaults) {
    Camera c;
    EXPECT_EQ(0.0f, c.position.x);
    EXPECT_EQ(1.0f, c.up.y);
    EXPECT_EQ(0.0f, c.direction.z);
    EXPECT_FLOAT_EQ(0.1f, c.nearPlane);
    EXPECT_FLOAT_EQ(100.0f, c.farPlane);
    EXPECT_FLOAT_EQ(45.0f, c.fov);
    for (int i = 0; i < 16; i++) EXPECT_EQ(i % 5 == 0 ? 1.0f : 0.0f, c.matrix.m[i]) << i;
}

TEST_F(CameraTest, ProjectionClampsTheFieldOfViewAndUsesTheWindowAspect) {
    Camera c;
    c.fov = 200;
    c.direction = vec3(0, 0, -1);
    c.bind(Camera::PROJECTION);
    EXPECT_FLOAT_EQ(100.0f, c.fov);
    float p[16];
    glMatrix(GL_PROJECTION_MATRIX, p);
    float top = 0.1f * tanf(100.0f * 3.14159265f / 360.0f);
    float aspect = 1280.0f / 720.0f;
    EXPECT_NEAR(0.1f / top, p[5], 1e-4);
    EXPECT_NEAR(0.1f / (top * aspect), p[0], 1e-4);
    EXPECT_NEAR(-1.0f, p[11], 1e-6);
    c.bind(Camera::PROJECTION);
    EXPECT_FLOAT_EQ(100.0f, c.fov);
    c.fov = 0;
    c.bind(Camera::PROJECTION);
    EXPECT_FLOAT_EQ(0.5f, c.fov);
}

TEST_F(CameraTest, LookAtFromZFiveMapsTheOriginFiveUnitsAhead) {
    Camera c;
    c.position = vec3(0, 0, 5);
    c.lookAt(vec3(0, 0, 0));
    EXPECT_FLOAT_EQ(-1.0f, c.direction.z);
    c.bind(Camera::PROJECTION | Camera::ROTATION | Camera::TRANSLATION);
    vec3 o = c.matrix * vec3(0, 0, 0);
    EXPECT_NEAR(0.0f, o.x, 1e-6);
    EXPECT_NEAR(0.0f, o.y, 1e-6);
    EXPECT_NEAR(-5.0f, o.z, 1e-6);
    // GL holds the same model-view.
    float mv[16];
    glMatrix(GL_MODELVIEW_MATRIX, mv);
    for (int i = 0; i < 16; i++) EXPECT_FLOAT_EQ(c.matrix.m[i], mv[i]) << i;
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(GL_MODELVIEW, mode);
}

TEST_F(CameraTest, ModeBitsSelectRotationAndTranslation) {
    Camera c;
    c.position = vec3(1, 2, 3);
    c.direction = vec3(2, 0, 0); // looking along +x, normalised by bind
    c.up = vec3(0, 3, 0);
    c.bind(Camera::ROTATION);
    EXPECT_FLOAT_EQ(1.0f, c.direction.x);
    EXPECT_FLOAT_EQ(1.0f, c.up.y);
    // Rows s = (0, 0, 1), u = (0, 1, 0), -direction = (-1, 0, 0); no translation.
    EXPECT_NEAR(1.0f, c.matrix.m[8], 1e-6);
    EXPECT_NEAR(1.0f, c.matrix.m[5], 1e-6);
    EXPECT_NEAR(-1.0f, c.matrix.m[2], 1e-6);
    EXPECT_EQ(0.0f, c.matrix.m[12]);
    EXPECT_EQ(0.0f, c.matrix.m[14]);
    EXPECT_EQ(1.0f, c.matrix.m[15]);

    c.bind(Camera::TRANSLATION);
    float want[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, -2, -3, 1};
    for (int i = 0; i < 16; i++) EXPECT_FLOAT_EQ(want[i], c.matrix.m[i]) << i;
}

namespace {

class SkyboxTest : public CameraTest {
protected:
    static ShaderProgram* program;
    Texture* white = nullptr;
    Camera cam;
    Skybox box;
    void SetUp() override {
        CameraTest::SetUp();
        if (!program) program = GfxUtil::loadShaderFromDisk("shaders", "texture_fixed");
        Surface s(4, 4);
        s.replaceColor(0, 0xffffffffu);
        white = new Texture(&s);
        program->bind();
        program->setUniform("texture", 0);
        cam.direction = vec3(0, 0, -1);
        box.front = white;
        testsupport::clearBackBuffer(0, 0, 0, 0);
    }
    void TearDown() override {
        program->unbind();
        delete white;
    }
};

ShaderProgram* SkyboxTest::program = nullptr;

} // namespace

TEST_F(SkyboxTest, FaceColourIsRedFullAndBrightnessInTheOtherBytes) {
    struct {
        float brightness;
        int c;
    } cases[] = {{0.82f, 209}, {1.5f, 255}, {-0.3f, 0}, {1.0f, 255}, {1e30f, 255}, {-1e30f, 0}};
    for (auto const& k : cases) {
        box.brightness = k.brightness;
        testsupport::clearBackBuffer(0, 0, 0, 0);
        box.draw(&cam);
        testsupport::Pixel p = testsupport::readBackPixel(640, 360);
        EXPECT_EQ(255, p.r) << k.brightness;
        EXPECT_NEAR(k.c, p.g, 1) << k.brightness;
        EXPECT_NEAR(k.c, p.b, 1) << k.brightness;
        EXPECT_NEAR(k.c, p.a, 1) << k.brightness;
    }
}

TEST_F(SkyboxTest, OnlyTheSetFacesAreDrawnAndRotationTurnsTheBox) {
    box.draw(&cam);
    EXPECT_EQ(255, testsupport::readBackPixel(640, 360).r);
    EXPECT_EQ(255, testsupport::readBackPixel(5, 5).r); // the face fills the view

    // Looking backwards there is no face.
    Camera behind;
    behind.direction = vec3(0, 0, 1);
    testsupport::clearBackBuffer(0, 0, 0, 0);
    box.draw(&behind);
    EXPECT_EQ(0, testsupport::readBackPixel(640, 360).r);

    // Turned half round about y, the front face is now behind the eye.
    box.rotation = vec3(0, 180, 0);
    testsupport::clearBackBuffer(0, 0, 0, 0);
    box.draw(&cam);
    EXPECT_EQ(0, testsupport::readBackPixel(640, 360).r);
    testsupport::clearBackBuffer(0, 0, 0, 0);
    box.draw(&behind);
    EXPECT_EQ(255, testsupport::readBackPixel(640, 360).r);

    // The top face is seen looking up; no camera draws nothing.
    box.rotation = vec3(0, 0, 0);
    box.front = nullptr;
    box.top = white;
    Camera upwards;
    upwards.direction = vec3(0, 1, 0);
    upwards.up = vec3(0, 0, 1);
    testsupport::clearBackBuffer(0, 0, 0, 0);
    box.draw(&upwards);
    EXPECT_EQ(255, testsupport::readBackPixel(640, 360).r);
    testsupport::clearBackBuffer(0, 0, 0, 0);
    box.draw(nullptr);
    EXPECT_EQ(0, testsupport::readBackPixel(640, 360).r);
}
