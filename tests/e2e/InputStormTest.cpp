#include "tests/support/E2ETest.h"
#include "tests/support/Image.h"

#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

using testsupport::E2ETest;
using testsupport::GameProcess;
using testsupport::Image;

namespace {

// 1280 x 720 at 24 bits behind a 54-byte header.
const long BMP_SIZE = 54 + 1280L * 720 * 3;

// Random key, button and mouse events, sent in chains of xdotool commands so
// that hundreds of them take seconds, not minutes. Keys and buttons go down
// and come up at random moments, several at a time; everything still held is
// let go at the end.
class Storm {
public:
    explicit Storm(unsigned seed) : rng(seed) {}

    int sent = 0; // events sent so far

    // count events; on the title page (leaveTitle false) nothing that would
    // leave it: no Return, Space, keypad Enter or mouse button.
    bool blow(GameProcess& game, int count, bool leaveTitle) {
        std::vector<std::string> chain;
        for (int i = 0; i < count; i++) {
            event(chain, leaveTitle);
            chain.push_back("sleep");
            chain.push_back(pick({"0", "0.005", "0.01", "0.02", "0.04"}));
            if (chain.size() > 60 || i == count - 1) {
                if (!game.xdotool(chain)) return false;
                chain.clear();
            }
        }
        return true;
    }

    // Lets go of every key and button still held.
    bool calm(GameProcess& game) {
        std::vector<std::string> chain;
        for (std::string const& k : keys) {
            chain.push_back("keyup");
            chain.push_back(k);
        }
        for (int b : buttons) {
            chain.push_back("mouseup");
            chain.push_back(std::to_string(b));
        }
        keys.clear();
        buttons.clear();
        return chain.empty() || game.xdotool(chain);
    }

private:
    std::mt19937 rng;
    std::set<std::string> keys; // keys held down
    std::set<int> buttons;      // mouse buttons held down

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    std::string pick(std::vector<std::string> const& from) { return from[below((int)from.size())]; }

    void event(std::vector<std::string>& chain, bool leaveTitle) {
        static const std::vector<std::string> playKeys = {
            "w", "a", "s",  "d",    "w",    "a",     "s",       "d",         "q",   "e",         "x",
            "1", "2", "Up", "Left", "Down", "Right", "Shift_L", "Control_L", "Tab", "BackSpace", "F2"};
        static const std::vector<std::string> titleLeavers = {"Return", "space", "KP_Enter"};
        sent++;
        // On the title page the button share goes to the pointer instead.
        int r = below(100);
        if (!leaveTitle && r >= 65 && r < 93) r = below(30);
        if (r < 30) {
            // The screen is 1280 x 720; the pointer stays on it.
            chain.insert(chain.end(), {"mousemove", std::to_string(below(1280)), std::to_string(below(720))});
        } else if (r < 65) {
            std::string k = leaveTitle && below(5) == 0 ? pick(titleLeavers) : pick(playKeys);
            bool down = keys.count(k) != 0;
            chain.insert(chain.end(), {down ? "keyup" : "keydown", k});
            if (down)
                keys.erase(k);
            else
                keys.insert(k);
        } else if (r < 90) {
            int b = 1 + below(3);
            bool down = buttons.count(b) != 0;
            chain.insert(chain.end(), {down ? "mouseup" : "mousedown", std::to_string(b)});
            if (down)
                buttons.erase(b);
            else
                buttons.insert(b);
        } else if (r < 93) {
            chain.insert(chain.end(), {"click", pick({"4", "5"})}); // the wheel
        } else if (r < 95) {
            // A screenshot now and then, held long enough for a frame or two.
            chain.insert(chain.end(), {"keydown", "F1", "sleep", "0.05", "keyup", "F1"});
        } else {
            // A quick tap, often shorter than a frame.
            std::string k = pick(playKeys);
            if (keys.count(k)) k = "z";
            chain.insert(chain.end(), {"keydown", k, "keyup", k});
        }
    }
};

// The newest screenshot number written into dir, 0 for none.
int lastScreenshot(testsupport::RunDir& dir) {
    int n = 0;
    while (dir.exists("screenshot_" + std::to_string(n + 1) + ".bmp")) n++;
    return n;
}

// Takes one more screenshot and returns it.
Image shoot(GameProcess& game, testsupport::RunDir& dir) {
    std::string name = "screenshot_" + std::to_string(lastScreenshot(dir) + 1) + ".bmp";
    if (!game.keyUntil(
            "F1", [&] { return dir.size(name) == BMP_SIZE; }, 20000))
        return Image();
    return Image::loadBmp(dir.file(name));
}

// Hundreds of random events through the title page, the main menu, the fades
// and the game; the program keeps running all through and Quit game at the
// end quits it cleanly. VORLANE_STORM_SEED replays another storm.
TEST_F(E2ETest, InputStormThroughTitleMenuAndGameEndsWithStatusZero) {
    unsigned seed = 20111208;
    if (const char* s = std::getenv("VORLANE_STORM_SEED")) seed = (unsigned)std::strtoul(s, nullptr, 10);
    SCOPED_TRACE("storm seed " + std::to_string(seed));
    Storm storm(seed);

    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart(60000));
    testsupport::RunDir& dir = runDir();
    Image title = shoot(game, dir);
    ASSERT_TRUE(title.ok());

    // The title page: steering keys, the pointer, screenshots.
    ASSERT_TRUE(storm.blow(game, 120, false));
    ASSERT_TRUE(game.running()) << "ended during the storm on the title page";

    // The main menu: the storm moves the selection and the pointer but
    // chooses nothing (no Return, Space, keypad Enter or button).
    ASSERT_TRUE(storm.calm(game));
    ASSERT_TRUE(game.key("Return"));
    testsupport::sleepMs(1800);
    ASSERT_TRUE(storm.blow(game, 120, false));
    ASSERT_TRUE(storm.calm(game));
    ASSERT_TRUE(game.running()) << "ended during the storm in the menu";

    // Home selects Play. In the game every key of the storm counts, the
    // menu's among them.
    ASSERT_TRUE(game.key("Home"));
    ASSERT_TRUE(enterGame());
    ASSERT_TRUE(storm.blow(game, 360, true));
    ASSERT_TRUE(game.running()) << "ended during the storm";
    ASSERT_TRUE(storm.calm(game));
    EXPECT_GE(storm.sent, 600);

    // The game is on screen, not the title page.
    testsupport::sleepMs(2000);
    ASSERT_TRUE(game.running());
    Image play = shoot(game, dir);
    ASSERT_TRUE(play.ok());
    EXPECT_GT(play.meanDifference(title), 5.0) << "the title page is still on screen";

    ASSERT_TRUE(quitFromPlay());
    ASSERT_TRUE(game.waitExit(30000)) << "still running after Quit game";
    EXPECT_EQ(game.exitSignal(), 0);
    EXPECT_EQ(game.exitCode(), 0);
}

} // namespace
