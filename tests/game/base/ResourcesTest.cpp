#define GL_GLEXT_PROTOTYPES
#include "game/base/Resources.h"
#include "engine/gfx/Color.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "tests/engine/gfx/PngWriter.h"
#include "tests/support/GLContext.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using quenth::Color;
using quenth::Font;
using quenth::Texture;

namespace {

// The image files in the order the loader must ask for them.
const char* const TEXTURE_FILES[38] = {"title",
                                       "reticle",
                                       "reticle_glow",
                                       "star",
                                       "sky_top",
                                       "sky_bottom",
                                       "sky_left",
                                       "sky_right",
                                       "sky_front",
                                       "sky_back",
                                       "player_top",
                                       "player_mid",
                                       "player_bot",
                                       "player_glow_top",
                                       "player_glow_bot",
                                       "slaser",
                                       "plasmabullet",
                                       "powerup_anim",
                                       "powerup_glow_anim",
                                       "enemy_fighter",
                                       "enemy_fighter_glow",
                                       "enemy_fighter2",
                                       "enemy_fighter2_glow",
                                       "enemy_hammerhead",
                                       "enemy_hammerhead_glow",
                                       "enemy_hammerhead",
                                       "enemy_hammerhead_glow",
                                       "enemy_probe",
                                       "enemy_probe_glow",
                                       "enemy_probe2",
                                       "enemy_probe2_glow",
                                       "enemy_probe3",
                                       "enemy_probe3_glow",
                                       "hud_radar_dials",
                                       "hud_radar_mask",
                                       "hud_bars_mask",
                                       "hud_score",
                                       "hud_power_dials"};
const char* const FONT_FILES[4] = {"hugefont", "medfont", "smallfont", "minifont"};

// The texture statics in table order, the two procedural ones last.
std::vector<Texture**> textureSlots() {
    return {&Resources::title_tex,
            &Resources::reticle_tex,
            &Resources::reticle_glow_tex,
            &Resources::star_tex,
            &Resources::skybox_top_tex,
            &Resources::skybox_bottom_tex,
            &Resources::skybox_left_tex,
            &Resources::skybox_right_tex,
            &Resources::skybox_front_tex,
            &Resources::skybox_back_tex,
            &Resources::player_top_tex,
            &Resources::player_mid_tex,
            &Resources::player_bot_tex,
            &Resources::player_top_glow_tex,
            &Resources::player_bot_glow_tex,
            &Resources::laser_tex,
            &Resources::plasmabullet_tex,
            &Resources::powerup_anim_tex,
            &Resources::powerup_glow_anim_tex,
            &Resources::enemy_fighter_tex,
            &Resources::enemy_fighter_glow_tex,
            &Resources::enemy_fighter2_tex,
            &Resources::enemy_fighter2_glow_tex,
            &Resources::enemy_hammerhead_tex,
            &Resources::enemy_hammerhead_glow_tex,
            &Resources::enemy_hammerhead2_tex,
            &Resources::enemy_hammerhead2_glow_tex,
            &Resources::enemy_probe_tex,
            &Resources::enemy_probe_glow_tex,
            &Resources::enemy_probe2_tex,
            &Resources::enemy_probe2_glow_tex,
            &Resources::enemy_probe3_tex,
            &Resources::enemy_probe3_glow_tex,
            &Resources::hud_radar_dials_tex,
            &Resources::hud_radar_mask_tex,
            &Resources::hud_bars_mask_tex,
            &Resources::hud_score_tex,
            &Resources::hud_power_dials_tex,
            &Resources::proc_particle0_tex,
            &Resources::proc_particle1_tex};
}

std::vector<Font**> fontSlots() {
    return {&Resources::font_big, &Resources::font_medium, &Resources::font_small, &Resources::font_mini};
}

// Each case loads into an empty table and empties it again afterwards, so
// other tests of this program see the table as before loading (the game
// itself loads once and never frees).
void freeTable() {
    for (Texture** t : textureSlots()) {
        delete *t;
        *t = nullptr;
    }
    for (Font** f : fontSlots()) {
        delete *f;
        *f = nullptr;
    }
}

// The level-0 texels of a 2D texture, row 0 first.
std::vector<unsigned> texels(Texture* t) {
    std::vector<unsigned> out(t->width * t->height);
    glBindTexture(GL_TEXTURE_2D, t->id);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    return out;
}

class ResourcesTest : public ::testing::Test {
protected:
    std::string dir;
    std::string oldCwd;

    void SetUp() override {
        testsupport::ensureGLContext();
        testsupport::resetGLState();
        char buf[4096];
        oldCwd = getcwd(buf, sizeof(buf)) ? buf : ".";
        char tmpl[] = "/tmp/gfxresXXXXXX";
        dir = mkdtemp(tmpl);
        ASSERT_EQ(0, chdir(dir.c_str()));
        freeTable();
    }
    void TearDown() override {
        freeTable();
        ASSERT_EQ(0, chdir(oldCwd.c_str()));
        std::system(("rm -rf " + dir).c_str());
    }

    void writeImage(std::string const& name, int w, int h) {
        mkdir("gfx", 0755);
        std::vector<uint32_t> px((size_t)w * h, Color::getColor(200, 100, 50, 255));
        ASSERT_TRUE(pngwriter::writeFile("gfx/" + name + ".png", pngwriter::encode(w, h, px)));
    }
    void writeAll() {
        for (const char* f : TEXTURE_FILES) writeImage(f, 100, 50);
        for (const char* f : FONT_FILES) writeImage(f, 64, 32);
    }

    // Runs Resources::load() and returns what it printed, line by line.
    std::vector<std::string> load() {
        fflush(stdout);
        int saved = dup(1);
        int fd = open("log.txt", O_CREAT | O_TRUNC | O_WRONLY, 0644);
        dup2(fd, 1);
        close(fd);
        Resources::load();
        fflush(stdout);
        dup2(saved, 1);
        close(saved);
        std::vector<std::string> lines;
        FILE* f = fopen("log.txt", "r");
        char line[1024];
        while (f && fgets(line, sizeof(line), f)) {
            std::string s = line;
            if (!s.empty() && s.back() == '\n') s.pop_back();
            lines.push_back(s);
        }
        if (f) fclose(f);
        return lines;
    }
};

} // namespace

// What Resources::onProgress was told, in order.
std::vector<std::pair<int, int>> progress;
void recordProgress(int done, int total) {
    progress.push_back({done, total});
}

TEST_F(ResourcesTest, WithoutGfxEveryFileFailsAndLoadingCarriesOn) {
    unsigned before = Texture::usedMemory;
    progress.clear();
    Resources::onProgress = recordProgress;
    std::vector<std::string> lines = load();
    Resources::onProgress = nullptr;
    // Once after each texture, each font sheet and the procedural textures.
    ASSERT_EQ(progress.size(), 38u + 4u + 1u);
    for (int i = 0; i < 43; i++) EXPECT_EQ(progress[i], std::make_pair(i + 1, 43));
    ASSERT_EQ(1u + 38u + 4u + 2u, lines.size());
    EXPECT_EQ(":: loading resources...", lines[0]);
    for (int i = 0; i < 38; i++)
        EXPECT_EQ(std::string("Loading texture gfx/") + TEXTURE_FILES[i] + ".png... ERROR", lines[1 + i]);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(std::string("Loading image gfx/") + FONT_FILES[i] + ".png... ERROR", lines[39 + i]);
    EXPECT_EQ(":: Generating procedural textures... OK", lines[43]);
    EXPECT_EQ(":: All done.", lines[44]);

    // Every static holds an object; only the procedural textures have storage.
    std::vector<Texture**> slots = textureSlots();
    for (int i = 0; i < 38; i++) {
        ASSERT_NE(nullptr, *slots[i]) << TEXTURE_FILES[i];
        EXPECT_FALSE((*slots[i])->hasStorage()) << TEXTURE_FILES[i];
    }
    for (Font** f : fontSlots()) {
        ASSERT_NE(nullptr, *f);
        EXPECT_EQ(nullptr, (*f)->surface);
        ASSERT_NE(nullptr, (*f)->texture);
        EXPECT_FALSE((*f)->texture->hasStorage());
        (*f)->draw_gl("Game Over"); // draws nothing, and must not fault
    }
    EXPECT_EQ(before + 2u * 128u * 128u * 4u, Texture::usedMemory);
}

TEST_F(ResourcesTest, WithEveryImageAllLoadAndTheHammerheadsAreTwoTextures) {
    writeAll();
    unsigned before = Texture::usedMemory;
    std::vector<std::string> lines = load();
    ASSERT_EQ(45u, lines.size());
    for (int i = 0; i < 38; i++)
        EXPECT_EQ(std::string("Loading texture gfx/") + TEXTURE_FILES[i] + ".png... OK", lines[1 + i]);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(std::string("Loading image gfx/") + FONT_FILES[i] + ".png... OK", lines[39 + i]);
    EXPECT_EQ(":: All done.", lines[44]);

    std::set<Texture*> distinct;
    for (Texture** t : textureSlots()) distinct.insert(*t);
    EXPECT_EQ(40u, distinct.size());
    ASSERT_NE(Resources::enemy_hammerhead_tex, Resources::enemy_hammerhead2_tex);
    EXPECT_NE(Resources::enemy_hammerhead_tex->id, Resources::enemy_hammerhead2_tex->id);
    EXPECT_EQ(128u, Resources::enemy_hammerhead2_tex->width);
    EXPECT_FLOAT_EQ(0.78125f, Resources::title_tex->uExtent);
    // Fonts keep their sheet and get their texture during loading.
    for (Font** f : fontSlots()) {
        ASSERT_NE(nullptr, (*f)->surface);
        EXPECT_EQ(64, (*f)->surface->width);
        ASSERT_NE(nullptr, (*f)->texture);
        EXPECT_EQ(64u, (*f)->texture->width);
    }
    // 38 padded images of 128 x 64, 4 sheets of 64 x 32, 2 discs of 128 x 128.
    EXPECT_EQ(before + 38u * 32768u + 4u * 8192u + 2u * 65536u, Texture::usedMemory);
}

TEST_F(ResourcesTest, OneMissingAndOneDamagedFileFailAlone) {
    writeAll();
    ASSERT_EQ(0, unlink("gfx/medfont.png"));
    // A damaged image: the first half of a good file.
    std::vector<uint8_t> good = pngwriter::encode(100, 50, std::vector<uint32_t>(5000, 0xffffffffu));
    good.resize(good.size() / 2);
    ASSERT_TRUE(pngwriter::writeFile("gfx/star.png", good));
    std::vector<std::string> lines = load();
    ASSERT_EQ(45u, lines.size());
    int errors = 0;
    for (std::string const& l : lines) errors += l.find("ERROR") != std::string::npos;
    EXPECT_EQ(2, errors);
    EXPECT_EQ("Loading texture gfx/star.png... ERROR", lines[4]);
    EXPECT_EQ("Loading image gfx/medfont.png... ERROR", lines[40]);
    EXPECT_EQ("Loading image gfx/smallfont.png... OK", lines[41]);
    EXPECT_FALSE(Resources::star_tex->hasStorage());
    EXPECT_TRUE(Resources::reticle_glow_tex->hasStorage());
    EXPECT_EQ(nullptr, Resources::font_medium->surface);
    EXPECT_NE(nullptr, Resources::font_small->surface);
}

TEST_F(ResourcesTest, ProceduralParticlesAreSoftWhiteDiscs) {
    load();
    Texture* p0 = Resources::proc_particle0_tex;
    Texture* p1 = Resources::proc_particle1_tex;
    ASSERT_NE(nullptr, p0);
    ASSERT_NE(nullptr, p1);
    EXPECT_EQ(128u, p0->width);
    EXPECT_EQ(128u, p0->height);
    EXPECT_FLOAT_EQ(1.0f, p0->uExtent);
    EXPECT_FLOAT_EQ(1.0f, p0->vExtent);
    std::vector<unsigned> a = texels(p0);
    EXPECT_EQ(0xffffffffu, a[64 * 128 + 64]);
    EXPECT_EQ(0xff000000u, a[4 * 128 + 64]); // distance 60: the black rim
    EXPECT_EQ(0u, a[0]);
    EXPECT_EQ(0u, a[127 * 128 + 127]);
    // Grey in between, brighter towards the centre.
    EXPECT_GT(Color::getR(a[64 * 128 + 50]), Color::getR(a[64 * 128 + 30]));

    std::vector<unsigned> b = texels(p1);
    EXPECT_EQ(0xffffffffu, b[64 * 128 + 64]);
    int opaqueFar = 0, opaqueNear = 0;
    for (int y = 0; y < 128; y++)
        for (int x = 0; x < 128; x++) {
            if (Color::getA(b[y * 128 + x]) == 0) continue;
            double d = std::sqrt(double((x - 64) * (x - 64) + (y - 64) * (y - 64)));
            if (d > 30.0)
                opaqueFar++;
            else
                opaqueNear++;
        }
    EXPECT_EQ(0, opaqueFar);
    EXPECT_GT(opaqueNear, 2700); // about pi * 30 * 30
}
