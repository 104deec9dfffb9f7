#pragma once

#include <vector>

// The game's sound effects. Each function renders one finished effect: mono
// samples at 44100 Hz (1.0 = full scale), starting and ending on silence and
// peaking below -1 dBFS, the same every run. They share the music's key
// (A minor), tempo (140 beats a minute) and instruments.
namespace sounds {

// Weapons and damage.
std::vector<float> plasmaShot();
std::vector<float> enemyShot();
std::vector<float> laserStart();
std::vector<float> laserLoop(); // repeats without a seam; also begins and ends near silence
std::vector<float> plasmaHit();
std::vector<float> laserHit();
std::vector<float> explodeSmall();
std::vector<float> explodeMedium();
std::vector<float> explodeLarge();
std::vector<float> playerHit();
std::vector<float> playerDeath();
std::vector<float> respawn();

// Power-ups, messages and the menu.
std::vector<float> powerupUpgrade();
std::vector<float> powerupEnergy();
std::vector<float> powerupShield();
std::vector<float> powerupScore();
std::vector<float> powerupHull();
std::vector<float> powerupSpeed();
std::vector<float> powerupNuke();
std::vector<float> waveIncoming();
std::vector<float> gameOver();
std::vector<float> menuMove();
std::vector<float> menuChoose();

} // namespace sounds
