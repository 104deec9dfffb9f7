// The high-score table through the real program: a game played to its end
// with a score enters the player's name, the file keeps it and the table
// shows it marked; a damaged file is told once, copied aside, and the game
// plays on.

#include "tests/support/E2ETest.h"
#include "tests/support/GameScreen.h"
#include "tests/support/Image.h"

#include <cmath>
#include <string>

using namespace testsupport;

namespace {

const std::string QUIET = "SDL_AUDIODRIVER=dummy";
const std::string FILE_NAME = "data/vorlane/scores.txt";

// The gold of a new entry: the name field, then the entry's line in the table.
bool markedPixel(Pixel p) {
    return p.r > 150 && p.g > p.r * 0.65 && p.g < p.r * 0.92 && p.b < p.r * 0.55;
}

// The field's line below "Game Over" (1280 x 720), and bands as tall just
// above and below it: text fills the one and not the others, the fire of an
// explosion would spill over.
const Rect NAME_FIELD = {440, 420, 840, 444};
const Rect ABOVE_FIELD = {440, 396, 840, 420};
const Rect BELOW_FIELD = {440, 444, 840, 468};
const Rect TABLE = {300, 60, 980, 560}; // the table on the game-over panel and the page

int occurrences(std::string const& text, std::string const& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) n++;
    return n;
}

class HighScoresTest : public E2ETest {
protected:
    // From the main menu: Home, Down twice to "High scores", Return. A frame
    // must see each key up before the next goes down, or two Downs are one.
    void openScores() {
        for (char const* k : {"Home", "Down", "Down", "Return"}) {
            ASSERT_TRUE(game->key(k));
            sleepMs(200);
        }
    }
    // The field in gold under its white prompt. The ship's last fireball can
    // look like it for a moment; the field stays until Return (see the
    // caller: eight looks in a row, some three seconds).
    static bool showsNameField(Image const& img) {
        return count(img, NAME_FIELD, markedPixel) > 40 && count(img, ABOVE_FIELD, markedPixel) < 5 &&
               count(img, BELOW_FIELD, markedPixel) < 5 && count(img, ABOVE_FIELD, lightPixel) > 60 &&
               !showsMenu(img);
    }
    bool showsMarkedLine(Rect r) {
        return waitUntil([&] { return count(grab(), r, markedPixel) > 40; }, 5000, 200);
    }
};

// The ship stays where it is and fires plasma and laser while the aim
// circles it for the first 30 s, then holds fire until its last life is lost (at Hard, which the
// entry records, about a minute in all; a ship that kept firing would gather
// shields and repairs and might last for minutes). The field offers the login
// name; it is rubbed out, a name typed with a slip mended by Backspace, and
// Return saves it with the game's figures; "vorlane --scores" prints it
// afterwards.
TEST_F(HighScoresTest, AGameOverEntersTheTypedNameWhichTheFileAndTheTableKeep) {
    RunDir& dir = runDir();
    start({QUIET, "USER=tester"}, true, {}, {"--difficulty=hard"});
    ASSERT_TRUE(game->waitForStart());
    ASSERT_TRUE(game->mouseMove(640, 150));
    ASSERT_TRUE(enterGame());

    ASSERT_TRUE(game->xdotool({"mousedown", "1", "mousedown", "3"}));
    long ceaseFire = nowMs() + 30000;
    bool firing = true;
    int step = 0, seen = 0;
    bool named = waitUntil(
        [&] {
            double a = step++ * 0.7;
            game->mouseMove(640 + (int)(250 * cos(a)), 360 + (int)(250 * sin(a)));
            if (firing && nowMs() > ceaseFire) firing = !game->xdotool({"mouseup", "1", "mouseup", "3"});
            seen = showsNameField(grab()) ? seen + 1 : 0;
            return seen >= 8;
        },
        180000, 300);
    if (firing) {
        ASSERT_TRUE(game->xdotool({"mouseup", "1", "mouseup", "3"}));
    }
    ASSERT_TRUE(game->mouseMove(100, 700));
    ASSERT_TRUE(named) << "no name field after the game (or the game scored nothing)";
    EXPECT_TRUE(dir.read(FILE_NAME).empty()) << "saved before the name was entered";

    for (int i = 0; i < 6; ++i) ASSERT_TRUE(game->key("BackSpace", 150));
    ASSERT_TRUE(game->xdotool({"type", "--delay", "120", "Ace Pilox"}));
    ASSERT_TRUE(game->key("BackSpace"));
    ASSERT_TRUE(game->xdotool({"type", "--delay", "120", "t"}));
    ASSERT_TRUE(game->key("Return"));
    ASSERT_TRUE(game->waitForFile(FILE_NAME, 5000));

    std::string file = dir.read(FILE_NAME);
    EXPECT_EQ(file.rfind("vorlane-scores 1\n", 0), 0u) << file;
    EXPECT_EQ(occurrences(file, "\n"), 3) << file; // format, column names, the one entry
    long score = 0;
    int wave = -1, kills = -1;
    char difficulty[16] = "", date[32] = "", name[32] = "";
    size_t line = file.rfind('\n', file.size() - 2) + 1;
    ASSERT_EQ(sscanf(file.c_str() + line, "%ld %d %d %15s %31s %31[^\n]", &score, &wave, &kills, difficulty,
                     date, name),
              6)
        << file;
    EXPECT_GT(score, 0);
    EXPECT_GE(wave, 1);
    EXPECT_GT(kills, 0);
    EXPECT_STREQ(difficulty, "hard");
    EXPECT_STREQ(name, "Ace Pilot");

    // The table on the game-over panel, the entry marked, Play again selected;
    // Escape leads to the main menu, whose "High scores" marks it as well.
    EXPECT_TRUE(showsMarkedLine(TABLE)) << "the new entry is not marked on the game-over panel";
    EXPECT_TRUE(showsMenu(grab()));
    ASSERT_TRUE(game->key("Escape"));
    sleepMs(1500); // the fade to the menu
    openScores();
    EXPECT_TRUE(showsMarkedLine(TABLE)) << "the entry is not marked on the high-score page";
    ASSERT_TRUE(game->key("Escape"));
    ASSERT_TRUE(game->key("Escape"));
    ASSERT_TRUE(game->waitExit(10000));
    EXPECT_EQ(game->exitCode(), 0);
    EXPECT_EQ(game->err(), "");
    EXPECT_EQ(dir.read(FILE_NAME), file) << "rewritten without a new entry";

    // The next run's "--scores" prints it.
    GameProcess& printed = start({QUIET}, false, {}, {"--scores"});
    ASSERT_TRUE(printed.waitExit(10000));
    EXPECT_EQ(printed.exitCode(), 0);
    std::string out = printed.out();
    size_t row = out.find("\n 1  Ace Pilot  ");
    ASSERT_NE(row, std::string::npos) << out;
    std::string rowText = out.substr(row + 1, out.find('\n', row + 1) - row - 1);
    EXPECT_NE(rowText.find(" " + std::to_string(score) + "  "), std::string::npos) << rowText;
    EXPECT_NE(rowText.find(" hard "), std::string::npos) << rowText;
}

// Binary data with one good entry among it: the high-score page keeps the
// entry, the first look at the table warns once and copies the file aside,
// and a game plays.
TEST_F(HighScoresTest, ADamagedFileIsToldOnceCopiedAsideAndTheGamePlays) {
    RunDir& dir = runDir();
    std::string damaged = std::string("vorlane-scores 1\n\x7f"
                                      "ELF\x02\x01\x01\x00\xff\xfe\n",
                                      28) +
                          "4321 3 17 hard 2024-05-01T12:34:56Z Kept Pilot\n" +
                          "12x 1 1 easy 2024-05-01T12:00:00Z Bad\n";
    dir.write(FILE_NAME, damaged);
    start({QUIET});
    ASSERT_TRUE(game->waitForStart());
    ASSERT_TRUE(game->mouseMove(640, 150));
    ASSERT_TRUE(game->key("Return"));
    ASSERT_TRUE(waitUntil([&] { return showsMenu(grab()); }, 10000, 200));
    sleepMs(500); // the menu's fade in
    openScores();
    ASSERT_TRUE(game->waitForError("scores.txt are damaged", 5000));
    EXPECT_EQ(dir.read(FILE_NAME + ".bad"), damaged);
    // Back and in again: read again, not told again.
    ASSERT_TRUE(game->key("Escape"));
    openScores();
    ASSERT_TRUE(game->key("Escape"));
    ASSERT_TRUE(game->key("Home"));
    ASSERT_TRUE(enterGame());
    ASSERT_TRUE(quitFromPlay());
    ASSERT_TRUE(game->waitExit(10000));
    EXPECT_EQ(game->exitCode(), 0);
    std::string err = game->err();
    EXPECT_EQ(occurrences(err, "\n"), 1) << err;
    EXPECT_NE(err.find("2 of its lines could not be read); kept 1 entries"), std::string::npos) << err;
    EXPECT_FALSE(dir.exists(FILE_NAME + ".bad.1"));
    EXPECT_EQ(dir.read(FILE_NAME), damaged) << "nothing new was saved: the damaged file stays as it is";
}

} // namespace
