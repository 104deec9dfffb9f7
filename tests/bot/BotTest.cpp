#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "tests/support/GameProcess.h"
#include "tests/support/Xvfb.h"

namespace {

// The summary line of a bot run, without its last field (peak memory, which
// the GL driver's threads make vary from run to run); empty when missing.
std::string summary(std::string const& out) {
    size_t at = out.find("bot seed ");
    if (at == std::string::npos) return "";
    std::string line = out.substr(at, out.find('\n', at) - at);
    return line.substr(0, line.find(", peak rss"));
}

// The figures of a summary line.
struct Summary {
    bool ok = false;
    unsigned long long frames = 0, steadyAllocs = 1, steadyFrames = 0;
    int games = 0, wave = 0;
};

Summary parse(std::string const& line) {
    Summary s;
    int seed;
    if (sscanf(line.c_str(), "bot seed %d: %*f min, %llu frames, games %d, wave %d", &seed, &s.frames,
               &s.games, &s.wave) != 4)
        return s;
    size_t at = line.find(" allocs in ");
    if (at == std::string::npos) return s;
    size_t start = line.rfind(", ", at) + 2;
    s.ok = sscanf(line.c_str() + start, "%llu allocs in %llu steady frames", &s.steadyAllocs,
                  &s.steadyFrames) == 2;
    return s;
}

// A minute of bot play, twice at once on one X server: the whole game on the
// fixed clock from the title through the quit fade, the second run with the
// music and every effect playing on SDL's null sound device. Both runs must
// end well, agree on every figure (sound changes nothing in play), and
// allocate nothing in frames where no game object was made or destroyed.
TEST(BotTest, AMinuteOfPlayRepeatsExactlyWithSoundAndSteadyFramesAllocateNothing) {
    testsupport::Xvfb x;
    ASSERT_TRUE(x.ok());
    setenv("SDL_AUDIODRIVER", "dummy", 1); // before the thread, read by the bots
    std::vector<std::string> argv = {VORLANE_BOT, "3", "1", "--size", "320x180"};
    std::vector<std::string> withSound = argv;
    withSound.push_back("--audio");
    std::string out[2];
    int rc[2] = {-1, -1};
    std::thread second([&] { rc[1] = testsupport::runCommand(withSound, x.display(), &out[1], 150000); });
    rc[0] = testsupport::runCommand(argv, x.display(), &out[0], 150000);
    second.join();
    EXPECT_EQ(rc[0], 0);
    EXPECT_EQ(rc[1], 0);
    EXPECT_NE(out[1].find("sound: 44100 Hz, 2 channels out, music loaded, 23 of 23 effects"),
              std::string::npos)
        << out[1];

    std::string a = summary(out[0]), b = summary(out[1]);
    ASSERT_FALSE(a.empty()) << out[0];
    EXPECT_EQ(a, b);

    Summary s = parse(a);
    ASSERT_TRUE(s.ok) << a;
    // A minute of 16 ms frames, the title, the menu and the quit fade around it.
    EXPECT_GT(s.frames, 3750u);
    EXPECT_EQ(s.games, 1);
    EXPECT_GE(s.wave, 1);
    EXPECT_GT(s.steadyFrames, 1000u);
    EXPECT_EQ(s.steadyAllocs, 0u) << a;
    // The bot pauses 20 s into the game and again to quit; nothing of the game
    // may move while paused.
    EXPECT_NE(out[0].find("2 pauses, 0 frames in which the paused game moved"), std::string::npos) << out[0];
}

// With one ship a game, the bot loses again and again and plays again at once
// (Return on the game-over figures): each new game starts from nothing (the
// bot checks score, wave and kills) and steady frames still allocate nothing.
// A game that makes the table has the bot type its name over the one offered;
// it checks that the entry holds that name and the game's figures.
TEST(BotTest, GameOverAndPlayAgainAgainAndAgain) {
    testsupport::Xvfb x;
    ASSERT_TRUE(x.ok());
    std::string out;
    int rc = testsupport::runCommand({VORLANE_BOT, "5", "0.75", "--size", "320x180", "--one-life"},
                                     x.display(), &out, 150000);
    EXPECT_EQ(rc, 0) << out;
    std::string a = summary(out);
    Summary s = parse(a);
    ASSERT_TRUE(s.ok) << out;
    EXPECT_GE(s.games, 3) << a;
    EXPECT_EQ(s.steadyAllocs, 0u) << a;
    int entries = 0;
    size_t named = out.find(" high scores entered");
    ASSERT_NE(named, std::string::npos) << out;
    entries = atoi(out.c_str() + out.rfind('\n', named) + 1);
    EXPECT_GE(entries, 1) << out;
    // Every second game over goes back to the main menu, and every way from
    // the menu to a game passes the Controls and Options pages, where the
    // music volume goes down a step and back.
    int overs = -1, tours = -1, volume = -1;
    size_t at = out.find(" ways through the main menu");
    ASSERT_NE(at, std::string::npos) << out;
    sscanf(out.c_str() + out.rfind('\n', at) + 1,
           "%d game overs, %d ways through the main menu's Controls and Options pages, music volume %d%%",
           &overs, &tours, &volume);
    EXPECT_GE(overs, 2) << out;
    EXPECT_EQ(tours, 1 + overs / 2) << out;
    EXPECT_EQ(volume, 70);
}

} // namespace
