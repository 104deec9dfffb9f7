#ifndef TESTSUPPORT_E2ETEST_H
#define TESTSUPPORT_E2ETEST_H

#include "tests/support/GameProcess.h"
#include "tests/support/Image.h"
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
    int shots =
        0; // the game's screenshots taken by shot() in this run directory (numbering goes on from run to run)

    void SetUp() override;
    void TearDown() override;

    // The scratch directory, made on first use with the given assets.
    RunDir& runDir(unsigned assets = RunDir::ALL_ASSETS);
    // Starts the game on the test's display (or with no display at all).
    GameProcess& start(std::vector<std::string> const& env = {}, bool withDisplay = true,
                       std::vector<std::string> const& prefix = {},
                       std::vector<std::string> const& args = {});

    // Asks the game for a screenshot (F1) and reads it; the run's screenshots
    // must all come from here. The game draws the frame for it even when
    // nothing on screen changed.
    Image shot();
    // A picture of the test's screen taken from outside (the game's own
    // screenshot numbering stays the test's).
    Image grab();
    // The HUD's score panel is on the screen: a game is running.
    static bool showsGame(Image const& screen);
    // From the title page or the main menu into a game: Return until a grab
    // shows the HUD (Return does nothing during a fade or in play).
    bool enterGame(int timeoutMs = 20000);
    // The same without looking, for runs whose pictures cannot be read: Return
    // on the title, its fade to the menu and the menu's fade in, Return on
    // "Play", then that fade and the game's fade in.
    bool enterGameBlind();
    // In a game: Escape pauses it, End selects the pause menu's last item,
    // "Quit game", and Return chooses it; the quit fade follows.
    bool quitFromPlay();
};

} // namespace testsupport

#endif
