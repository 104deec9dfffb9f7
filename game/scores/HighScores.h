// game/scores: the high-score table the player keeps in scores.txt.
// Folders build one way, base <- settings <- scores <- weapons <- actors <- hud <- world.
#ifndef VORLANE_GAME_SCORES_HIGHSCORES_H
#define VORLANE_GAME_SCORES_HIGHSCORES_H

#include "game/scores/ScoreEntry.h"

#include <cstddef>
#include <string>
#include <vector>

// The ten best games, kept in a text file between runs:
//     vorlane-scores 1
//     # score wave kills difficulty date name
//     12345 7 88 normal 2024-05-01T12:34:56Z Jo Pilot
// The first line names the format and its version. Saving never loses an
// entry: it takes a lock, reads the file again, merges this run's new entries
// into it and replaces it atomically, so games ending at the same time keep
// both their entries. A damaged file never stops the game: what can be read
// is kept, the file is copied aside (scores.txt.bad, .bad.1, ...) and one
// warning goes to standard error.
//
//     HighScores table;
//     table.load();
//     if (table.qualifies(score)) {
//         ScoreEntry e(HighScores::defaultName(), score, wave, kills, difficulty, time(nullptr));
//         table.add(e);
//         table.save();
//         int highlight = table.find(e); // -1 if it fell off meanwhile
//     }
class HighScores {
public:
    static int const size = 10;              // entries kept
    static size_t const maxFileSize = 65536; // bytes of the file read at most
    static int const version = 1;            // format version written
    static char const* const format;         // "vorlane-scores": the first word of the file

    std::vector<ScoreEntry> entries; // best first (ScoreEntry::before), at most size
    std::vector<ScoreEntry> unsaved; // added in this run and not yet in the file
    std::string path;                // the file; empty when there is nowhere to keep it
    std::string badSeen;             // the last damaged contents backed up, so the same damage is told once
    bool saveWarned;                 // the warning that the file cannot be written was given

    HighScores();

    // $XDG_DATA_HOME/vorlane/scores.txt (~/.local/share/... when that is not
    // set or not absolute); empty when there is no home directory.
    static std::string defaultPath();
    // The name offered for a new entry: $USER cut to a valid name, else "Pilot".
    static std::string defaultName();

    // Reads the table from defaultPath() or file. A missing file is an empty
    // table; a damaged one gives what can be read of it (see above). Entries
    // added but not yet saved stay in the table. Loading again shows what
    // other games saved meanwhile (before qualifies(), say).
    void load();
    void load(std::string const& file);

    // A game with this score would enter the table: it has points and beats
    // the tenth entry (a tie goes to the earlier game), or the table has room.
    bool qualifies(long score) const;
    // Puts e into entries in order and drops what falls below the tenth place.
    // Its index, -1 when it did not make the table.
    int insert(ScoreEntry const& e);
    // insert(), remembering e for the next save() when it made the table.
    int add(ScoreEntry const& e);
    // The index of an entry equal to e, -1 when none.
    int find(ScoreEntry const& e) const;

    // Writes this run's new entries into the file, merged with what the file
    // holds now, and takes the merged table as entries. True when the file
    // holds them; otherwise they stay in memory (shown for this run, tried
    // again on the next save) and one warning for the whole run says where
    // they could not be saved.
    bool save();

    // The table as aligned text with a heading line, one line per entry; a
    // short sentence when the table is empty. For "vorlane --scores"; narrow
    // for the screen: the date without the time and a shorter heading over
    // the difficulty, so that sixteen-character names fit 640 pixels of the
    // medium font.
    std::string text(bool narrow = false) const;

    // Reads the table from the bytes of a file (at most maxFileSize of it;
    // cut tells that there was more) into out, best first. Returns the
    // number of lines that could not be read; futureVersion is set, and
    // nothing read, when the first line names a later version of the format.
    static int parse(std::string const& bytes, bool cut, std::vector<ScoreEntry>& out, int& futureVersion);
    // Puts e into list (best first) and cuts list to size entries. Its
    // index, -1 when it did not stay.
    static int insertInto(std::vector<ScoreEntry>& list, ScoreEntry const& e);
    // The file's contents for entries.
    static std::string serialize(std::vector<ScoreEntry> const& entries);

private:
    // Reads the file into out, backing up and warning about damage. False when
    // the file exists but cannot be read or its damage could not be backed
    // up: it must not be replaced then.
    bool readFile(std::vector<ScoreEntry>& out);
    // Warns once that the table cannot be saved to path.
    void saveFailed(char const* why);
};

#endif
