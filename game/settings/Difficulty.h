#ifndef VORLANE_GAME_SETTINGS_DIFFICULTY_H
#define VORLANE_GAME_SETTINGS_DIFFICULTY_H

// How hard the player asked the game to be.
enum Difficulty { DIFFICULTY_EASY, DIFFICULTY_NORMAL, DIFFICULTY_HARD };

// What a difficulty changes, as factors on the Normal game, whose numbers
// they leave exactly as they are.
struct DifficultyFactors {
    float enemyDamage;   // damage of an enemy bolt (Normal 1)
    float enemyFireRate; // enemy shots per second (Normal 1)
    double waveGrowth;   // enemies added per wave: the slope of every wave row (Normal 1)
    double hullGrowth;   // enemy hull and score multiplier, per wave (Normal 1.1)
};

// The factors of d (Normal's for a value out of range).
DifficultyFactors difficultyFactors(Difficulty d);

// "easy", "normal" or "hard": the word the settings file and the high-score
// table use.
char const* difficultyName(Difficulty d);
// The difficulty named by one of those words (lower case only); false for
// anything else, leaving out untouched.
bool parseDifficulty(char const* name, Difficulty& out);

#endif
