#include "scene/Scene2D.h"

#include "engine/core/Quenth.h"
#include "engine/gfx/Framebuffer.h"
#include "engine/gfx/ShaderProgram.h"
#include "engine/gfx/Texture.h"
#include "engine/math/Math.h"
#include "scene/Group.h"
#include "scene/Shaders.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

using quenth::mat2;
using quenth::mat4;
using quenth::Math;
using quenth::Stack;
using quenth::vec2;
using quenth::vec3;

// What a leaf's colour and texture-coordinate pointers show unless it sets
// its own: opaque white and the whole texture.
static const unsigned char defaultColors[16] = {255, 255, 255, 255, 255, 255, 255, 255,
                                                255, 255, 255, 255, 255, 255, 255, 255};
static const float defaultTexCoords[8] = {0, 0, 1, 0, 1, 1, 0, 1};

// Capacity of the traversal stacks; they double when groups nest deeper.
static const unsigned STACK_CAPACITY = 128;

Scene2D::Scene2D(int w, int h) {
    width = w == -1 ? quenth::Quenth::getScreenWidth() : w;
    height = h == -1 ? quenth::Quenth::getScreenHeight() : h;
    // One colour image: nothing draws into further attachments or tests depth.
    framebuffer = new quenth::Framebuffer(width, height, quenth::Framebuffer::COLOR0);
    for (int i = 0; i < 4; i++) colorTextures[i] = framebuffer->color[i];
    defaultCamera = Camera2D{width * 0.5f, height * 0.5f, 1.0f, 0.0f};
    lastCamera = Camera2D{0.0f, 0.0f, 1.0f, 0.0f};
    camera = &defaultCamera;
    worldSize = vec2((float)width, (float)height);
    debugDraw = true;
    wrap = true;
    skipTransparent = true;
    Shaders::init();
}

Scene2D::~Scene2D() {
    clear();
}

void Scene2D::setCamera(Camera2D* c) {
    camera = c ? c : &defaultCamera;
}

void Scene2D::fitSize(int& width, int& height, vec2& worldSize, Camera2D& defaultCamera, int w, int h) {
    if (worldSize.x == (float)width && worldSize.y == (float)height) worldSize = vec2((float)w, (float)h);
    if (defaultCamera.x == width * 0.5f && defaultCamera.y == height * 0.5f) {
        defaultCamera.x = w * 0.5f;
        defaultCamera.y = h * 0.5f;
    }
    width = w;
    height = h;
}

void Scene2D::resize(int w, int h) {
    if (w == width && h == height) return;
    delete framebuffer;
    framebuffer = new quenth::Framebuffer(w, h, quenth::Framebuffer::COLOR0);
    for (int i = 0; i < 4; i++) colorTextures[i] = framebuffer->color[i];
    fitSize(width, height, worldSize, defaultCamera, w, h);
}

void Scene2D::draw() {
    drawWorld();
    composite();
}

void Scene2D::drawWorld(LeafFunc leaf, void* user) {
    framebuffer->bind();
    glClear(GL_COLOR_BUFFER_BIT);
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

void Scene2D::composite() {
    framebuffer->unbind();
    // The image replaces the window's pixels whole: what the window held is
    // never seen, so it needs no clear, and nothing is blended. A blit is a
    // plain copy; without it one unblended quad does the same.
    if (framebuffer->width == (unsigned)quenth::Quenth::getScreenWidth() &&
        framebuffer->height == (unsigned)quenth::Quenth::getScreenHeight() && framebuffer->copyTo(0, 0, 0))
        return;
    // The textured program is bound here rather than relying on the last
    // node drawn: after a colour-only draw (an outline, the fader of the
    // previous frame, an empty scene) the quad would otherwise come out in
    // plain vertex white and hide the whole window.
    colorTextures[0]->bind(GL_TEXTURE0);
    Shaders::texture_shader_fixed->bind();
    Shaders::texture_shader_fixed->setUniform("texture", 0);
    glDisable(GL_BLEND);
    quenth::Quenth::fillScreen();
    glEnable(GL_BLEND);
}

unsigned Scene2D::render(LeafFunc leaf, void* user) {
    static Stack<ViewRect> rects(STACK_CAPACITY, false);
    static Stack<SceneState> states(STACK_CAPACITY, false);
    static Stack<Drawable*> pending(STACK_CAPACITY, false);
    rects.clear();
    states.clear();
    pending.clear();

    // The root state points at these two for the length of the walk.
    mat4 projection, perspective;
    SceneState root;
    beginFrame(*camera, lastCamera, width, height, worldSize, wrap, rects, projection, perspective, root);
    bool outlines = debugDraw && !leaf;
    if (outlines) drawWorldOutline(root, worldSize);
    return walk(head, root, states, pending, skipTransparent, outlines, false, leaf, user);
}

mat2 Scene2D::makeScreenToWorld(Camera2D const& camera, int width, int height, vec2 const& worldSize) {
    float cx = Math::wrapf(camera.x, 0.0f, worldSize.x);
    float cy = Math::wrapf(camera.y, 0.0f, worldSize.y);
    mat2 m;
    m.identity();
    m.translate(cx, cy);
    m.rotate(Math::toRadian(camera.rotation));
    m.scale(camera.zoom == 0.0f ? 0.0f : 1.0f / camera.zoom);
    m.translate(-width * 0.5f, -height * 0.5f);
    return m;
}

mat2 Scene2D::makeWorldToScreen(Camera2D const& camera, int width, int height, vec2 const& worldSize) {
    float cx = Math::wrapf(camera.x, 0.0f, worldSize.x);
    float cy = Math::wrapf(camera.y, 0.0f, worldSize.y);
    mat2 m;
    m.identity();
    m.translate(width * 0.5f, height * 0.5f);
    m.scale(camera.zoom);
    m.rotate(Math::toRadian(-camera.rotation));
    m.translate(-cx, -cy);
    return m;
}

mat2 Scene2D::screenToWorldMatrix() const {
    return makeScreenToWorld(*camera, width, height, worldSize);
}

vec2 Scene2D::screenToWorld(vec2 const& p) const {
    return screenToWorldMatrix() * p;
}

mat2 Scene2D::worldToScreenMatrix() const {
    return makeWorldToScreen(*camera, width, height, worldSize);
}

vec2 Scene2D::worldToScreen(vec2 const& p) const {
    return worldToScreenMatrix() * p;
}

void Scene2D::computeViewRects(Stack<ViewRect>& rects, float cx, float cy, float vw, float vh,
                               vec2 const& worldSize, bool wrap) {
    rects.push(ViewRect{-vw / 2, -vh / 2, vw, vh, 0, 0});
    if (!wrap) return;
    float W = worldSize.x, H = worldSize.y;
    bool top = cy - vh / 2 <= 0;
    bool left = cx - vw / 2 <= 0;
    bool right = cx + vw / 2 >= W;
    bool bottom = cy + vh / 2 >= H;
    // The seam rectangles reach two or four views deep so that large objects
    // and the zoomed-out view are still caught.
    if (top) rects.push(ViewRect{-vw / 2, H - 2 * vh, vw, 4 * vh, 0, -H});
    if (left && top) rects.push(ViewRect{W - vw, H - 2 * vh, 2 * vw, 4 * vh, -W, -H});
    if (left) rects.push(ViewRect{W - vw, -vh / 2, 2 * vw, vh, -W, 0});
    if (right && top) rects.push(ViewRect{-vw / 2 - W, H - 2 * vh, 2 * vw, 4 * vh, W, -H});
    if (right) rects.push(ViewRect{-vw / 2 - W, -vh / 2, 2 * vw, vh, W, 0});
    if (bottom) rects.push(ViewRect{-vw / 2, -vh / 2 - H, vw, 2 * vh, 0, H});
    if (left && bottom) rects.push(ViewRect{W - vw, -vh / 2 - H, 2 * vw, 2 * vh, -W, H});
    if (right && bottom) rects.push(ViewRect{-vw / 2 - W, -vh / 2 - H, 2 * vw, 2 * vh, W, H});
}

static inline bool inside(ViewRect const& r, float px, float py) {
    return r.x <= px && px <= r.x + r.w && r.y <= py && py <= r.y + r.h;
}

int Scene2D::findViewRect(Stack<ViewRect>& rects, float x, float y, float w, float h) {
    for (unsigned i = 0; i < rects.count; i++) {
        ViewRect const& r = rects[i];
        if (inside(r, x, y) || inside(r, x + w, y + h) || inside(r, x, y + h) || inside(r, x + w, y))
            return (int)i;
    }
    return -1;
}

void Scene2D::beginFrame(Camera2D& camera, Camera2D& lastCamera, int width, int height, vec2 const& worldSize,
                         bool wrap, Stack<ViewRect>& rects, mat4& projection, mat4& perspective,
                         SceneState& root) {
    // Also catches a NaN zoom, which would otherwise cull everything.
    if (!(camera.zoom > 0.01f)) camera.zoom = 0.01f;
    float zoom = camera.zoom;
    float vw = width / zoom, vh = height / zoom;
    float cx = camera.x, cy = camera.y;
    if (wrap) {
        cx = Math::wrapf(cx, 0.0f, worldSize.x);
        cy = Math::wrapf(cy, 0.0f, worldSize.y);
    }
    computeViewRects(rects, cx, cy, vw, vh, worldSize, wrap);

    float hw = width * 0.5f, hh = height * 0.5f;
    projection = mat4::createOrthoMatrix(-hw, hw, -hh, hh, -10, 10);
    perspective = mat4::createProjectionMatrix(-hw * 0.5f, hw * 0.5f, -hh * 0.5f, hh * 0.5f, 1, 10);
    root.viewRects = &rects;
    root.color = Drawable::RGBA{255, 255, 255, 255};
    root.projection = &projection;
    root.perspective = &perspective;
    root.transform.identity();
    root.transform.scale(zoom);
    root.transform.rotate(Math::toRadian(-camera.rotation));
    root.transform.translate(-cx, -cy);
    root.modelView = root.transform;
    root.modelView.translate(vec3(0, 0, 2));
    root.cameraDelta = vec3(camera.x - lastCamera.x, camera.y - lastCamera.y, 0);
    lastCamera = camera;
}

static void blendFunctionFor(unsigned flags) {
    if (flags & DRAW_MODE_BLEND)
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    else if (flags & DRAW_MODE_ADD)
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    else if (flags & DRAW_MODE_SRC_COLOR)
        glBlendFunc(GL_SRC_ALPHA, GL_SRC_COLOR);
    else
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void Scene2D::drawLeaf(Drawable* node, SceneState& state) {
    glMatrixMode(GL_PROJECTION);
    if (node->flags & DRAWABLE_3D) {
        glLoadMatrixf(state.perspective->m);
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(state.modelView.m);
    } else {
        mat4 modelView = state.transform;
        glLoadMatrixf(state.projection->m);
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(modelView.m);
    }
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    blendFunctionFor(node->flags);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, defaultColors);
    glTexCoordPointer(2, GL_FLOAT, 0, defaultTexCoords);
    Shaders::texture_shader_fixed->bind();
    Shaders::texture_shader_fixed->setUniform("texture", 0);
    node->draw(state);
}

static void drawLineLoop(mat4 const& projection, mat4 const& modelView, float width, float const* vertices,
                         unsigned char const* colors) {
    Shaders::color_shader_fixed->bind();
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection.m);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(modelView.m);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glLineWidth(width);
    glVertexPointer(2, GL_FLOAT, 0, vertices);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, colors);
    glDrawArrays(GL_LINE_LOOP, 0, 4);
}

void Scene2D::drawWorldOutline(SceneState const& root, vec2 const& worldSize) {
    static const unsigned char colors[16] = {255, 255, 255, 192, 255, 255, 255, 192,
                                             255, 255, 255, 192, 255, 255, 255, 192};
    float W = worldSize.x, H = worldSize.y;
    float vertices[8] = {0, 0, W, 0, W, H, 0, H};
    mat4 modelView = root.transform;
    drawLineLoop(*root.projection, modelView, 3.0f, vertices, colors);
}

static void drawNodeOutline(SceneState const& state, float x, float y, float w, float h) {
    static const unsigned char colors[16] = {0, 255, 0, 192, 255, 0, 0, 192, 0, 0, 255, 192, 255, 0, 0, 192};
    float vertices[8] = {x, y, x + w, y, x + w, y + h, x, y + h};
    mat4 identity;
    identity.identity();
    drawLineLoop(*state.projection, identity, 1.0f, vertices, colors);
}

// The node's transform under the parent's: parent, then translate(x, y),
// rotate, scale, written out so that the sine and cosine (s, k) are taken once
// per node; the arithmetic is that of the mat2 operations.
static inline void placeNode(mat2 const& p, float x, float y, float s, float k, float scale, mat2& out) {
    out.tx = p.tx + (p.a * x + p.c * y);
    out.ty = p.ty + (p.b * x + p.d * y);
    out.a = (k * p.a - s * p.c) * scale;
    out.b = (k * p.b - s * p.d) * scale;
    out.c = (s * p.a + k * p.c) * scale;
    out.d = (s * p.b + k * p.d) * scale;
}

// True when the node's rectangle, whatever its rotation, cannot have a corner
// in any view rectangle: a box around the circle that holds every corner
// misses them all. It spares most culled nodes the sine and cosine; a node
// that passes is culled exactly as before. The slack covers rounding.
static inline bool surelyOutside(mat2 const& p, Drawable const* node, Stack<ViewRect>& rects) {
    float rx = std::fabs(node->hotSpot.x) + std::fabs(node->size.x) * 0.5f;
    float ry = std::fabs(node->hotSpot.y) + std::fabs(node->size.y) * 0.5f;
    float r = (rx + ry) * node->scale * 1.001f + 0.001f;
    float cx = p.a * node->position.x + p.c * node->position.y + p.tx;
    float cy = p.b * node->position.x + p.d * node->position.y + p.ty;
    float ex = r * (std::fabs(p.a) + std::fabs(p.c));
    float ey = r * (std::fabs(p.b) + std::fabs(p.d));
    for (unsigned i = 0; i < rects.count; i++) {
        ViewRect const& v = rects.data[i];
        if (cx - ex <= v.x + v.w && cx + ex >= v.x && cy - ey <= v.y + v.h && cy + ey >= v.y) return false;
    }
    return true;
}

// Screen-space bounds of a node's rectangle under its transform t.
static inline void bounds2D(mat2 const& t, Drawable const* node, float& x, float& y, float& w, float& h) {
    float hx = node->size.x * 0.5f, hy = node->size.y * 0.5f;
    float x0 = node->hotSpot.x - hx, x1 = node->hotSpot.x + hx;
    float y0 = node->hotSpot.y - hy, y1 = node->hotSpot.y + hy;
    float cx[4] = {t.a * x0 + t.c * y0 + t.tx, t.a * x1 + t.c * y0 + t.tx, t.a * x0 + t.c * y1 + t.tx,
                   t.a * x1 + t.c * y1 + t.tx};
    float cy[4] = {t.b * x0 + t.d * y0 + t.ty, t.b * x1 + t.d * y0 + t.ty, t.b * x0 + t.d * y1 + t.ty,
                   t.b * x1 + t.d * y1 + t.ty};
    float minX = std::min(std::min(cx[0], cx[1]), std::min(cx[2], cx[3]));
    float maxX = std::max(std::max(cx[0], cx[1]), std::max(cx[2], cx[3]));
    float minY = std::min(std::min(cy[0], cy[1]), std::min(cy[2], cy[3]));
    float maxY = std::max(std::max(cy[0], cy[1]), std::max(cy[2], cy[3]));
    x = minX;
    y = minY;
    w = maxX - minX;
    h = maxY - minY;
}

// Bounds of a 3D node's box under the model-view m, projected flat (no
// division by w).
static void bounds3D(mat4 const& parent, Drawable const* node, float& x, float& y, float& w, float& h) {
    mat4 m = parent;
    m.translate(node->position);
    m.rotate(vec3(Math::toRadian(node->rotation.x), Math::toRadian(node->rotation.y),
                  Math::toRadian(node->rotation.z)));
    m.scale(node->scale);
    vec3 half = node->size * 0.5f;
    float minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = 0; i < 8; i++) {
        vec3 c(node->hotSpot.x + ((i & 1) ? half.x : -half.x), node->hotSpot.y + ((i & 2) ? half.y : -half.y),
               node->hotSpot.z + ((i & 4) ? half.z : -half.z));
        vec3 p = m * c;
        if (i == 0 || p.x < minX) minX = p.x;
        if (i == 0 || p.x > maxX) maxX = p.x;
        if (i == 0 || p.y < minY) minY = p.y;
        if (i == 0 || p.y > maxY) maxY = p.y;
    }
    x = minX;
    y = minY;
    w = maxX - minX;
    h = maxY - minY;
}

unsigned Scene2D::walk(Drawable* first, SceneState const& root, Stack<SceneState>& states,
                       Stack<Drawable*>& pending, bool skipTransparent, bool outlines, bool placement3D,
                       LeafFunc leaf, void* user) {
    Stack<ViewRect>& rects = *root.viewRects;
    SceneState state = root;
    unsigned leaves = 0;
    Drawable* current = first;
    for (;;) {
        if (!current) {
            // The end of a group's children: resume with the group's next
            // sibling in the state the group was entered with.
            if (pending.count == 0) break;
            current = pending.pop();
            state = states.pop();
            continue;
        }
        Drawable* node = current;
        current = node->next;
        unsigned flags = node->flags;
        if (!(flags & DRAWABLE_VISIBLE)) continue;
        unsigned char alpha = SceneState::composeChannel(node->blendColor.a, state.color.a);
        if (skipTransparent && alpha == 0) continue;

        bool effect = (flags & DRAWABLE_EFFECT) != 0;
        bool placed3D = placement3D && (flags & DRAWABLE_3D);
        float offsetX = 0, offsetY = 0;
        float bx = 0, by = 0, bw = 0, bh = 0;
        float sine = 0, cosine = 1;
        mat2 placed;
        if (!effect) {
            if (flags & DRAWABLE_DIRTY) node->updateSize();
            if (!placed3D && surelyOutside(state.transform, node, rects)) continue;
            if (node->rotation.z != 0) {
                sincosf(Math::toRadian(node->rotation.z), &sine, &cosine);
            }
            placeNode(state.transform, node->position.x, node->position.y, sine, cosine, node->scale, placed);
            if (placed3D)
                bounds3D(state.modelView, node, bx, by, bw, bh);
            else
                bounds2D(placed, node, bx, by, bw, bh);
            int r = findViewRect(rects, bx, by, bw, bh);
            if (r < 0) continue;
            offsetX = rects[r].offsetX;
            offsetY = rects[r].offsetY;
            if (offsetX != 0 || offsetY != 0)
                placeNode(state.transform, node->position.x + offsetX, node->position.y + offsetY, sine,
                          cosine, node->scale, placed);
        }

        states.push(state);
        state.color.r = SceneState::composeChannel(node->blendColor.r, state.color.r);
        state.color.g = SceneState::composeChannel(node->blendColor.g, state.color.g);
        state.color.b = SceneState::composeChannel(node->blendColor.b, state.color.b);
        state.color.a = alpha;
        if (!effect) {
            state.transform = placed;
            if (placed3D) {
                state.modelView.translate(
                    vec3(node->position.x + offsetX, node->position.y + offsetY, node->position.z));
                state.modelView.rotate(vec3(Math::toRadian(node->rotation.x),
                                            Math::toRadian(node->rotation.y),
                                            Math::toRadian(node->rotation.z)));
                state.modelView.scale(node->scale);
            }
            if (outlines) drawNodeOutline(state, bx, by, bw, bh);
        }

        if (flags & DRAWABLE_GROUP) {
            // The pending sibling may be null: the pop above then simply
            // continues with the enclosing group's end.
            pending.push(current);
            current = static_cast<Group*>(node)->head;
            continue;
        }

        // The node may unlink or delete itself while drawing; it is not
        // touched afterwards.
        if (leaf)
            leaf(node, state, user);
        else
            drawLeaf(node, state);
        leaves++;
        state = states.pop();
    }
    return leaves;
}
