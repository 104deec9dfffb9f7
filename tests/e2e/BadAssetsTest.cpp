// The game must start, play and quit normally whatever a user did to gfx/:
// removed it, deleted one font sheet, or left a damaged image in place.
#include "tests/support/E2ETest.h"

#include <dirent.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using testsupport::E2ETest;
using testsupport::GameProcess;
using testsupport::RunDir;

namespace {

// The image files the build made (file names only).
std::vector<std::string> builtImages() {
    std::vector<std::string> names;
    DIR* d = opendir((RunDir::buildRunDir() + "/gfx").c_str());
    if (!d) return names;
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n.size() > 4 && n.compare(n.size() - 4, 4, ".png") == 0) names.push_back(n);
    }
    closedir(d);
    return names;
}

int count(std::string const& text, std::string const& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) n++;
    return n;
}

class BadAssetsTest : public E2ETest {
protected:
    // A run directory with music and shaders linked and a copy of every built
    // image except those in leaveOut.
    void copyImagesExcept(std::vector<std::string> const& leaveOut) {
        std::vector<std::string> names = builtImages();
        ASSERT_GE(names.size(), 40u) << "the build's gfx/ is missing; build the asset generator";
        RunDir& d = runDir(RunDir::SFX | RunDir::SHADERS);
        for (std::string const& n : names) {
            bool skip = false;
            for (std::string const& l : leaveOut) skip = skip || l == n;
            if (!skip) {
                ASSERT_TRUE(d.copyFromBuild("gfx/" + n)) << n;
            }
        }
    }

    // From the title through the menu into the game, some seconds of play
    // with the mouse held (shooting draws more of the game), then Quit game
    // from the pause menu: the program must end normally.
    void playAndQuit(GameProcess& game) {
        ASSERT_TRUE(game.waitForStart()) << game.out() << game.err();
        ASSERT_TRUE(enterGameBlind()) << game.err();
        ASSERT_TRUE(game.mouseMove(900, 300));
        ASSERT_TRUE(game.click(1, 1000));
        ASSERT_TRUE(game.click(3, 500));
        ASSERT_TRUE(game.running()) << game.err();
        ASSERT_TRUE(quitFromPlay());
        ASSERT_TRUE(game.waitExit(10000)) << "still running after Quit game";
        EXPECT_EQ(0, game.exitSignal());
        EXPECT_EQ(0, game.exitCode());
    }
};

TEST_F(BadAssetsTest, WithoutGfxEveryImageFailsAndTheGameStillRuns) {
    runDir(RunDir::SFX | RunDir::SHADERS);
    GameProcess& game = start();
    playAndQuit(game);
    std::string out = game.out();
    int textures = 0, images = 0;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        bool texture = line.rfind("Loading texture gfx/", 0) == 0;
        bool image = line.rfind("Loading image gfx/", 0) == 0;
        if (texture || image) {
            EXPECT_EQ(".png... ERROR", line.substr(line.size() - 13)) << line;
        }
        textures += texture;
        images += image;
    }
    EXPECT_EQ(38, textures) << out;
    EXPECT_EQ(4, images) << out;
    EXPECT_NE(std::string::npos, out.find(":: Generating procedural textures... OK\n:: All done.\n"));
}

TEST_F(BadAssetsTest, MissingFontSheetsLeaveTheirTextOutOnly) {
    // The title and the game-over text use the big font, the HUD the others.
    copyImagesExcept({"hugefont.png", "minifont.png"});
    GameProcess& game = start();
    playAndQuit(game);
    std::string out = game.out();
    EXPECT_NE(std::string::npos, out.find("Loading image gfx/hugefont.png... ERROR\n"));
    EXPECT_NE(std::string::npos, out.find("Loading image gfx/medfont.png... OK\n"));
    EXPECT_NE(std::string::npos, out.find("Loading image gfx/minifont.png... ERROR\n"));
    EXPECT_EQ(2, count(out, "... ERROR\n"));
}

TEST_F(BadAssetsTest, DamagedImagesFailToLoadAndTheGameStillRuns) {
    copyImagesExcept({"title.png", "player_mid.png", "smallfont.png"});
    RunDir& d = runDir();
    // Half of a real image, an empty file, and noise under a PNG name.
    std::ifstream in(RunDir::buildRunDir() + "/gfx/title.png", std::ios::binary);
    std::string real((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(real.size(), 100u);
    d.write("gfx/title.png", real.substr(0, real.size() / 2));
    d.write("gfx/player_mid.png", "");
    d.write("gfx/smallfont.png", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(3000, '\x5a'));
    GameProcess& game = start();
    playAndQuit(game);
    std::string out = game.out();
    EXPECT_NE(std::string::npos, out.find("Loading texture gfx/title.png... ERROR\n"));
    EXPECT_NE(std::string::npos, out.find("Loading texture gfx/player_mid.png... ERROR\n"));
    EXPECT_NE(std::string::npos, out.find("Loading image gfx/smallfont.png... ERROR\n"));
    EXPECT_EQ(3, count(out, "... ERROR\n"));
    EXPECT_NE(std::string::npos, out.find(":: All done.\n"));
}

} // namespace
