#include "engine/gfx/Color.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "scene/DirectScene2D.h"
#include "scene/Group.h"
#include "scene/Scene2D.h"
#include "scene/Sprite.h"
#include "scene/Text.h"
#include "tests/scene/SceneTestNodes.h"
#include "tests/support/AllocCounter.h"
#include "tests/support/GLContext.h"
#include "tests/support/HeapCounter.h"

#include <vector>

using quenth::vec3;

namespace {

void ignore(Drawable*, SceneState&, void*) {}

// A static world of sprites and nested groups near a corner of the arena (so
// the seam rectangles are live) and a HUD with text, drawn frame after frame.
struct StaticScenes {
    Scene2D world{-1, -1};
    DirectScene2D hud{-1, -1};
    quenth::Texture* tex;
    quenth::Font* font;
    std::vector<Drawable*> nodes;

    StaticScenes() {
        world.worldSize = quenth::vec2(4096, 4096);
        world.debugDraw = false;
        hud.debugDraw = false;
        world.defaultCamera = Camera2D{200, 150, 0.9f, 10};
        quenth::Surface s(16, 16);
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++) s.setPixel(x, y, quenth::Color::getColor(255, 255, 255, 255));
        tex = new quenth::Texture(&s);
        quenth::Surface* sheet = new quenth::Surface(256, 256);
        font = new quenth::Font(sheet);
        for (int i = 0; i < 1000; i++) {
            Sprite* sp = new Sprite(tex, 12, 12);
            sp->position = vec3((float)((i * 97) % 4096), (float)((i * 389) % 4096), 0);
            world.add(sp);
            nodes.push_back(sp);
        }
        // Nested groups deeper than the stacks' first capacity.
        Container* parent = &world;
        for (int i = 0; i < 200; i++) {
            Group* g = new Group();
            if (i == 0) g->position = vec3(4000, 100, 0);
            parent->add(g);
            nodes.push_back(g);
            parent = g;
            Sprite* sp = new Sprite(tex, 8, 8);
            g->add(sp);
            nodes.push_back(sp);
        }
        Text* t = new Text(font, "Score 000000");
        t->position = vec3(20, 20, 0);
        hud.add(t);
        nodes.push_back(t);
    }

    ~StaticScenes() {
        world.clear();
        hud.clear();
        for (Drawable* d : nodes) delete d;
        delete tex;
        delete font;
    }

    void frame() {
        testsupport::clearBackBuffer(0, 0, 0, 1);
        world.draw();
        hud.draw();
    }
};

} // namespace

TEST(SceneAllocation, StaticSceneDrawsWithoutAllocating) {
    testsupport::ensureGLContext();
    testsupport::resetGLState();
    StaticScenes scenes;
    for (int i = 0; i < 20; i++) scenes.frame(); // warm-up: stacks grow, the font makes its texture

    testsupport::AllocScope scope;
    for (int i = 0; i < 300; i++) scenes.frame();
    EXPECT_EQ(scope.count(), 0u);

    // The walk alone makes no allocator call of either kind; the C allocator
    // is left out above because the GL driver may use it.
    armCAllocCounter();
    uint64_t before = cAllocCount();
    unsigned leaves = 0;
    for (int i = 0; i < 300; i++) {
        leaves = scenes.world.render(ignore, nullptr);
        scenes.hud.render(ignore, nullptr);
    }
    EXPECT_EQ(cAllocCount() - before, 0u);
    EXPECT_GT(leaves, 10u);
    EXPECT_EQ(scope.count(), 0u);
}
