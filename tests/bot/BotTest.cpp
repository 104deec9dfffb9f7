#include <gtest/gtest.h>

#include <cstdio>
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

// A minute of bot play, twice at once on one X server: the whole game on the
// fixed clock from the title through the quit fade. Both runs must end well,
// agree on every figure, and allocate nothing in frames where no game object
// was made or destroyed.
TEST(BotTest, AMinuteOfPlayRepeatsExactlyAndSteadyFramesAllocateNothing) {
    testsupport::Xvfb x;
    ASSERT_TRUE(x.ok());
    std::vector<std::string> argv = {VORLANE_BOT, "3", "1", "--size", "320x180"};
    std::string out[2];
    int rc[2] = {-1, -1};
    std::thread second([&] { rc[1] = testsupport::runCommand(argv, x.display(), &out[1], 150000); });
    rc[0] = testsupport::runCommand(argv, x.display(), &out[0], 150000);
    second.join();
    EXPECT_EQ(rc[0], 0);
    EXPECT_EQ(rc[1], 0);

    std::string a = summary(out[0]), b = summary(out[1]);
    ASSERT_FALSE(a.empty()) << out[0];
    EXPECT_EQ(a, b);

    unsigned long long frames = 0, steadyAllocs = 1, steadyFrames = 0;
    int wave = 0;
    ASSERT_EQ(sscanf(a.c_str(), "bot seed 3 normal: %*f min, %llu frames, wave %d", &frames, &wave), 2) << a;
    size_t at = a.find(" allocs in ");
    ASSERT_NE(at, std::string::npos) << a;
    size_t start = a.rfind(", ", at) + 2;
    ASSERT_EQ(sscanf(a.c_str() + start, "%llu allocs in %llu steady frames", &steadyAllocs, &steadyFrames), 2)
        << a;
    // A minute of 16 ms frames, the title and the quit fade around it.
    EXPECT_GT(frames, 3750u);
    EXPECT_GE(wave, 1);
    EXPECT_GT(steadyFrames, 1000u);
    EXPECT_EQ(steadyAllocs, 0u) << a;
}

} // namespace
