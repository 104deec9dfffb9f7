// The generated pictures as the game sees them: every file of the resource
// table decodes through the game's loader at the expected size; sprites have
// clear borders (textures repeat and are filtered linearly); font sheets hold
// every printable character; the sky box faces join along all twelve cube
// edges as the sky box draws them; the power-up animation loops.
#include "engine/gfx/ImageLoader.h"
#include "engine/gfx/Surface.h"
#include "tests/support/GLContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using quenth::ImageLoader;
using quenth::Surface;

unsigned R(unsigned c) {
    return c & 255;
}
unsigned G(unsigned c) {
    return (c >> 8) & 255;
}
unsigned B(unsigned c) {
    return (c >> 16) & 255;
}
unsigned A(unsigned c) {
    return c >> 24;
}
unsigned brightest(unsigned c) {
    return std::max(R(c), std::max(G(c), B(c)));
}
// What a pixel adds when drawn additively (source alpha, one).
unsigned light(unsigned c) {
    return brightest(c) * A(c) / 255;
}

std::unique_ptr<Surface> load(const std::string& path) {
    testsupport::ensureGLContext();
    Surface* s = ImageLoader::load(path.c_str(), false);
    EXPECT_EQ(ImageLoader::lastError, ImageLoader::OK) << path;
    return std::unique_ptr<Surface>(s);
}

// How a picture is drawn decides what it must look like.
enum Kind {
    SPRITE, // alpha-blended: transparent at the border
    LIGHT,  // additive light as colour with coverage: clear at the border
    SKY,    // additive sky face: opaque, reaches its edges
    FONT,   // font sheet: white glyphs on transparent
};

struct Expect {
    const char* file;
    int width, height;
    Kind kind;
};

const Expect kPictures[] = {
    {"title", 1024, 256, SPRITE},
    {"reticle", 64, 64, SPRITE},
    {"reticle_glow", 64, 64, LIGHT},
    {"star", 64, 32, LIGHT},
    {"sky_top", 512, 512, SKY},
    {"sky_bottom", 512, 512, SKY},
    {"sky_left", 512, 512, SKY},
    {"sky_right", 512, 512, SKY},
    {"sky_front", 512, 512, SKY},
    {"sky_back", 512, 512, SKY},
    {"player_top", 128, 128, SPRITE},
    {"player_mid", 128, 128, SPRITE},
    {"player_bot", 128, 128, SPRITE},
    {"player_glow_top", 128, 128, LIGHT},
    {"player_glow_bot", 128, 128, LIGHT},
    {"slaser", 128, 32, LIGHT}, // repeats along u: only its long sides are black
    {"plasmabullet", 64, 64, LIGHT},
    {"powerup_anim", 1024, 1024, SPRITE},
    {"powerup_glow_anim", 1024, 1024, LIGHT},
    {"enemy_fighter", 128, 128, SPRITE},
    {"enemy_fighter_glow", 128, 128, LIGHT},
    {"enemy_fighter2", 256, 256, SPRITE},
    {"enemy_fighter2_glow", 256, 256, LIGHT},
    {"enemy_hammerhead", 256, 256, SPRITE},
    {"enemy_hammerhead_glow", 256, 256, LIGHT},
    {"enemy_probe", 128, 128, SPRITE},
    {"enemy_probe_glow", 128, 128, LIGHT},
    {"enemy_probe2", 128, 128, SPRITE},
    {"enemy_probe2_glow", 128, 128, LIGHT},
    {"enemy_probe3", 128, 128, SPRITE},
    {"enemy_probe3_glow", 128, 128, LIGHT},
    {"hud_radar_dials", 512, 512, SPRITE},
    {"hud_radar_mask", 512, 512, SPRITE},
    {"hud_bars_mask", 512, 256, SPRITE},
    {"hud_score", 512, 128, SPRITE},
    {"hud_power_dials", 512, 256, SPRITE},
    {"hugefont", 320, 512, FONT},
    {"medfont", 160, 256, FONT},
    {"smallfont", 128, 192, FONT},
    {"minifont", 96, 160, FONT},
};

TEST(AssetInventoryTest, EveryPictureLoadsAtItsSizeWithTheRightBorders) {
    for (const Expect& e : kPictures) {
        SCOPED_TRACE(e.file);
        std::unique_ptr<Surface> s = load(std::string("gfx/") + e.file + ".png");
        ASSERT_TRUE(s);
        EXPECT_EQ(s->width, e.width);
        EXPECT_EQ(s->height, e.height);
        unsigned minA = 255, maxA = 0, maxBright = 0, maxBorderA = 0;
        for (int y = 0; y < s->height; ++y)
            for (int x = 0; x < s->width; ++x) {
                unsigned c = s->getPixel(x, y);
                minA = std::min(minA, A(c));
                maxA = std::max(maxA, A(c));
                maxBright = std::max(maxBright, brightest(c));
                bool edgeX = x == 0 || x == s->width - 1, edgeY = y == 0 || y == s->height - 1;
                bool border = edgeY || (edgeX && std::string(e.file) != "slaser");
                if (border) maxBorderA = std::max(maxBorderA, A(c));
            }
        switch (e.kind) {
            case SPRITE:
            case FONT:
                EXPECT_EQ(minA, 0u) << "uses its alpha channel";
                EXPECT_GE(maxA, 200u) << "has solid parts";
                EXPECT_LE(maxBorderA, 4u) << "border must stay clear";
                break;
            case LIGHT:
                // Light carries its strength in alpha: an opaque square would
                // raise the world image's alpha round every glow.
                EXPECT_EQ(minA, 0u) << "light is transparent where it is dark";
                EXPECT_GE(maxA, 128u) << "has a bright part";
                EXPECT_LE(maxBorderA, 4u) << "fades out before the border";
                break;
            case SKY:
                EXPECT_EQ(minA, 255u);
                EXPECT_GE(maxBright, 60u) << "shows some nebula";
                break;
        }
    }
}

TEST(AssetInventoryTest, IconsExistAtTheirSizes) {
    for (int size : {48, 128, 256}) {
        std::string path =
            "../icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/vorlane.png";
        SCOPED_TRACE(path);
        std::unique_ptr<Surface> s = load(path);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->width, size);
        EXPECT_EQ(s->height, size);
        EXPECT_EQ(A(s->getPixel(0, 0)), 0u) << "rounded corner is transparent";
        EXPECT_EQ(A(s->getPixel(size / 2, size / 2)), 255u);
    }
}

// Font sheets: 16 x 16 cells; code c in column c % 16 and row c / 16. Text
// advances by one cell, so cells are narrow like a monospace face's advance:
// a width of 0.55 to 0.7 of their height, whole pixels in both directions.
TEST(AssetInventoryTest, FontSheetsHoldEveryPrintableCharacterOnOneBaseline) {
    for (const char* name : {"hugefont", "medfont", "smallfont", "minifont"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<Surface> s = load(std::string("gfx/") + name + ".png");
        ASSERT_TRUE(s);
        const int cw = s->width / 16, ch = s->height / 16;
        EXPECT_EQ(s->width % 16, 0);
        EXPECT_EQ(s->height % 16, 0);
        EXPECT_GE(cw, 0.55 * ch) << "cell width";
        EXPECT_LE(cw, 0.7 * ch) << "cell width";
        std::vector<int> capBottoms;
        int widestInk = 0; // columns
        for (int code = 0; code < 128; ++code) {
            const int x0 = code % 16 * cw, y0 = code / 16 * ch;
            int ink = 0, bottom = -1, inkLeft = cw, inkRight = -1;
            bool edgeInk = false, allWhite = true;
            for (int y = 0; y < ch; ++y)
                for (int x = 0; x < cw; ++x) {
                    unsigned c = s->getPixel(x0 + x, y0 + y);
                    if (A(c) > 80) {
                        ++ink;
                        bottom = y;
                        inkLeft = std::min(inkLeft, x);
                        inkRight = std::max(inkRight, x);
                    }
                    if (A(c) > 0 && (R(c) < 250 || G(c) < 250 || B(c) < 250)) allWhite = false;
                    if (A(c) > 0 && (x == 0 || x == cw - 1 || y == 0 || y == ch - 1)) edgeInk = true;
                }
            if (code >= 33 && code <= 126) {
                EXPECT_GT(ink, 0) << "no glyph for code " << code;
                EXPECT_FALSE(edgeInk) << "glyph " << code << " touches its cell's edge";
                EXPECT_TRUE(allWhite) << "glyph " << code << " is not white";
                if (std::isupper(code) && code != 'J' && code != 'Q') capBottoms.push_back(bottom);
                widestInk = std::max(widestInk, inkRight - inkLeft + 1);
            } else {
                EXPECT_EQ(ink, 0) << "code " << code << " should be empty";
            }
        }
        ASSERT_EQ(capBottoms.size(), 24u);
        auto mm = std::minmax_element(capBottoms.begin(), capBottoms.end());
        EXPECT_LE(*mm.second - *mm.first, 1) << "capitals sit on one baseline";
        // The full-width glyphs (M, W, m, w) nearly fill their cell: the gap
        // between two of them is a letter spacing, at most a quarter of the
        // cell height, not a blank column.
        EXPECT_LE(cw - widestInk, ch / 4) << "gap beside the widest glyph, in pixels";
    }
}

// Each glow belongs to its body: its light gathers along the hull's outline.
// It correlates with the softened outline, and clearly better than the same
// glow moved by an eighth of the picture would.
double correlation(const std::vector<double>& a, const std::vector<double>& b) {
    double ma = 0, mb = 0;
    for (size_t i = 0; i < a.size(); ++i) ma += a[i], mb += b[i];
    ma /= a.size();
    mb /= b.size();
    double sab = 0, saa = 0, sbb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        sab += (a[i] - ma) * (b[i] - mb);
        saa += (a[i] - ma) * (a[i] - ma);
        sbb += (b[i] - mb) * (b[i] - mb);
    }
    return sab / std::sqrt(saa * sbb);
}

TEST(AssetInventoryTest, EnemyGlowsFollowTheirBodies) {
    for (const char* name : {"fighter", "fighter2", "hammerhead", "probe", "probe2", "probe3"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<Surface> body = load(std::string("gfx/enemy_") + name + ".png");
        std::unique_ptr<Surface> glow = load(std::string("gfx/enemy_") + name + "_glow.png");
        ASSERT_TRUE(body && glow);
        ASSERT_EQ(body->width, glow->width);
        ASSERT_EQ(body->height, glow->height);
        const int w = body->width, h = body->height, r = w / 32, shift = w / 8;
        auto alpha = [&](int x, int y) { return static_cast<double>(A(body->getPixel(x, y))); };
        // The outline: how fast the hull's alpha changes, softened by a box of radius r.
        std::vector<double> edge(w * h), soft(w * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                edge[y * w + x] = std::fabs(alpha(x + 1, y) - alpha(x - 1, y)) +
                                  std::fabs(alpha(x, y + 1) - alpha(x, y - 1));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                double sum = 0;
                for (int j = std::max(0, y - r); j <= std::min(h - 1, y + r); ++j)
                    for (int i = std::max(0, x - r); i <= std::min(w - 1, x + r); ++i) sum += edge[j * w + i];
                soft[y * w + x] = sum;
            }
        std::vector<double> lit(w * h), movedDown(w * h), movedRight(w * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                lit[y * w + x] = light(glow->getPixel(x, y));
                movedDown[y * w + x] = light(glow->getPixel(x, y - shift));
                movedRight[y * w + x] = light(glow->getPixel(x - shift, y));
            }
        double c = correlation(soft, lit);
        EXPECT_GT(c, 0.55);
        EXPECT_GT(c, correlation(soft, movedDown) + 0.25);
        EXPECT_GT(c, correlation(soft, movedRight) + 0.25);
    }
}

// The power-up sheet is a loop of 256 frames: the step from the last frame
// back to the first is no bigger than the steps between frames; cells keep a
// clear rim so that linear filtering never pulls in a neighbour.
TEST(AssetInventoryTest, PowerupSheetsLoopAndKeepTheirCellsApart) {
    for (const char* name : {"powerup_anim", "powerup_glow_anim"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<Surface> s = load(std::string("gfx/") + name + ".png");
        ASSERT_TRUE(s);
        const int cell = s->width / 16;
        auto value = [&](int frame, int x, int y) {
            unsigned c = s->getPixel(frame % 16 * cell + x, frame / 16 * cell + y);
            return light(c);
        };
        auto step = [&](int a, int b) {
            double sum = 0;
            for (int y = 0; y < cell; ++y)
                for (int x = 0; x < cell; ++x)
                    sum += std::abs(static_cast<int>(value(a, x, y)) - static_cast<int>(value(b, x, y)));
            return sum / (cell * cell);
        };
        double maxStep = 0;
        for (int f = 0; f < 255; ++f) maxStep = std::max(maxStep, step(f, f + 1));
        EXPECT_GT(maxStep, 0.5) << "the frames move";
        EXPECT_LE(step(255, 0), maxStep);
        EXPECT_GT(step(0, 128), step(255, 0)) << "half a loop away looks different";
        unsigned rim = 0;
        for (int f = 0; f < 256; ++f)
            for (int i = 0; i < cell; ++i)
                rim = std::max(
                    {rim, value(f, i, 0), value(f, i, cell - 1), value(f, 0, i), value(f, cell - 1, i)});
        EXPECT_LE(rim, 4u);
    }
}

// The laser band repeats along u: its two ends match; its core is on v = 0.5.
TEST(AssetInventoryTest, LaserBandTilesAlongTheBeam) {
    std::unique_ptr<Surface> s = load("gfx/slaser.png");
    ASSERT_TRUE(s);
    for (int y = 0; y < s->height; ++y)
        EXPECT_NEAR(static_cast<int>(light(s->getPixel(0, y))),
                    static_cast<int>(light(s->getPixel(s->width - 1, y))), 12)
            << y;
    // Rows by their summed light: the brightest lie on the middle, and the
    // light falls off from there to both long sides.
    std::vector<double> rows(s->height, 0.0);
    for (int y = 0; y < s->height; ++y)
        for (int x = 0; x < s->width; ++x) rows[y] += light(s->getPixel(x, y));
    const int mid = s->height / 2;
    EXPECT_EQ(*std::max_element(rows.begin(), rows.end()), std::max(rows[mid - 1], rows[mid]));
    for (int y = 1; y < mid; ++y) {
        EXPECT_LE(rows[y - 1], rows[y]) << y;
        EXPECT_LE(rows[s->height - y], rows[s->height - 1 - y]) << y;
    }
}

// The HUD draws its panels at half their pixel size, centred on their place.
// The score rolls at screen (15, 12), 15 px high, in the score box's window:
// nothing bright may lie there. The weapon box's bar mask holds three
// horizontal bars inside the panel (energy, hull, shield).
TEST(AssetInventoryTest, HudPanelsLeaveRoomForTheScoreAndTheBars) {
    std::unique_ptr<Surface> score = load("gfx/hud_score.png");
    ASSERT_TRUE(score);
    // Screen (x, y) to picture pixels for a box centred on (100, 30).
    auto px = [&](double x) { return static_cast<int>(2 * (x - 100) + score->width / 2); };
    auto py = [&](double y) { return static_cast<int>(2 * (y - 30) + score->height / 2); };
    unsigned lit = 0, frame = 0;
    for (int y = py(12); y < py(27); ++y)
        for (int x = px(15); x < px(185); ++x) {
            unsigned c = score->getPixel(x, y);
            lit = std::max(lit, light(c));
            EXPECT_GT(A(c), 100u) << "the window is backed by the panel at " << x << "," << y;
        }
    for (int x = 0; x < score->width; ++x) frame = std::max(frame, light(score->getPixel(x, py(30))));
    EXPECT_LT(lit, 40u) << "the score's window is dark";
    EXPECT_GT(frame, 150u) << "the panel has a bright frame";

    std::unique_ptr<Surface> mask = load("gfx/hud_bars_mask.png");
    std::unique_ptr<Surface> dials = load("gfx/hud_power_dials.png");
    ASSERT_TRUE(mask && dials);
    EXPECT_EQ(mask->width, dials->width);
    EXPECT_EQ(mask->height, dials->height);
    // Rows covered by the mask, grouped into bands.
    std::vector<std::pair<int, int>> bands; // first and last row
    int x0 = mask->width, x1 = -1;
    for (int y = 0; y < mask->height; ++y) {
        bool any = false;
        for (int x = 0; x < mask->width; ++x)
            if (A(mask->getPixel(x, y)) > 128) {
                any = true;
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                EXPECT_GT(A(dials->getPixel(x, y)), 100u) << "bar outside the panel at " << x << "," << y;
            }
        if (any && (bands.empty() || bands.back().second != y - 1))
            bands.push_back({y, y});
        else if (any)
            bands.back().second = y;
    }
    ASSERT_EQ(bands.size(), 3u);
    for (auto& b : bands) EXPECT_GT(x1 - x0, 4 * (b.second - b.first + 1)) << "bars are long and flat";
}

// ---- Sky box ------------------------------------------------------------

// The faces as the sky box draws them: corners of one GL_QUADS quad and the
// texture coordinates of those corners (texture row 0 is t = 0).
struct SkyFace {
    const char* file;
    double corner[4][3];
    double tex[4][2];
};

const SkyFace kSky[6] = {
    {"sky_front", {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}, {{0, 1}, {1, 1}, {1, 0}, {0, 0}}},
    {"sky_left", {{1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}}, {{0, 1}, {1, 1}, {1, 0}, {0, 0}}},
    {"sky_back", {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}}, {{0, 1}, {1, 1}, {1, 0}, {0, 0}}},
    {"sky_right", {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}}, {{0, 1}, {1, 1}, {1, 0}, {0, 0}}},
    {"sky_top", {{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}}, {{1, 1}, {1, 0}, {0, 0}, {0, 1}}},
    {"sky_bottom", {{-1, -1, -1}, {-1, -1, 1}, {1, -1, 1}, {1, -1, -1}}, {{1, 0}, {1, 1}, {0, 1}, {0, 0}}},
};

// GL draws the quad as the triangles (0, 1, 2) and (0, 2, 3), each mapping
// texture space to the cube affinely. These map a texture point to the cube
// and a cube point on the face's plane back to texture space, through
// barycentric coordinates in the triangle that holds the point.
bool barycentric(const double a[2], const double b[2], const double c[2], const double p[2], double w[3]) {
    double det = (b[1] - c[1]) * (a[0] - c[0]) + (c[0] - b[0]) * (a[1] - c[1]);
    w[0] = ((b[1] - c[1]) * (p[0] - c[0]) + (c[0] - b[0]) * (p[1] - c[1])) / det;
    w[1] = ((c[1] - a[1]) * (p[0] - c[0]) + (a[0] - c[0]) * (p[1] - c[1])) / det;
    w[2] = 1 - w[0] - w[1];
    return w[0] >= -1e-9 && w[1] >= -1e-9 && w[2] >= -1e-9;
}

void texToCube(const SkyFace& f, const double st[2], double out[3]) {
    const int tris[2][3] = {{0, 1, 2}, {0, 2, 3}};
    for (const auto& t : tris) {
        double w[3];
        if (!barycentric(f.tex[t[0]], f.tex[t[1]], f.tex[t[2]], st, w)) continue;
        for (int k = 0; k < 3; ++k)
            out[k] = w[0] * f.corner[t[0]][k] + w[1] * f.corner[t[1]][k] + w[2] * f.corner[t[2]][k];
        return;
    }
    ADD_FAILURE() << "texture point outside the quad";
}

// The axis and sign of the face's plane (the coordinate all corners share).
void facePlane(const SkyFace& f, int& axis, double& sign) {
    for (axis = 0; axis < 3; ++axis)
        if (f.corner[0][axis] == f.corner[1][axis] && f.corner[0][axis] == f.corner[2][axis]) break;
    sign = f.corner[0][axis];
}

// The texture point of a cube point on the face's plane, found in the plane's
// two free coordinates by extending the triangles' affine maps.
void cubeToTex(const SkyFace& f, const double p[3], double st[2]) {
    int axis;
    double sign;
    facePlane(f, axis, sign);
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    const int tris[2][3] = {{0, 1, 2}, {0, 2, 3}};
    // Pick the triangle whose in-plane region is nearest (both extend the same
    // affine map beyond the quad's edge along it).
    double best = 1e9;
    for (const auto& t : tris) {
        double a[2] = {f.corner[t[0]][u], f.corner[t[0]][v]}, b[2] = {f.corner[t[1]][u], f.corner[t[1]][v]},
               c[2] = {f.corner[t[2]][u], f.corner[t[2]][v]}, q[2] = {p[u], p[v]}, w[3];
        barycentric(a, b, c, q, w);
        double outside = -std::min({w[0], w[1], w[2], 0.0});
        if (outside < best) {
            best = outside;
            for (int k = 0; k < 2; ++k)
                st[k] = w[0] * f.tex[t[0]][k] + w[1] * f.tex[t[1]][k] + w[2] * f.tex[t[2]][k];
        }
    }
}

TEST(AssetInventoryTest, SkyFacesJoinWithoutSeamsAsTheSkyBoxDrawsThem) {
    std::unique_ptr<Surface> img[6];
    for (int i = 0; i < 6; ++i) {
        img[i] = load(std::string("gfx/") + kSky[i].file + ".png");
        ASSERT_TRUE(img[i]);
        ASSERT_EQ(img[i]->width, img[i]->height);
    }
    const int n = img[0]->width;
    auto diff = [](unsigned a, unsigned b) {
        return (std::abs(int(R(a)) - int(R(b))) + std::abs(int(G(a)) - int(G(b))) +
                std::abs(int(B(a)) - int(B(b)))) /
               3.0;
    };
    // Walk the border texels of every face. The ray through a texel centre
    // leaves the face's cube side; where it meets a neighbour's plane just
    // past that face's edge, the neighbour's nearest texel is the one across
    // the seam. Compare the two with the step between the border texel and
    // its inner neighbour on the same face (the picture's own texel-to-texel
    // change), and, as a control, with the texel at the mirrored place along
    // the same edge of the neighbour.
    int pairs = 0;
    double matched = 0, within = 0, mirrored = 0, worst = 0, worstWithin = 0;
    int neighbours[6][6] = {};
    for (int fi = 0; fi < 6; ++fi)
        for (int side = 0; side < 4; ++side)
            for (int i = 1; i < n - 1; ++i) {
                int px = side == 0 ? 0 : side == 1 ? n - 1 : i, py = side == 2 ? 0 : side == 3 ? n - 1 : i;
                double st[2] = {(px + 0.5) / n, (py + 0.5) / n}, p[3];
                texToCube(kSky[fi], st, p);
                int found = 0;
                for (int gi = 0; gi < 6; ++gi) {
                    if (gi == fi) continue;
                    int axis;
                    double sign;
                    facePlane(kSky[gi], axis, sign);
                    if (p[axis] * sign <= 0) continue;
                    double q[3] = {p[0] / (p[axis] * sign), p[1] / (p[axis] * sign), p[2] / (p[axis] * sign)};
                    double over = 0;
                    for (int k = 0; k < 3; ++k) over = std::max(over, std::fabs(q[k]) - 1);
                    if (over > 1.5 / n) continue; // not across this face's edge
                    double gst[2] = {0, 0};
                    cubeToTex(kSky[gi], q, gst);
                    int gx = std::clamp(int(std::floor(gst[0] * n)), 0, n - 1),
                        gy = std::clamp(int(std::floor(gst[1] * n)), 0, n - 1);
                    ASSERT_TRUE(gx == 0 || gy == 0 || gx == n - 1 || gy == n - 1)
                        << "lands on the neighbour's border";
                    unsigned a = img[fi]->getPixel(px, py), b = img[gi]->getPixel(gx, gy);
                    int mx = (gx == 0 || gx == n - 1) ? gx : n - 1 - gx,
                        my = (gy == 0 || gy == n - 1) ? gy : n - 1 - gy;
                    int ix = side == 0   ? 1
                             : side == 1 ? n - 2
                                         : px,
                        iy = side == 2   ? 1
                             : side == 3 ? n - 2
                                         : py;
                    double d = diff(a, b), w = diff(a, img[fi]->getPixel(ix, iy));
                    matched += d;
                    within += w;
                    worstWithin = std::max(worstWithin, w);
                    mirrored += diff(a, img[gi]->getPixel(mx, my));
                    worst = std::max(worst, d);
                    ++pairs;
                    ++found;
                    ++neighbours[fi][gi];
                }
                EXPECT_EQ(found, 1) << kSky[fi].file << " side " << side << " texel " << i;
            }
    ASSERT_GT(pairs, 0);
    // Every face borders exactly four others, each along one whole edge.
    for (int fi = 0; fi < 6; ++fi) {
        int count = 0;
        for (int gi = 0; gi < 6; ++gi)
            if (neighbours[fi][gi]) {
                ++count;
                EXPECT_EQ(neighbours[fi][gi], n - 2) << kSky[fi].file << " / " << kSky[gi].file;
            }
        EXPECT_EQ(count, 4) << kSky[fi].file;
    }
    matched /= pairs;
    within /= pairs;
    mirrored /= pairs;
    // A seam is invisible when stepping across it changes the colour no more
    // than stepping one texel within a face does.
    EXPECT_LT(matched, 1.3 * within + 0.25) << "mean step across the seams, in bytes";
    EXPECT_LE(worst, 1.3 * worstWithin + 2) << "largest step across a seam, in bytes";
    EXPECT_GT(mirrored, 3 * matched) << "the seams match only the right way round";
}

} // namespace
