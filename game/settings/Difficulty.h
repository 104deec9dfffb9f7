#ifndef VORLANE_GAME_SETTINGS_DIFFICULTY_H
#define VORLANE_GAME_SETTINGS_DIFFICULTY_H

// How hard the player asked the game to be.
enum Difficulty { DIFFICULTY_EASY, DIFFICULTY_NORMAL, DIFFICULTY_HARD };

// "easy", "normal" or "hard": the word the settings file and the high-score
// table use.
char const* difficultyName(Difficulty d);
// The difficulty named by one of those words (lower case only); false for
// anything else, leaving out untouched.
bool parseDifficulty(char const* name, Difficulty& out);

#endif
