#ifndef GAME_RESOURCES_H
#define GAME_RESOURCES_H

namespace quenth {
class Font;
class Silhouette;
class Texture;
} // namespace quenth

// The game's asset table: every texture and font, filled once by load() at
// start-up and kept until the process ends. A file that failed to load still
// leaves an object here (a texture without storage, a font without a sheet),
// so the statics are never null after load() and draw nothing when empty.
class Resources {
public:
    static quenth::Texture* title_tex;
    static quenth::Texture* reticle_tex;
    static quenth::Texture* reticle_glow_tex;
    static quenth::Texture* star_tex;
    static quenth::Texture* skybox_top_tex;
    static quenth::Texture* skybox_bottom_tex;
    static quenth::Texture* skybox_left_tex;
    static quenth::Texture* skybox_right_tex;
    static quenth::Texture* skybox_front_tex;
    static quenth::Texture* skybox_back_tex;
    static quenth::Texture* player_top_tex;
    static quenth::Texture* player_mid_tex;
    static quenth::Texture* player_bot_tex;
    static quenth::Texture* player_top_glow_tex;
    static quenth::Texture* player_bot_glow_tex;
    static quenth::Texture* laser_tex;
    static quenth::Texture* plasmabullet_tex;
    static quenth::Texture* powerup_anim_tex;
    static quenth::Texture* powerup_glow_anim_tex;
    static quenth::Texture* enemy_fighter_tex;
    static quenth::Texture* enemy_fighter_glow_tex;
    static quenth::Texture* enemy_fighter2_tex;
    static quenth::Texture* enemy_fighter2_glow_tex;
    static quenth::Texture* enemy_hammerhead_tex;
    static quenth::Texture* enemy_hammerhead_glow_tex;
    static quenth::Texture* enemy_hammerhead2_tex;      // same image, a texture of its own
    static quenth::Texture* enemy_hammerhead2_glow_tex; // same image, a texture of its own
    static quenth::Texture* enemy_probe_tex;
    static quenth::Texture* enemy_probe_glow_tex;
    static quenth::Texture* enemy_probe2_tex;
    static quenth::Texture* enemy_probe2_glow_tex;
    static quenth::Texture* enemy_probe3_tex;
    static quenth::Texture* enemy_probe3_glow_tex;
    static quenth::Texture* hud_radar_dials_tex;
    static quenth::Texture* hud_radar_mask_tex;
    static quenth::Texture* hud_bars_mask_tex;
    static quenth::Texture* hud_score_tex;
    static quenth::Texture* hud_power_dials_tex;

    static quenth::Font* font_big;    // gfx/hugefont.png
    static quenth::Font* font_medium; // gfx/medfont.png
    static quenth::Font* font_small;  // gfx/smallfont.png
    static quenth::Font* font_mini;   // gfx/minifont.png

    // 128 x 128 soft white discs on transparent black, for additive particles.
    static quenth::Texture* proc_particle0_tex; // radius 60
    static quenth::Texture* proc_particle1_tex; // radius 30

    // Called after each asset load() has handled (texture, font, the
    // procedural textures) with the number done so far and the number in
    // all; null by default. The program draws its loading bar here.
    static void (*onProgress)(int done, int total);

    // Starts decoding the image files on worker threads, so that load()
    // finds them ready or under way. Needs quenth::DataDir::root set, not
    // the window: the program calls it before opening the window. load()
    // does it itself when it was not done (or for another data directory).
    static void prefetch();
    // Loads everything in table order from gfx/ of the data directory,
    // logging each file with "OK" or "ERROR" on standard output. Needs the
    // window (GL context and video mode) to be open.
    static void load();

    // The part of t's image that can show, for the enemy art and the laser's
    // glow disc; null for other textures and images that failed to load.
    static quenth::Silhouette const* silhouette(quenth::Texture const* t);
};

#endif
