// Renders every sound effect of the game and writes each as a mono 16-bit
// WAV file at 44100 Hz, printing its length and peak.
// Usage: sfxgen OUTPUT_DIR
// The output depends on nothing but this program: the same bytes every run.

#include "tools/sfxgen/Sounds.h"
#include "tools/sfxgen/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

struct Effect {
    const char* name;               // file name without ".wav"
    std::vector<float> (*render)(); // makes the finished samples
};

const Effect catalogue[] = {
    {"plasma_shot", sounds::plasmaShot},
    {"enemy_shot", sounds::enemyShot},
    {"laser_start", sounds::laserStart},
    {"laser_loop", sounds::laserLoop},
    {"plasma_hit", sounds::plasmaHit},
    {"laser_hit", sounds::laserHit},
    {"explode_small", sounds::explodeSmall},
    {"explode_medium", sounds::explodeMedium},
    {"explode_large", sounds::explodeLarge},
    {"player_hit", sounds::playerHit},
    {"player_death", sounds::playerDeath},
    {"respawn", sounds::respawn},
    {"powerup_upgrade", sounds::powerupUpgrade},
    {"powerup_energy", sounds::powerupEnergy},
    {"powerup_shield", sounds::powerupShield},
    {"powerup_score", sounds::powerupScore},
    {"powerup_hull", sounds::powerupHull},
    {"powerup_speed", sounds::powerupSpeed},
    {"powerup_nuke", sounds::powerupNuke},
    {"wave_incoming", sounds::waveIncoming},
    {"game_over", sounds::gameOver},
    {"menu_move", sounds::menuMove},
    {"menu_choose", sounds::menuChoose},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    for (const Effect& e : catalogue) {
        std::vector<float> samples = e.render();
        std::string path = std::string(argv[1]) + "/" + e.name + ".wav";
        if (!writeWav(path.c_str(), samples, 44100)) {
            fprintf(stderr, "sfxgen: cannot write %s\n", path.c_str());
            return 1;
        }
        float peak = 0.0f;
        for (float s : samples) peak = std::max(peak, std::fabs(s));
        printf("sfxgen: %-20s %5.3f s  peak %5.1f dBFS\n", (std::string(e.name) + ".wav").c_str(),
               double(samples.size()) / 44100.0, 20.0 * std::log10(double(peak)));
    }
    return 0;
}
