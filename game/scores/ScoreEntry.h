#ifndef VORLANE_GAME_SCORES_SCOREENTRY_H
#define VORLANE_GAME_SCORES_SCOREENTRY_H

#include "game/settings/Difficulty.h"

#include <string>

// One finished game in the high-score table. In the file it is one line,
// fields split by single spaces, the name last since it may hold spaces:
//     12345 7 88 normal 2024-05-01T12:34:56Z Jo Pilot
class ScoreEntry {
public:
    static int const nameMax = 16; // characters

    std::string name;      // 1 to nameMax printable ASCII characters, no space at either end
    long score;            // points, 0 or more
    int wave;              // last wave reached, 0 or more
    int kills;             // enemies destroyed, 0 or more
    Difficulty difficulty; // the difficulty the game was played at
    long long date;        // when the game ended: seconds since 1970-01-01 00:00 UTC

    // "Pilot", 0 points, at the start of 1970.
    ScoreEntry();
    ScoreEntry(std::string const& name, long score, int wave, int kills, Difficulty difficulty,
               long long date);

    bool operator==(ScoreEntry const& o) const;
    bool operator!=(ScoreEntry const& o) const { return !(*this == o); }
    // The table's order: the higher score first; of equal scores, the one
    // reached earlier.
    bool before(ScoreEntry const& o) const;

    // The entry as its line in the file, without the line end.
    std::string toLine() const;
    // Reads a line written by toLine(); false (out untouched) when any field
    // is missing, out of range or followed by anything but the name.
    static bool parse(std::string const& line, ScoreEntry& out);

    // "2024-05-01T12:34:56Z" (UTC, ISO 8601 with seconds); years 1970-9999.
    static std::string formatDate(long long t);
    static bool parseDate(std::string const& text, long long& t);

    // A byte the game's fonts draw and the file keeps as it is: printable
    // ASCII, space to '~'.
    static bool nameChar(char c);
    // True for a name an entry may hold (see name).
    static bool validName(std::string const& name);
    // raw cut down to a valid name: other bytes dropped, spaces trimmed,
    // at most nameMax characters. Empty when nothing of raw is left.
    static std::string cleanName(char const* raw);
};

#endif
