#include "game/scores/HighScores.h"

#include "engine/util/AtomicFile.h"
#include "engine/util/BaseDirs.h"
#include "engine/util/FileLock.h"
#include "engine/util/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using quenth::Files;

char const* const HighScores::format = "vorlane-scores";

HighScores::HighScores() : saveWarned(false) {}

std::string HighScores::defaultPath() {
    std::string base = quenth::BaseDirs::dataHome();
    return base.empty() ? "" : base + "/vorlane/scores.txt";
}

std::string HighScores::defaultName() {
    std::string name = ScoreEntry::cleanName(getenv("USER"));
    return name.empty() ? "Pilot" : name;
}

void HighScores::load() {
    load(defaultPath());
}

void HighScores::load(std::string const& file) {
    path = file;
    entries.clear();
    if (!path.empty()) {
        // The lock keeps a second game from backing up the same damage at
        // once; reading alone would not need it, since the file is only ever
        // replaced whole.
        quenth::FileLock lock;
        lock.lock(path + ".lock");
        readFile(entries);
    }
    // Entries still waiting to be saved stay in the table.
    for (ScoreEntry const& e : unsaved) insertInto(entries, e);
}

bool HighScores::qualifies(long score) const {
    if (score <= 0) return false;
    return (int)entries.size() < size || score > entries.back().score;
}

int HighScores::insertInto(std::vector<ScoreEntry>& list, ScoreEntry const& e) {
    size_t at = 0;
    while (at < list.size() && !e.before(list[at])) ++at;
    if (at >= (size_t)size) return -1;
    list.insert(list.begin() + (long)at, e);
    if (list.size() > (size_t)size) list.resize(size);
    return (int)at;
}

int HighScores::insert(ScoreEntry const& e) {
    return insertInto(entries, e);
}

int HighScores::add(ScoreEntry const& e) {
    int at = insert(e);
    if (at >= 0) unsaved.push_back(e);
    return at;
}

int HighScores::find(ScoreEntry const& e) const {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == e) return (int)i;
    return -1;
}

int HighScores::parse(std::string const& bytes, bool cut, std::vector<ScoreEntry>& out, int& futureVersion) {
    out.clear();
    futureVersion = 0;
    int bad = 0;
    std::string const prefix = std::string(format) + " ";
    size_t start = 0;
    for (int n = 1; start < bytes.size(); ++n) {
        size_t end = bytes.find('\n', start);
        // The file ends inside a line: the rest of a cut file is not read at
        // all; an unfinished last line counts as damage but is kept if it can
        // be read.
        bool unfinished = end == std::string::npos;
        if (unfinished && cut) {
            ++bad;
            break;
        }
        if (unfinished) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (n == 1 && line.compare(0, prefix.size(), prefix) == 0) {
            std::string v = line.substr(prefix.size());
            bool digits =
                !v.empty() && v.size() < 10 && v.find_first_not_of("0123456789") == std::string::npos;
            int number = digits ? std::stoi(v) : 0;
            if (number < 1) {
                ++bad;
            } else if (number > version) {
                futureVersion = number;
                out.clear();
                return bad;
            }
            continue;
        }
        // Without its format line the file may still hold its entries.
        bool lineBad = unfinished || n == 1;
        ScoreEntry e;
        if (!line.empty() && line[0] != '#') {
            if (ScoreEntry::parse(line, e))
                insertInto(out, e);
            else
                lineBad = true;
        }
        bad += lineBad;
    }
    return bad;
}

std::string HighScores::serialize(std::vector<ScoreEntry> const& list) {
    std::string s = std::string(format) + " " + std::to_string(version) + "\n";
    s += "# score wave kills difficulty date name\n";
    for (ScoreEntry const& e : list) s += e.toLine() + "\n";
    return s;
}

bool HighScores::readFile(std::vector<ScoreEntry>& out) {
    out.clear();
    std::string bytes;
    bool cut = false;
    if (!Files::read(path, maxFileSize, bytes, cut)) {
        if (errno == ENOENT) return true;
        if (!saveWarned)
            fprintf(
                stderr,
                "vorlane: could not read the high scores in %s: %s; new scores are kept for this run only\n",
                path.c_str(), strerror(errno));
        saveWarned = true;
        return false;
    }
    int future = 0;
    int bad = parse(bytes, cut, out, future);
    if (!cut && bad == 0 && future == 0) return true;
    // Damaged, or from a later version: copied aside before anything replaces it.
    if (bytes == badSeen) return true;
    std::string copy = Files::backup(path);
    if (copy.empty()) {
        if (!saveWarned)
            fprintf(
                stderr,
                "vorlane: the high scores in %s are damaged and could not be copied aside: %s; the file is "
                "left alone and new scores are kept for this run only\n",
                path.c_str(), strerror(errno));
        saveWarned = true;
        return false;
    }
    badSeen = bytes;
    if (future)
        fprintf(stderr,
                "vorlane: the high scores in %s are in a later format (version %d); copied the file to %s, "
                "starting a new table\n",
                path.c_str(), future, copy.c_str());
    else if (cut)
        fprintf(stderr,
                "vorlane: the high scores in %s are larger than %u KiB; kept the %d entries read from its "
                "start, copied the file to %s\n",
                path.c_str(), (unsigned)(maxFileSize / 1024), (int)out.size(), copy.c_str());
    else
        fprintf(stderr,
                "vorlane: the high scores in %s are damaged (%d of its lines could not be read); kept %d "
                "entries, copied the file to %s\n",
                path.c_str(), bad, (int)out.size(), copy.c_str());
    return true;
}

bool HighScores::save() {
    if (unsaved.empty()) return true;
    if (path.empty()) {
        saveFailed("there is no home directory");
        return false;
    }
    // The lock file needs the directory.
    if (!Files::makeDirs(Files::dirName(path))) {
        saveFailed(strerror(errno));
        return false;
    }
    // Held from reading to renaming: another game saving at the same time
    // reads the file only after this one is in place, and keeps its entries.
    // Without a lock (a file system without flock) saving still beats losing
    // the scores.
    quenth::FileLock lock;
    lock.lock(path + ".lock");
    std::vector<ScoreEntry> merged;
    if (!readFile(merged)) return false;
    for (ScoreEntry const& e : unsaved) insertInto(merged, e);
    if (!quenth::AtomicFile::write(path, serialize(merged))) {
        saveFailed(strerror(errno));
        return false;
    }
    entries = merged;
    unsaved.clear();
    return true;
}

void HighScores::saveFailed(char const* why) {
    if (saveWarned) return;
    saveWarned = true;
    fprintf(stderr, "vorlane: could not save the high scores to %s: %s; they are kept for this run only\n",
            path.empty() ? "the scores file" : path.c_str(), why);
}

std::string HighScores::text(bool narrow) const {
    if (entries.empty()) return "No high scores yet.\n";
    // Each column as wide as its heading or its widest entry.
    int nameW = 4, scoreW = 5, waveW = 4, killsW = 5;
    for (ScoreEntry const& e : entries) {
        nameW = std::max(nameW, (int)e.name.size());
        scoreW = std::max(scoreW, (int)std::to_string(e.score).size());
        waveW = std::max(waveW, (int)std::to_string(e.wave).size());
        killsW = std::max(killsW, (int)std::to_string(e.kills).size());
    }
    char line[256];
    int levelW = narrow ? 6 : 10;
    snprintf(line, sizeof line, "%2s  %-*s  %*s  %*s  %*s  %-*s  %s\n", "#", nameW, "Name", scoreW, "Score",
             waveW, "Wave", killsW, "Kills", levelW, narrow ? "Level" : "Difficulty",
             narrow ? "Date" : "Date (UTC)");
    std::string s = line;
    for (size_t i = 0; i < entries.size(); ++i) {
        ScoreEntry const& e = entries[i];
        std::string date = ScoreEntry::formatDate(e.date);
        date[10] = ' ';
        date.resize(narrow ? 10 : date.size() - 1);
        snprintf(line, sizeof line, "%2d  %-*s  %*ld  %*d  %*d  %-*s  %s\n", (int)i + 1, nameW,
                 e.name.c_str(), scoreW, e.score, waveW, e.wave, killsW, e.kills, levelW,
                 difficultyName(e.difficulty), date.c_str());
        s += line;
    }
    return s;
}
