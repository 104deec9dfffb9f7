#include "game/settings/Difficulty.h"

#include <cstring>

namespace {

char const* const names[] = {"easy", "normal", "hard"};

// Easy takes the sting out of the first waves for a newcomer: enemies hit
// half as hard and fire less often, and the waves grow more slowly. Hard
// turns the same three up.
const DifficultyFactors factors[] = {
    {0.5f, 0.6f, 0.7, 1.07},
    {1.0f, 1.0f, 1.0, 1.1},
    {1.4f, 1.3f, 1.3, 1.13},
};

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

DifficultyFactors difficultyFactors(Difficulty d) {
    return factors[d >= DIFFICULTY_EASY && d <= DIFFICULTY_HARD ? d : DIFFICULTY_NORMAL];
}
