#include "engine/gfx/GfxUtil.h"

#include "engine/gfx/Color.h"
#include "engine/gfx/Shader.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Surface.h"
#include "engine/math/Math.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace quenth {

namespace {

bool fileExists(std::string const& path) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    fclose(f);
    return true;
}

// Reads the whole file into out in chunks of at most 4095 bytes; a file that
// vanished since it was probed reads as empty.
void readFile(std::string const& path, std::string& out) {
    out.clear();
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf) - 1, f)) > 0) {
        buf[n] = 0;
        out.append(buf, n);
    }
    fclose(f);
}

} // namespace

ShaderProgram* GfxUtil::loadShaderFromDisk(char const* dir, char const* name) {
    static const char* const EXT[3] = {".vert", ".geom", ".frag"};
    static const char STAGE[3] = {Shader::VERTEX, Shader::GEOMETRY, Shader::FRAGMENT};
    std::string base = std::string(dir ? dir : ".") + "/" + (name ? name : "");
    std::string source;
    source.reserve(8096);
    bool exists[3];
    for (int i = 0; i < 3; i++) exists[i] = fileExists(base + EXT[i]);
    Shader* stages[3] = {nullptr, nullptr, nullptr};
    for (int i = 0; i < 3; i++) {
        if (!exists[i]) continue;
        readFile(base + EXT[i], source);
        stages[i] = new Shader(STAGE[i], source.c_str(), (int)source.size());
    }
    ShaderProgram* p = new ShaderProgram();
    for (int i = 0; i < 3; i++) p->attach(stages[i]);
    p->link();
    return p;
}

bool GfxUtil::hasExtension(char const* name) {
    char const* list = (char const*)glGetString(GL_EXTENSIONS);
    size_t n = strlen(name);
    for (char const* at = list; at && (at = strstr(at, name)); at += n)
        if ((at == list || at[-1] == ' ') && (at[n] == ' ' || at[n] == 0)) return true;
    return false;
}

void GfxUtil::drawGradientCircle(Surface* s, int cx, int cy, int r, unsigned edge, unsigned center) {
    if (!s || r <= 0) return;
    for (int y = cy - r; y < cy + r; y++) {
        for (int x = cx - r; x < cx + r; x++) {
            float dx = (float)(x > cx ? x - cx : cx - x);
            float dy = (float)(y > cy ? y - cy : cy - y);
            float d = sqrtf(dx * dx + dy * dy);
            if (d > (float)r) continue;
            float f = 1.0f - d / (float)r;
            unsigned red = (unsigned)Math::sin_lerp(f, (float)Color::getR(edge), (float)Color::getR(center));
            unsigned green =
                (unsigned)Math::sin_lerp(f, (float)Color::getG(edge), (float)Color::getG(center));
            unsigned blue = (unsigned)Math::sin_lerp(f, (float)Color::getB(edge), (float)Color::getB(center));
            s->setPixel(x, y, Color::getColor(red, green, blue, 255));
        }
    }
}

void GfxUtil::drawGradientEllipse(Surface*, int, int, int, int, unsigned, unsigned) {}

void GfxUtil::blurSurface(Surface* s, int radius) {
    if (s) blurSurface(s, 0, 0, s->width, s->height, radius);
}

void GfxUtil::blurSurface(Surface*, int, int, int, int, int) {}

} // namespace quenth
