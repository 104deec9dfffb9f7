#ifndef TESTSUPPORT_E2ETEST_H
#define TESTSUPPORT_E2ETEST_H

#include "tests/support/GameProcess.h"
#include "tests/support/RunDir.h"
#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// Base fixture of the end-to-end tests: a private X server, a scratch run
// directory and at most one run of the game.
//
//     TEST_F(E2ETest, Something) {
//         GameProcess& game = start();          // assets linked, default env
//         ASSERT_TRUE(game.waitForStart());
//         ...
//     }
//
// Call runDir(assets) before start() to choose which asset directories are
// linked (and to add files of the test's own).
class E2ETest : public ::testing::Test {
protected:
    std::unique_ptr<Xvfb> xvfb;
    std::unique_ptr<RunDir> dir;
    std::unique_ptr<GameProcess> game;

    void SetUp() override;
    void TearDown() override;

    // The scratch directory, made on first use with the given assets.
    RunDir& runDir(unsigned assets = RunDir::ALL_ASSETS);
    // Starts the game on the test's display (or with no display at all).
    GameProcess& start(std::vector<std::string> const& env = {}, bool withDisplay = true,
                       std::vector<std::string> const& prefix = {},
                       std::vector<std::string> const& args = {});
};

} // namespace testsupport

#endif
