#include "game/base/Resources.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/GfxUtil.h"
#include "engine/gfx/ImageBatch.h"
#include "engine/gfx/ImageLoader.h"
#include "engine/gfx/Silhouette.h"
#include "engine/gfx/Surface.h"
#include "engine/gfx/Texture.h"
#include "engine/util/DataDir.h"
#include "engine/util/StartupTrace.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

using quenth::Font;
using quenth::GfxUtil;
using quenth::ImageLoader;
using quenth::Surface;
using quenth::Texture;

Texture* Resources::title_tex = nullptr;
Texture* Resources::reticle_tex = nullptr;
Texture* Resources::reticle_glow_tex = nullptr;
Texture* Resources::star_tex = nullptr;
Texture* Resources::skybox_top_tex = nullptr;
Texture* Resources::skybox_bottom_tex = nullptr;
Texture* Resources::skybox_left_tex = nullptr;
Texture* Resources::skybox_right_tex = nullptr;
Texture* Resources::skybox_front_tex = nullptr;
Texture* Resources::skybox_back_tex = nullptr;
Texture* Resources::player_top_tex = nullptr;
Texture* Resources::player_mid_tex = nullptr;
Texture* Resources::player_bot_tex = nullptr;
Texture* Resources::player_top_glow_tex = nullptr;
Texture* Resources::player_bot_glow_tex = nullptr;
Texture* Resources::laser_tex = nullptr;
Texture* Resources::plasmabullet_tex = nullptr;
Texture* Resources::powerup_anim_tex = nullptr;
Texture* Resources::powerup_glow_anim_tex = nullptr;
Texture* Resources::enemy_fighter_tex = nullptr;
Texture* Resources::enemy_fighter_glow_tex = nullptr;
Texture* Resources::enemy_fighter2_tex = nullptr;
Texture* Resources::enemy_fighter2_glow_tex = nullptr;
Texture* Resources::enemy_hammerhead_tex = nullptr;
Texture* Resources::enemy_hammerhead_glow_tex = nullptr;
Texture* Resources::enemy_hammerhead2_tex = nullptr;
Texture* Resources::enemy_hammerhead2_glow_tex = nullptr;
Texture* Resources::enemy_probe_tex = nullptr;
Texture* Resources::enemy_probe_glow_tex = nullptr;
Texture* Resources::enemy_probe2_tex = nullptr;
Texture* Resources::enemy_probe2_glow_tex = nullptr;
Texture* Resources::enemy_probe3_tex = nullptr;
Texture* Resources::enemy_probe3_glow_tex = nullptr;
Texture* Resources::hud_radar_dials_tex = nullptr;
Texture* Resources::hud_radar_mask_tex = nullptr;
Texture* Resources::hud_bars_mask_tex = nullptr;
Texture* Resources::hud_score_tex = nullptr;
Texture* Resources::hud_power_dials_tex = nullptr;

Font* Resources::font_big = nullptr;
Font* Resources::font_medium = nullptr;
Font* Resources::font_small = nullptr;
Font* Resources::font_mini = nullptr;

Texture* Resources::proc_particle0_tex = nullptr;
Texture* Resources::proc_particle1_tex = nullptr;

void (*Resources::onProgress)(int done, int total) = nullptr;

namespace {

struct TextureEntry {
    char const* path;
    Texture** slot;
    bool traced = false; // its silhouette is kept (enemy art, drawn trimmed)
};

struct FontEntry {
    char const* path;
    Font** slot;
};

const TextureEntry TEXTURES[] = {
    {"gfx/title.png", &Resources::title_tex},
    {"gfx/reticle.png", &Resources::reticle_tex},
    {"gfx/reticle_glow.png", &Resources::reticle_glow_tex},
    {"gfx/star.png", &Resources::star_tex},
    {"gfx/sky_top.png", &Resources::skybox_top_tex},
    {"gfx/sky_bottom.png", &Resources::skybox_bottom_tex},
    {"gfx/sky_left.png", &Resources::skybox_left_tex},
    {"gfx/sky_right.png", &Resources::skybox_right_tex},
    {"gfx/sky_front.png", &Resources::skybox_front_tex},
    {"gfx/sky_back.png", &Resources::skybox_back_tex},
    {"gfx/player_top.png", &Resources::player_top_tex},
    {"gfx/player_mid.png", &Resources::player_mid_tex},
    {"gfx/player_bot.png", &Resources::player_bot_tex},
    {"gfx/player_glow_top.png", &Resources::player_top_glow_tex},
    {"gfx/player_glow_bot.png", &Resources::player_bot_glow_tex},
    {"gfx/slaser.png", &Resources::laser_tex},
    {"gfx/plasmabullet.png", &Resources::plasmabullet_tex},
    {"gfx/powerup_anim.png", &Resources::powerup_anim_tex},
    {"gfx/powerup_glow_anim.png", &Resources::powerup_glow_anim_tex},
    {"gfx/enemy_fighter.png", &Resources::enemy_fighter_tex, true},
    {"gfx/enemy_fighter_glow.png", &Resources::enemy_fighter_glow_tex, true},
    {"gfx/enemy_fighter2.png", &Resources::enemy_fighter2_tex, true},
    {"gfx/enemy_fighter2_glow.png", &Resources::enemy_fighter2_glow_tex, true},
    {"gfx/enemy_hammerhead.png", &Resources::enemy_hammerhead_tex, true},
    {"gfx/enemy_hammerhead_glow.png", &Resources::enemy_hammerhead_glow_tex, true},
    {"gfx/enemy_hammerhead.png", &Resources::enemy_hammerhead2_tex, true},
    {"gfx/enemy_hammerhead_glow.png", &Resources::enemy_hammerhead2_glow_tex, true},
    {"gfx/enemy_probe.png", &Resources::enemy_probe_tex, true},
    {"gfx/enemy_probe_glow.png", &Resources::enemy_probe_glow_tex, true},
    {"gfx/enemy_probe2.png", &Resources::enemy_probe2_tex, true},
    {"gfx/enemy_probe2_glow.png", &Resources::enemy_probe2_glow_tex, true},
    {"gfx/enemy_probe3.png", &Resources::enemy_probe3_tex, true},
    {"gfx/enemy_probe3_glow.png", &Resources::enemy_probe3_glow_tex, true},
    {"gfx/hud_radar_dials.png", &Resources::hud_radar_dials_tex},
    {"gfx/hud_radar_mask.png", &Resources::hud_radar_mask_tex},
    {"gfx/hud_bars_mask.png", &Resources::hud_bars_mask_tex},
    {"gfx/hud_score.png", &Resources::hud_score_tex},
    {"gfx/hud_power_dials.png", &Resources::hud_power_dials_tex},
};

const FontEntry FONTS[] = {
    {"gfx/hugefont.png", &Resources::font_big},
    {"gfx/medfont.png", &Resources::font_medium},
    {"gfx/smallfont.png", &Resources::font_small},
    {"gfx/minifont.png", &Resources::font_mini},
};

const unsigned TEXTURE_COUNT = sizeof TEXTURES / sizeof TEXTURES[0];
const unsigned FONT_COUNT = sizeof FONTS / sizeof FONTS[0];

// The image files being decoded ahead of load(): every texture's, then
// every font sheet's, in table order. Null when none are.
quenth::ImageBatch* pending = nullptr;
// The data directory pending's paths are in.
std::string pendingRoot;

// At exit, a batch never loaded is stopped before the libraries it uses
// are torn down: the program may end before loading (no window).
void dropPending() {
    delete pending;
    pending = nullptr;
}

// The silhouettes of the traced textures, index for index with TEXTURES;
// null for the others. Kept for the process like the textures.
quenth::Silhouette* silhouettes[TEXTURE_COUNT];
// The disc of proc_particle1_tex, which the laser's glows show.
quenth::Silhouette* particle1Silhouette = nullptr;

void logResult() {
    puts(ImageLoader::lastError != 0 ? "ERROR" : "OK");
}

} // namespace

void Resources::prefetch() {
    if (pending && pendingRoot == quenth::DataDir::root) return;
    dropPending();
    std::vector<std::string> paths;
    for (TextureEntry const& e : TEXTURES) paths.push_back(quenth::DataDir::path(e.path));
    for (FontEntry const& e : FONTS) paths.push_back(quenth::DataDir::path(e.path));
    // The thread that takes them decodes too while it waits.
    unsigned cores = std::thread::hardware_concurrency();
    pending = new quenth::ImageBatch(paths, cores < 2 ? 1 : cores > 4 ? 4 : (int)cores);
    pendingRoot = quenth::DataDir::root;
    static bool dropAtExit = false;
    if (!dropAtExit) dropAtExit = atexit(dropPending) == 0;
}

void Resources::load() {
    // Every texture, every font sheet, and the procedural textures as one.
    const int total = (int)(TEXTURE_COUNT + FONT_COUNT) + 1;
    int done = 0;
    auto progress = [&] {
        ++done;
        double began = quenth::StartupTrace::now();
        if (onProgress) onProgress(done, total);
        quenth::StartupTrace::note("loading bar", began);
    };
    puts(":: loading resources...");
    using quenth::StartupTrace;
    prefetch();
    quenth::ImageBatch* batch = pending;
    pending = nullptr;
    for (unsigned i = 0; i < TEXTURE_COUNT; i++) {
        TextureEntry const& e = TEXTURES[i];
        printf("Loading texture %s... ", e.path);
        double began = StartupTrace::now();
        Surface* image = batch->take(i, false);
        StartupTrace::note("wait", e.path, began);
        if (e.traced) {
            began = StartupTrace::now();
            delete silhouettes[i];
            silhouettes[i] = image ? new quenth::Silhouette(image) : nullptr;
            StartupTrace::note("outline", e.path, began);
        }
        began = StartupTrace::now();
        *e.slot = ImageLoader::makeTexture(image);
        StartupTrace::note("upload", e.path, began);
        logResult();
        progress();
    }
    for (unsigned i = 0; i < FONT_COUNT; i++) {
        FontEntry const& e = FONTS[i];
        printf("Loading image %s... ", e.path);
        double began = StartupTrace::now();
        Surface* sheet = batch->take(TEXTURE_COUNT + i, false);
        StartupTrace::note("wait", e.path, began);
        logResult();
        *e.slot = new Font(sheet);
        progress();
    }
    delete batch;
    for (FontEntry const& e : FONTS) {
        Font* f = *e.slot;
        double began = StartupTrace::now();
        if (!f->texture) f->texture = new Texture(f->surface);
        StartupTrace::note("upload", e.path, began);
    }

    printf(":: Generating procedural textures... ");
    double began = StartupTrace::now();
    Surface* s = new Surface(128, 128);
    GfxUtil::drawGradientCircle(s, 64, 64, 60, 0x000000, 0xffffff);
    proc_particle0_tex = new Texture(s);
    for (int i = 0; i < s->width * s->height; i++) s->pixels[i] = 0;
    GfxUtil::drawGradientCircle(s, 64, 64, 30, 0x000000, 0xffffff);
    delete particle1Silhouette;
    particle1Silhouette = new quenth::Silhouette(s);
    proc_particle1_tex = new Texture(s);
    delete s;
    StartupTrace::note("procedural textures", began);
    puts("OK");
    progress();
    puts(":: All done.");
    fflush(stdout);
}

quenth::Silhouette const* Resources::silhouette(Texture const* t) {
    for (unsigned i = 0; i < TEXTURE_COUNT; i++)
        if (t && *TEXTURES[i].slot == t) return silhouettes[i];
    if (t && t == proc_particle1_tex) return particle1Silhouette;
    return nullptr;
}
