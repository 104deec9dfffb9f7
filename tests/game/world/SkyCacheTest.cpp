#include "engine/core/GameClock.h"
#include "engine/core/Quenth.h"
#include "engine/gfx/Color.h"
#include "engine/gfx/Framebuffer.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "game/world/Starfield.h"
#include "scene/Scene2D.h"
#include "tests/support/GLContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

using quenth::Color;
using quenth::GameClock;
using quenth::Surface;
using quenth::Texture;
using testsupport::Pixel;

namespace {

// A sky face k: smooth waves and a grain of fine detail, so that a view
// that is off by a fraction of a pixel shows.
Texture* face(int k) {
    Surface s(64, 64);
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++)
            s.setPixel(x, y,
                       Color::getColor((unsigned)(128 + 100 * sinf(x * 0.4f + k)),
                                       (unsigned)(128 + 100 * sinf(y * 0.3f + k)),
                                       (x * 7 + y * 13 + k * 40) & 255, 255));
    return new Texture(&s);
}

// The largest difference of any channel between the two scenes' images.
int worstDifference(Scene2D& a, Scene2D& b) {
    std::vector<Pixel> pa =
        testsupport::readFramebufferPixels(a.framebuffer->id, a.height, 0, 0, a.width, a.height);
    std::vector<Pixel> pb =
        testsupport::readFramebufferPixels(b.framebuffer->id, b.height, 0, 0, b.width, b.height);
    int worst = 0;
    for (size_t i = 0; i < pa.size(); i++)
        worst = std::max({worst, std::abs(pa[i].r - pb[i].r), std::abs(pa[i].g - pb[i].g),
                          std::abs(pa[i].b - pb[i].b), std::abs(pa[i].a - pb[i].a)});
    return worst;
}

} // namespace

// The sky kept in an image and copied each frame shows what drawing it whole
// every frame shows: exactly on the first frame and after a jump of the
// view, closely while it drifts, and exactly again from the first frame
// after the clock stops, after which nothing is drawn again.
TEST(SkyCacheTest, CachedSkyMatchesTheSkyDrawnWhole) {
    testsupport::ensureGLContext();
    testsupport::resetGLState();
    Scene2D cachedScene(-1, -1), wholeScene(-1, -1);
    Starfield cached(0), whole(0);
    Texture* faces[6];
    for (int k = 0; k < 6; k++) faces[k] = face(k);
    for (Starfield* s : {&cached, &whole}) {
        s->drawStars = false;
        s->skybox.left = faces[0];
        s->skybox.right = faces[1];
        s->skybox.front = faces[2];
        s->skybox.back = faces[3];
        s->skybox.top = faces[4];
        s->skybox.bottom = faces[5];
    }
    whole.cacheSky = false;
    cachedScene.debugDraw = wholeScene.debugDraw = false;
    cachedScene.add(&cached);
    wholeScene.add(&whole);
    auto frame = [&] {
        quenth::Quenth::framenum++;
        cachedScene.drawWorld();
        wholeScene.drawWorld();
        quenth::Framebuffer::unbindFB();
    };

    GameClock::currentTime = 1234567;
    frame();
    ASSERT_NE(cached.skyCache, nullptr);
    EXPECT_EQ(worstDifference(cachedScene, wholeScene), 0);

    for (int i = 0; i < 30; i++) {
        GameClock::currentTime += 16;
        frame();
    }
    int bands = (720 + Starfield::SKY_BAND_ROWS - 1) / Starfield::SKY_BAND_ROWS;
    EXPECT_EQ(cached.skyBandsBehind, bands - 1);
    frame();
    EXPECT_EQ(cached.skyBandsBehind, 0);
    EXPECT_EQ(worstDifference(cachedScene, wholeScene), 0);
    int band = cached.skyBand;
    frame();
    EXPECT_EQ(cached.skyBand, band);

    // A starfield with the same sky, drawn at the same time, takes the image
    // over as it stands, mid-sweep: nothing is drawn again, and it shows the
    // same picture.
    GameClock::currentTime += 16;
    frame();
    Scene2D sameScene(-1, -1);
    sameScene.debugDraw = false;
    Starfield same(0);
    same.drawStars = false;
    same.skybox = cached.skybox;
    sameScene.add(&same);
    int sweepAt = cached.skyBand, behind = cached.skyBandsBehind;
    ASSERT_GT(behind, 0);
    sameScene.drawWorld();
    quenth::Framebuffer::unbindFB();
    EXPECT_EQ(same.skyBand, sweepAt);
    EXPECT_EQ(same.skyBandsBehind, behind);
    EXPECT_EQ(worstDifference(sameScene, cachedScene), 0);
    sameScene.clear();

    GameClock::currentTime += 60000; // many pixels at once: drawn whole
    frame();
    EXPECT_EQ(worstDifference(cachedScene, wholeScene), 0);

    // A second starfield with a sky turned otherwise shares the image and
    // shows its own sky at once; the first, drawn again unmoved, its own.
    Scene2D otherScene(-1, -1);
    otherScene.debugDraw = false;
    Starfield other(0);
    other.drawStars = false;
    other.skybox = cached.skybox;
    quenth::vec3 turned(40, 10, 0), first = whole.skybox.rotation;
    other.skybox.rotation = whole.skybox.rotation = turned;
    otherScene.add(&other);
    otherScene.drawWorld();
    wholeScene.drawWorld();
    quenth::Framebuffer::unbindFB();
    EXPECT_EQ(other.skyCache, cached.skyCache);
    EXPECT_EQ(worstDifference(otherScene, wholeScene), 0);
    whole.skybox.rotation = first;
    frame();
    EXPECT_EQ(worstDifference(cachedScene, wholeScene), 0);

    otherScene.clear();
    cachedScene.clear();
    wholeScene.clear();
    for (Texture* t : faces) delete t;
}
