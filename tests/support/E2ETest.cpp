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

Image E2ETest::shot() {
    // 1280 x 720 at 24 bits, rows of 3840 bytes, behind a 54-byte header.
    const long size = 54 + 1280L * 720 * 3;
    std::string name = "screenshot_" + std::to_string(shots + 1) + ".bmp";
    RunDir& d = runDir();
    // A release and the next press within one frame are not seen: press
    // again, after a pause longer than a slow frame, until the file is there.
    bool written = waitUntil(
        [&] {
            bool done = game->keyUntil(
                "F1", [&] { return d.size(name) == size; }, 1000);
            if (!done) sleepMs(250);
            return done;
        },
        15000, 1);
    sleepMs(250); // F1 stays up for a frame or more
    EXPECT_TRUE(written) << name << " was not written";
    ++shots;
    return written ? Image::loadBmp(d.file(name)) : Image();
}

Image E2ETest::grab() {
    std::string path = runDir().file("grab.bmp");
    return grabScreen(xvfb->display(), path) ? Image::loadBmp(path) : Image();
}

bool E2ETest::showsGame(Image const& screen) {
    // The score panel, top left: bright lines where a menu shows the dark sky.
    return screen.ok() && screen.brighterThan(64, 0, 0, 200, 45) > 0.15;
}

bool E2ETest::enterGame(int timeoutMs) {
    return waitUntil(
        [&] {
            if (showsGame(grab())) return true;
            game->key("Return");
            return false;
        },
        timeoutMs, 100);
}

bool E2ETest::enterGameBlind() {
    if (!game->key("Return")) return false;
    sleepMs(1800);
    if (!game->key("Return")) return false;
    sleepMs(1800);
    return game->running();
}

bool E2ETest::quitFromPlay() {
    return game->key("Escape") && game->key("End") && game->key("Return");
}

} // namespace testsupport
