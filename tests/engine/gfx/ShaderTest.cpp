#define GL_GLEXT_PROTOTYPES
#include "engine/gfx/Shader.h"
#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "engine/math/mat2.h"
#include "engine/math/mat4.h"
#include "engine/math/vec2.h"
#include "engine/math/vec3.h"
#include "engine/math/vec4.h"
#include "tests/support/GLContext.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using namespace quenth;

namespace {

// Status queries live only here: the program itself never asks.
bool compiled(Shader const* s) {
    GLint ok = 0;
    glGetShaderiv(s->id, GL_COMPILE_STATUS, &ok);
    return ok == GL_TRUE;
}

bool linked(ShaderProgram const* p) {
    GLint ok = 0;
    glGetProgramiv(p->id, GL_LINK_STATUS, &ok);
    return ok == GL_TRUE;
}

std::string infoLog(ShaderProgram const* p) {
    char buf[2048] = {0};
    glGetProgramInfoLog(p->id, sizeof(buf), nullptr, buf);
    return buf;
}

std::string shaderLog(Shader const* s) {
    char buf[2048] = {0};
    glGetShaderInfoLog(s->id, sizeof(buf), nullptr, buf);
    return buf;
}

// Shaders attached to a program, as the GL sees them.
std::vector<GLuint> attachedShaders(ShaderProgram const* p) {
    GLuint ids[8];
    GLsizei n = 0;
    glGetAttachedShaders(p->id, 8, &n, ids);
    return std::vector<GLuint>(ids, ids + n);
}

bool has(std::vector<GLuint> const& v, GLuint id) {
    for (GLuint x : v)
        if (x == id) return true;
    return false;
}

// A scratch directory of shader files, removed afterwards.
class ShaderTest : public ::testing::Test {
public:
protected:
    std::string dir;
    void SetUp() override {
        testsupport::ensureGLContext();
        testsupport::resetGLState();
        char tmpl[] = "/tmp/gfxshaderXXXXXX";
        dir = mkdtemp(tmpl);
    }
    void TearDown() override {
        glUseProgram(0);
        std::system(("rm -rf " + dir).c_str());
    }
    void write(std::string const& file, std::string const& text) {
        FILE* f = fopen((dir + "/" + file).c_str(), "wb");
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
    }
};

// One quad over the whole viewport through the client arrays, as the scene
// code feeds the fixed programs: 2 float positions, 4 byte colours, 2 float
// texture coordinates, identity matrices.
void drawQuad(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    static const float pos[8] = {-1, -1, 1, -1, 1, 1, -1, 1};
    static const float tex[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    unsigned char col[16];
    for (int i = 0; i < 4; i++) col[i * 4] = r, col[i * 4 + 1] = g, col[i * 4 + 2] = b, col[i * 4 + 3] = a;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, pos);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, col);
    glTexCoordPointer(2, GL_FLOAT, 0, tex);
    glDrawArrays(GL_QUADS, 0, 4);
}

} // namespace

TEST_F(ShaderTest, EveryShippedProgramCompilesAndLinks) {
    const char* names[] = {"color_fixed",   "texture_fixed", "color", "texture",
                           "color_extract", "hblur",         "vblur"};
    for (const char* name : names) {
        // Each shipped program has both stages of its own.
        ASSERT_EQ(0, access((std::string("shaders/") + name + ".vert").c_str(), R_OK)) << name;
        ASSERT_EQ(0, access((std::string("shaders/") + name + ".frag").c_str(), R_OK)) << name;
        ShaderProgram* p = GfxUtil::loadShaderFromDisk("shaders", name);
        ASSERT_NE(nullptr, p->vertex) << name;
        ASSERT_NE(nullptr, p->fragment) << name;
        EXPECT_EQ(nullptr, p->geometry) << name;
        EXPECT_TRUE(compiled(p->vertex)) << name << ": " << shaderLog(p->vertex);
        EXPECT_TRUE(compiled(p->fragment)) << name << ": " << shaderLog(p->fragment);
        EXPECT_TRUE(linked(p)) << name << ": " << infoLog(p);
        delete p;
    }
}

TEST_F(ShaderTest, BrokenSourceIsCompiledButDoesNotLink) {
    write("broken.frag", "#version 120\nvoid main() { gl_FragColor = nonsense; }\n");
    ShaderProgram* p = GfxUtil::loadShaderFromDisk(dir.c_str(), "broken");
    ASSERT_NE(nullptr, p->fragment);
    EXPECT_FALSE(compiled(p->fragment));
    EXPECT_FALSE(linked(p));
    delete p;
}

TEST_F(ShaderTest, NameWithoutFilesGivesTheFallbackPairDrawingVertexColour) {
    ShaderProgram* p = GfxUtil::loadShaderFromDisk(dir.c_str(), "nothing");
    EXPECT_EQ(nullptr, p->vertex);
    EXPECT_EQ(nullptr, p->fragment);
    EXPECT_EQ(nullptr, p->geometry);
    ASSERT_NE(nullptr, ShaderProgram::default_vs);
    ASSERT_NE(nullptr, ShaderProgram::default_fs);
    std::vector<GLuint> att = attachedShaders(p);
    EXPECT_EQ(2u, att.size());
    EXPECT_TRUE(has(att, ShaderProgram::default_vs->id));
    EXPECT_TRUE(has(att, ShaderProgram::default_fs->id));
    EXPECT_TRUE(compiled(ShaderProgram::default_vs)) << shaderLog(ShaderProgram::default_vs);
    EXPECT_TRUE(compiled(ShaderProgram::default_fs)) << shaderLog(ShaderProgram::default_fs);
    ASSERT_TRUE(linked(p)) << infoLog(p);

    testsupport::clearBackBuffer(0, 0, 0, 1);
    p->bind();
    drawQuad(10, 200, 30, 255);
    testsupport::Pixel px = testsupport::readBackPixel(640, 360);
    EXPECT_EQ(10, px.r);
    EXPECT_EQ(200, px.g);
    EXPECT_EQ(30, px.b);
    p->unbind();
    delete p;
}

TEST_F(ShaderTest, FragmentFileAloneIsLinkedWithTheFallbackVertexStage) {
    write("green.frag", "#version 120\nvoid main() { gl_FragColor = vec4(0.0, 1.0, 0.0, 1.0); }\n");
    ShaderProgram* p = GfxUtil::loadShaderFromDisk(dir.c_str(), "green");
    EXPECT_EQ(nullptr, p->vertex);
    ASSERT_NE(nullptr, p->fragment);
    EXPECT_EQ(Shader::FRAGMENT, p->fragment->type);
    std::vector<GLuint> att = attachedShaders(p);
    EXPECT_EQ(2u, att.size());
    EXPECT_TRUE(has(att, ShaderProgram::default_vs->id));
    EXPECT_TRUE(has(att, p->fragment->id));
    EXPECT_FALSE(has(att, ShaderProgram::default_fs->id));
    ASSERT_TRUE(linked(p)) << infoLog(p);
    testsupport::clearBackBuffer(0, 0, 0, 1);
    p->bind();
    drawQuad(255, 0, 0, 255);
    EXPECT_EQ(255, testsupport::readBackPixel(10, 10).g);
    EXPECT_EQ(0, testsupport::readBackPixel(10, 10).r);
    delete p;
}

TEST_F(ShaderTest, ThreeFilesAttachThreeStagesWithGeometryAsItsOwnStage) {
    write("tri.vert", "#version 150 compatibility\nvoid main() { gl_Position = ftransform(); }\n");
    write("tri.geom",
          "#version 150 compatibility\nlayout(triangles) in;\nlayout(triangle_strip, max_vertices = 3) "
          "out;\nvoid main() { for (int i = 0; i < 3; i++) { gl_Position = gl_in[i].gl_Position; "
          "EmitVertex(); } EndPrimitive(); }\n");
    write("tri.frag", "#version 150 compatibility\nvoid main() { gl_FragColor = vec4(1.0); }\n");
    ShaderProgram* p = GfxUtil::loadShaderFromDisk(dir.c_str(), "tri");
    ASSERT_NE(nullptr, p->vertex);
    ASSERT_NE(nullptr, p->geometry);
    ASSERT_NE(nullptr, p->fragment);
    GLint type = 0;
    glGetShaderiv(p->geometry->id, GL_SHADER_TYPE, &type);
    EXPECT_EQ(GL_GEOMETRY_SHADER_EXT, type);
    EXPECT_EQ(Shader::GEOMETRY, p->geometry->type);
    std::vector<GLuint> att = attachedShaders(p);
    EXPECT_EQ(3u, att.size());
    EXPECT_FALSE(has(att, ShaderProgram::default_vs->id));
    EXPECT_TRUE(linked(p)) << infoLog(p);
    delete p;
}

TEST_F(ShaderTest, SourceLongerThanOneChunkIsReadWhole) {
    // Over 4095 bytes of comment before the code: a reader that stopped after
    // the first chunk would compile a shader without main.
    std::string text = "#version 120\n";
    while (text.size() < 9000) text += "// padding padding padding padding padding padding padding\n";
    text += "void main() { gl_FragColor = vec4(0.0, 0.0, 1.0, 1.0); }\n";
    write("long.frag", text);
    ShaderProgram* p = GfxUtil::loadShaderFromDisk(dir.c_str(), "long");
    ASSERT_NE(nullptr, p->fragment);
    GLint len = 0;
    glGetShaderiv(p->fragment->id, GL_SHADER_SOURCE_LENGTH, &len);
    EXPECT_EQ((GLint)text.size() + 1, len); // includes the terminating zero
    EXPECT_TRUE(compiled(p->fragment)) << shaderLog(p->fragment);
    EXPECT_TRUE(linked(p)) << infoLog(p);
    delete p;
}

TEST_F(ShaderTest, FallbacksAreCompiledOnceAndOutliveThePrograms) {
    ShaderProgram* a = new ShaderProgram();
    Shader* vs = ShaderProgram::default_vs;
    Shader* fs = ShaderProgram::default_fs;
    ShaderProgram* b = new ShaderProgram();
    EXPECT_EQ(vs, ShaderProgram::default_vs);
    EXPECT_EQ(fs, ShaderProgram::default_fs);
    a->link();
    b->link();
    EXPECT_NE(a->id, b->id);
    delete a;
    EXPECT_TRUE(glIsShader(vs->id));
    EXPECT_TRUE(glIsShader(fs->id));
    ShaderProgram* c = new ShaderProgram();
    c->link();
    EXPECT_TRUE(linked(c));
    EXPECT_TRUE(linked(b));
    delete b;
    delete c;
    // Attaching null changes nothing.
    ShaderProgram d;
    d.attach(nullptr);
    EXPECT_EQ(nullptr, d.vertex);
    EXPECT_EQ(0u, attachedShaders(&d).size());
}

TEST_F(ShaderTest, EverySetUniformOverloadReachesItsUniform) {
    const char* fs =
        "#version 120\n"
        "uniform int i; uniform float f; uniform vec2 v2; uniform vec3 v3; uniform vec4 v4;\n"
        "uniform int ia[3]; uniform float fa[3]; uniform vec2 v2a[2]; uniform vec3 v3a[2];\n"
        "uniform vec4 v4a[2]; uniform mat3x2 m2; uniform mat3x2 m2a[2]; uniform mat4 m4;\n"
        "uniform mat4 m4a[2];\n"
        "void main() { float s = float(i) + f + v2.x + v3.x + v4.x + float(ia[0] + ia[1] + ia[2])\n"
        " + fa[0] + fa[1] + fa[2] + v2a[0].x + v2a[1].x + v3a[0].x + v3a[1].x + v4a[0].x + v4a[1].x\n"
        " + m2[0][0] + m2a[0][0][0] + m2a[1][0][0] + m4[0][0] + m4a[0][0][0] + m4a[1][0][0];\n"
        " gl_FragColor = vec4(s); }\n";
    write("u.frag", fs);
    ShaderProgram* p = GfxUtil::loadShaderFromDisk(dir.c_str(), "u");
    ASSERT_TRUE(linked(p)) << infoLog(p);
    p->bind();
    auto getf = [&](char const* name, int n) {
        std::vector<float> v(16);
        glGetUniformfv(p->id, p->getUniformLocation(name), v.data());
        v.resize(n);
        return v;
    };
    auto geti = [&](char const* name) {
        GLint v = 0;
        glGetUniformiv(p->id, p->getUniformLocation(name), &v);
        return v;
    };
    p->setUniform("i", 7);
    p->setUniform("f", 2.5f);
    p->setUniform("v2", vec2(1, 2));
    p->setUniform("v3", vec3(1, 2, 3));
    p->setUniform("v4", vec4(1, 2, 3, 4));
    int ia[3] = {4, 5, 6};
    float fa[3] = {0.5f, 1.5f, 2.5f};
    vec2 v2a[2] = {vec2(1, 2), vec2(3, 4)};
    vec3 v3a[2] = {vec3(1, 2, 3), vec3(4, 5, 6)};
    vec4 v4a[2] = {vec4(1, 2, 3, 4), vec4(5, 6, 7, 8)};
    p->setUniform("ia", ia, 3);
    p->setUniform("fa", fa, 3);
    p->setUniform("v2a", v2a, 2);
    p->setUniform("v3a", v3a, 2);
    p->setUniform("v4a", v4a, 2);
    mat2 m2(1, 2, 3, 4, 5, 6);
    mat2 m2a[2] = {mat2(1, 2, 3, 4, 5, 6), mat2(7, 8, 9, 10, 11, 12)};
    mat4 m4;
    for (int k = 0; k < 16; k++) m4.m[k] = (float)k;
    mat4 m4a[2] = {m4, m4};
    m4a[1].m[15] = 99;
    p->setUniform("m2", m2);
    p->setUniform("m2a", m2a, 2);
    p->setUniform("m4", m4);
    p->setUniform("m4a", m4a, 2);

    EXPECT_EQ(7, geti("i"));
    EXPECT_EQ(std::vector<float>({2.5f}), getf("f", 1));
    EXPECT_EQ(std::vector<float>({1, 2}), getf("v2", 2));
    EXPECT_EQ(std::vector<float>({1, 2, 3}), getf("v3", 3));
    EXPECT_EQ(std::vector<float>({1, 2, 3, 4}), getf("v4", 4));
    EXPECT_EQ(6, geti("ia[2]"));
    EXPECT_EQ(std::vector<float>({2.5f}), getf("fa[2]", 1));
    EXPECT_EQ(std::vector<float>({3, 4}), getf("v2a[1]", 2));
    EXPECT_EQ(std::vector<float>({4, 5, 6}), getf("v3a[1]", 3));
    EXPECT_EQ(std::vector<float>({5, 6, 7, 8}), getf("v4a[1]", 4));
    // Column-major as stored: (a, b) is the first column, (tx, ty) the last.
    EXPECT_EQ(std::vector<float>({1, 2, 3, 4, 5, 6}), getf("m2", 6));
    EXPECT_EQ(std::vector<float>({7, 8, 9, 10, 11, 12}), getf("m2a[1]", 6));
    std::vector<float> m4v = getf("m4", 16);
    for (int k = 0; k < 16; k++) EXPECT_EQ((float)k, m4v[k]);
    EXPECT_EQ(99.0f, getf("m4a[1]", 16)[15]);
    EXPECT_EQ(-1, p->getUniformLocation("absent"));
    EXPECT_EQ(-1, p->getAttributeLocation("absent"));
    p->setUniform("absent", 1.0f); // ignored by GL
    p->unbind();
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(0, current);
    delete p;
}

TEST_F(ShaderTest, FixedProgramsDrawVertexColourAndTexelTimesColour) {
    ShaderProgram* color = GfxUtil::loadShaderFromDisk("shaders", "color_fixed");
    ShaderProgram* texture = GfxUtil::loadShaderFromDisk("shaders", "texture_fixed");
    ASSERT_TRUE(linked(color));
    ASSERT_TRUE(linked(texture));

    testsupport::clearBackBuffer(0, 0, 0, 1);
    color->bind();
    drawQuad(20, 40, 60, 255);
    testsupport::Pixel c = testsupport::readBackPixel(100, 100);
    EXPECT_EQ(20, c.r);
    EXPECT_EQ(40, c.g);
    EXPECT_EQ(60, c.b);

    // A 2 x 1 texture, left texel (200, 100, 50), right (0, 255, 0): the left
    // half of the screen shows the left texel times the vertex colour.
    Surface s(2, 1);
    s.setPixel(0, 0, 0xff3264c8u);
    s.setPixel(1, 0, 0xff00ff00u);
    Texture* t = new Texture(&s);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    t->bind(GL_TEXTURE0);
    texture->bind();
    texture->setUniform("texture", 0);
    testsupport::clearBackBuffer(0, 0, 0, 1);
    drawQuad(255, 128, 255, 255);
    testsupport::Pixel l = testsupport::readBackPixel(100, 360);
    testsupport::Pixel r = testsupport::readBackPixel(1200, 360);
    EXPECT_NEAR(200, l.r, 1);
    EXPECT_NEAR(50, l.g, 1);
    EXPECT_NEAR(50, l.b, 1);
    EXPECT_NEAR(0, r.r, 1);
    EXPECT_NEAR(128, r.g, 1);
    texture->unbind();
    delete t;
    delete color;
    delete texture;
}
