#include "game/scores/ScoreEntry.h"

#include <cstdio>
#include <ctime>

namespace {

// Seconds of 9999-12-31T23:59:59Z: dates stay four-digit years.
const long long lastDate = 253402300799LL;

// A plain decimal number below 10^digits: no sign, no spaces.
bool parseNumber(std::string const& s, int digits, long long& out) {
    if (s.empty() || (int)s.size() > digits) return false;
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

} // namespace

ScoreEntry::ScoreEntry()
    : name("Pilot"), score(0), wave(0), kills(0), difficulty(DIFFICULTY_NORMAL), date(0) {}

ScoreEntry::ScoreEntry(std::string const& name, long score, int wave, int kills, Difficulty difficulty,
                       long long date)
    : name(name), score(score), wave(wave), kills(kills), difficulty(difficulty), date(date) {}

bool ScoreEntry::operator==(ScoreEntry const& o) const {
    return name == o.name && score == o.score && wave == o.wave && kills == o.kills &&
           difficulty == o.difficulty && date == o.date;
}

bool ScoreEntry::before(ScoreEntry const& o) const {
    return score > o.score || (score == o.score && date < o.date);
}

std::string ScoreEntry::toLine() const {
    return std::to_string(score) + " " + std::to_string(wave) + " " + std::to_string(kills) + " " +
           difficultyName(difficulty) + " " + formatDate(date) + " " + name;
}

bool ScoreEntry::parse(std::string const& line, ScoreEntry& out) {
    // Five fields, each ended by one space, then the name.
    std::string field[5];
    size_t at = 0;
    for (int i = 0; i < 5; ++i) {
        size_t sp = line.find(' ', at);
        if (sp == std::string::npos) return false;
        field[i] = line.substr(at, sp - at);
        at = sp + 1;
    }
    ScoreEntry e;
    long long score, wave, kills;
    if (!parseNumber(field[0], 18, score) || !parseNumber(field[1], 9, wave) ||
        !parseNumber(field[2], 9, kills) || !parseDifficulty(field[3].c_str(), e.difficulty) ||
        !parseDate(field[4], e.date))
        return false;
    e.name = line.substr(at);
    if (!validName(e.name)) return false;
    e.score = (long)score;
    e.wave = (int)wave;
    e.kills = (int)kills;
    out = e;
    return true;
}

std::string ScoreEntry::formatDate(long long t) {
    if (t < 0) t = 0;
    if (t > lastDate) t = lastDate;
    time_t tt = (time_t)t;
    struct tm tm;
    gmtime_r(&tt, &tm);
    char buf[80];
    snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02dZ", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
             tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

bool ScoreEntry::parseDate(std::string const& text, long long& t) {
    // YYYY-MM-DDTHH:MM:SSZ, every digit in its place.
    char const* pattern = "dddd-dd-ddTdd:dd:ddZ";
    if (text.size() != 20) return false;
    for (int i = 0; i < 20; ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == 'd' ? !digit : text[i] != pattern[i]) return false;
    }
    struct tm tm = {};
    tm.tm_year = std::stoi(text.substr(0, 4)) - 1900;
    tm.tm_mon = std::stoi(text.substr(5, 2)) - 1;
    tm.tm_mday = std::stoi(text.substr(8, 2));
    tm.tm_hour = std::stoi(text.substr(11, 2));
    tm.tm_min = std::stoi(text.substr(14, 2));
    tm.tm_sec = std::stoi(text.substr(17, 2));
    long long v = (long long)timegm(&tm);
    // timegm carries 2024-02-30 over into March; such a date is not one.
    if (v < 0 || formatDate(v) != text) return false;
    t = v;
    return true;
}

bool ScoreEntry::nameChar(char c) {
    return c >= ' ' && c <= '~';
}

bool ScoreEntry::validName(std::string const& name) {
    if (name.empty() || (int)name.size() > nameMax || name.front() == ' ' || name.back() == ' ') return false;
    for (char c : name)
        if (!nameChar(c)) return false;
    return true;
}

std::string ScoreEntry::cleanName(char const* raw) {
    std::string s;
    for (char const* p = raw ? raw : ""; *p; ++p)
        if (nameChar(*p) && !(s.empty() && *p == ' ')) s += *p;
    if ((int)s.size() > nameMax) s.resize(nameMax);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}
