#include "tests/support/E2ETest.h"

#include <filesystem>
#include <iostream>

namespace testsupport {

void E2ETest::SetUp() {
    std::error_code ec;
    ASSERT_TRUE(std::filesystem::exists(RunDir::program(), ec))
        << "the game program is not built: " << RunDir::program();
    xvfb.reset(new Xvfb());
    ASSERT_TRUE(xvfb->ok()) << "Xvfb did not start";
}

void E2ETest::TearDown() {
    // On failure, show what the game said.
    if (game && HasFailure()) {
        std::cerr << "game standard output:\n"
                  << game->out() << "\ngame standard error:\n"
                  << game->err() << "\n";
    }
    game.reset();
    dir.reset();
    xvfb.reset();
}

RunDir& E2ETest::runDir(unsigned assets) {
    if (!dir) dir.reset(new RunDir(assets));
    return *dir;
}

GameProcess& E2ETest::start(std::vector<std::string> const& env, bool withDisplay,
                            std::vector<std::string> const& prefix, std::vector<std::string> const& args) {
    game.reset(new GameProcess(runDir(), withDisplay ? xvfb->display() : "", env, prefix, args));
    return *game;
}

} // namespace testsupport
