#include "game/settings/Difficulty.h"

#include <cstring>

namespace {

char const* const names[] = {"easy", "normal", "hard"};

} // namespace

char const* difficultyName(Difficulty d) {
    return d >= DIFFICULTY_EASY && d <= DIFFICULTY_HARD ? names[d] : names[DIFFICULTY_NORMAL];
}

bool parseDifficulty(char const* name, Difficulty& out) {
    if (!name) return false;
    for (int i = DIFFICULTY_EASY; i <= DIFFICULTY_HARD; ++i) {
        if (strcmp(name, names[i]) == 0) {
            out = (Difficulty)i;
            return true;
        }
    }
    return false;
}
