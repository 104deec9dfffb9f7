#include "scene/DirectScene2D.h"

#include "engine/core/Quenth.h"
#include "scene/Shaders.h"

#include <GL/gl.h>

using quenth::mat2;
using quenth::mat4;
using quenth::Stack;
using quenth::vec2;

DirectScene2D::DirectScene2D(int w, int h) {
    width = w == -1 ? quenth::Quenth::getScreenWidth() : w;
    height = h == -1 ? quenth::Quenth::getScreenHeight() : h;
    defaultCamera = Camera2D{width * 0.5f, height * 0.5f, 1.0f, 0.0f};
    lastCamera = Camera2D{0.0f, 0.0f, 1.0f, 0.0f};
    camera = &defaultCamera;
    worldSize = vec2((float)width, (float)height);
    debugDraw = true;
    wrap = true;
    skipTransparent = true;
    Shaders::init();
}

DirectScene2D::~DirectScene2D() {
    clear();
}

void DirectScene2D::setCamera(Camera2D* c) {
    camera = c ? c : &defaultCamera;
}

void DirectScene2D::resize(int w, int h) {
    Scene2D::fitSize(width, height, worldSize, defaultCamera, w, h);
}

void DirectScene2D::draw(Scene2D::LeafFunc leaf, void* user) {
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    render(leaf, user);
}

unsigned DirectScene2D::render(Scene2D::LeafFunc leaf, void* user) {
    // Separate from the world scene's stacks.
    static Stack<ViewRect> rects(128, false);
    static Stack<SceneState> states(128, false);
    static Stack<Drawable*> pending(128, false);
    rects.clear();
    states.clear();
    pending.clear();

    mat4 projection, perspective;
    SceneState root;
    Scene2D::beginFrame(*camera, lastCamera, width, height, worldSize, wrap, rects, projection, perspective,
                        root);
    bool outlines = debugDraw && !leaf;
    if (outlines) Scene2D::drawWorldOutline(root, worldSize);
    return Scene2D::walk(head, root, states, pending, skipTransparent, outlines, true, leaf, user);
}

mat2 DirectScene2D::screenToWorldMatrix() const {
    return Scene2D::makeScreenToWorld(*camera, width, height, worldSize);
}

vec2 DirectScene2D::screenToWorld(vec2 const& p) const {
    return screenToWorldMatrix() * p;
}

mat2 DirectScene2D::worldToScreenMatrix() const {
    return Scene2D::makeWorldToScreen(*camera, width, height, worldSize);
}

vec2 DirectScene2D::worldToScreen(vec2 const& p) const {
    return worldToScreenMatrix() * p;
}
