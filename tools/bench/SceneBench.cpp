// Times one frame of the world scene: 10,000 sprites spread over the 4096 x
// 4096 arena, the camera near a corner so that four view rectangles are live.
// The walk (culling, colour and transform composition) is timed on its own
// through Scene2D::render with a leaf function that draws nothing; the whole
// draw() is timed up to glFinish(), so the GL work is the difference.
// Run from the run directory under a display:
//   cd build/run && xvfb-run -a -s "-screen 0 1280x720x24" ../tools/bench/bench_SceneBench

#include "engine/core/Quenth.h"
#include "engine/gfx/Color.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "scene/Scene2D.h"
#include "scene/Sprite.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

const int SPRITES = 10000;
const int WALK_FRAMES = 500;
const int DRAW_FRAMES = 100;

unsigned drawnLeaves = 0;

void countLeaf(Drawable*, SceneState&, void*) {
    drawnLeaves++;
}

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// CPU time of this thread in ms: on a shared machine less disturbed by other
// processes than the wall clock.
double threadMs() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

} // namespace

int main() {
    quenth::Quenth::init(1280, 720, "scene bench", false, false);
    Scene2D world(-1, -1);
    world.worldSize = quenth::vec2(4096, 4096);
    world.debugDraw = false;
    world.defaultCamera = Camera2D{300, 200, 1, 0};

    quenth::Surface s(16, 16);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) s.setPixel(x, y, quenth::Color::getColor(255, 255, 255, 255));
    quenth::Texture tex(&s);

    // A fixed linear congruential sequence: the same spread on every run.
    unsigned seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) & 0xffff;
    };
    std::vector<Sprite*> sprites;
    for (int i = 0; i < SPRITES; i++) {
        Sprite* sp = new Sprite(&tex, 24, 24);
        sp->position = quenth::vec3(next() % 4096, next() % 4096, 0);
        sp->setRotation((float)(next() % 360));
        world.add(sp);
        sprites.push_back(sp);
    }

    unsigned rects = 0;
    {
        struct Probe {
            static void leaf(Drawable*, SceneState& state, void* out) {
                *(unsigned*)out = state.viewRects->count;
            }
        };
        world.render(Probe::leaf, &rects);
    }

    // Warm-up: stacks reach their size, the driver compiles its paths.
    for (int i = 0; i < 10; i++) {
        world.render(countLeaf, nullptr);
        world.draw();
    }
    glFinish();

    drawnLeaves = 0;
    auto start = std::chrono::steady_clock::now();
    double cpuStart = threadMs();
    for (int i = 0; i < WALK_FRAMES; i++) world.render(countLeaf, nullptr);
    double walkMs = msSince(start) / WALK_FRAMES;
    double walkCpuMs = (threadMs() - cpuStart) / WALK_FRAMES;
    unsigned perFrame = drawnLeaves / WALK_FRAMES;

    start = std::chrono::steady_clock::now();
    for (int i = 0; i < DRAW_FRAMES; i++) {
        world.draw();
        glFinish();
    }
    double drawMs = msSince(start) / DRAW_FRAMES;

    printf("nodes: %d sprites, view rectangles: %u, drawn per frame: %u\n", SPRITES, rects, perFrame);
    printf("walk (culling + composition, no GL): %.4f ms/frame wall, %.4f ms/frame thread CPU (%d frames)\n",
           walkMs, walkCpuMs, WALK_FRAMES);
    printf("draw() up to glFinish:               %.4f ms/frame (%d frames)\n", drawMs, DRAW_FRAMES);
    printf("GL work (difference):                %.4f ms/frame\n", drawMs - walkMs);

    world.clear();
    for (Sprite* sp : sprites) delete sp;
    return 0;
}
