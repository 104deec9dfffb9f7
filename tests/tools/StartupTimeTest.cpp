// tools/startup-time.sh over the real program: its summary comes out whole
// and the figures in it are the runs' own. The script starts X servers of
// its own (xvfb-run), so this is one of the tests that need a display.

#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#ifndef VORLANE_SOURCE_DIR
#define VORLANE_SOURCE_DIR "."
#endif

TEST(StartupTime, TimesTheRunsAndSumsTheirPhases) {
    char const* run = getenv("VORLANE_RUN_DIR");
    ASSERT_NE(run, nullptr);
    std::string cmd = std::string("bash " VORLANE_SOURCE_DIR "/tools/startup-time.sh 3 ") + run + " 40 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    ASSERT_EQ(pclose(p), 0) << out;

    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, std::regex("runs: 3 ")));
    ASSERT_TRUE(std::regex_search(
        out, m, std::regex("exec -> first title frame: median ([0-9.]+) ms, worst ([0-9.]+) ms")))
        << out;
    double median = std::stod(m[1].str()), worst = std::stod(m[2].str());
    EXPECT_GT(median, 10) << out;
    EXPECT_LE(median, worst) << out;
    // Each kind of file phase sums every file of a run; a phase's median
    // cannot be above its worst, and the phases of the program are there.
    ASSERT_TRUE(std::regex_search(out, m, std::regex("all decode \\(42 files\\) +([0-9.]+) +([0-9.]+)")))
        << out;
    EXPECT_GT(std::stod(m[1].str()), 0) << out;
    EXPECT_LE(std::stod(m[1].str()), std::stod(m[2].str())) << out;
    EXPECT_TRUE(std::regex_search(out, std::regex("\nwindow and GL context +[0-9.]+ +[0-9.]+\n"))) << out;
    EXPECT_TRUE(std::regex_search(out, std::regex("\nall upload \\(42 files\\) +[0-9.]+ +[0-9.]+\n"))) << out;
}
