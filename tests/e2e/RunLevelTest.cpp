#include "tests/support/E2ETest.h"

#include <csignal>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using testsupport::E2ETest;
using testsupport::GameProcess;
using testsupport::nowMs;

namespace {

std::vector<std::string> lines(std::string const& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

bool startsWith(std::string const& s, std::string const& head) {
    return s.rfind(head, 0) == 0;
}
bool endsWith(std::string const& s, std::string const& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(E2ETest, StartUpPrintsTheLoadingLogAndTextureMemory) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    game.key("Escape");
    ASSERT_TRUE(game.waitExit(10000));
    EXPECT_EQ(game.exitCode(), 0);

    // The whole of standard output: the loading log with every asset found,
    // then the texture-memory line, and nothing after it.
    std::vector<std::string> out = lines(game.out());
    ASSERT_EQ(out.size(), 1u + 38 + 4 + 3) << game.out();
    EXPECT_EQ(out[0], ":: loading resources...");
    for (int i = 1; i <= 38; i++) {
        EXPECT_TRUE(startsWith(out[i], "Loading texture gfx/")) << out[i];
        EXPECT_TRUE(endsWith(out[i], ".png... OK")) << out[i];
    }
    for (int i = 39; i <= 42; i++) {
        EXPECT_TRUE(startsWith(out[i], "Loading image gfx/")) << out[i];
        EXPECT_TRUE(endsWith(out[i], "font.png... OK")) << out[i];
    }
    EXPECT_EQ(out[43], ":: Generating procedural textures... OK");
    EXPECT_EQ(out[44], ":: All done.");
    double mb = -1;
    char tail[32] = "";
    ASSERT_EQ(sscanf(out[45].c_str(), "Used texture memory: %lf %31s", &mb, tail), 2) << out[45];
    EXPECT_STREQ(tail, "megabytes");
    // Six decimals, as printf's %f gives them.
    EXPECT_TRUE(std::regex_match(out[45], std::regex("Used texture memory: [0-9]+\\.[0-9]{6} megabytes")))
        << out[45];
    // 38 textures, the font sheets and the particle discs: several megabytes.
    EXPECT_GT(mb, 1.0);
    EXPECT_LT(mb, 512.0);
}

TEST_F(E2ETest, EscapeOnTheTitleQuitsAfterTheOneSecondFade) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    long pressed = nowMs();
    ASSERT_TRUE(game.key("Escape"));
    ASSERT_TRUE(game.waitExit(10000)) << "still running after Escape";
    long took = game.exitedAtMs() - pressed;
    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_GE(took, 1000) << "quit before the fade was over";
    EXPECT_LE(took, 3500) << "quit long after the fade was over";
}

TEST_F(E2ETest, EscapeDuringTheTitleFadeIsIgnoredALaterOneQuits) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    long pressed = nowMs();
    ASSERT_TRUE(game.key("Return"));
    ASSERT_TRUE(game.keyDown("Escape"));
    long escaped = nowMs();
    testsupport::sleepMs(300);
    ASSERT_TRUE(game.keyUp("Escape"));
    ASSERT_LT(escaped - pressed, 700) << "too slow to press Escape within the fade";
    // Had that Escape counted, the program would end about a second after it.
    EXPECT_FALSE(game.waitExit(2200 - (int)(nowMs() - pressed))) << "the Escape during the fade quit";
    ASSERT_TRUE(game.running());

    // The main menu has faded in (1000 ms out, 500 ms in): there Escape quits.
    long second = nowMs();
    ASSERT_TRUE(game.key("Escape"));
    ASSERT_TRUE(game.waitExit(10000)) << "the later Escape did not quit";
    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_GE(game.exitedAtMs() - second, 1000);
}

TEST_F(E2ETest, TerminationSignalEndsTheProgramWithStatusZero) {
    GameProcess& game = start();
    ASSERT_TRUE(game.waitForStart());
    long sent = nowMs();
    game.signal(SIGTERM);
    ASSERT_TRUE(game.waitExit(5000));
    EXPECT_EQ(game.exitSignal(), 0);
    EXPECT_EQ(game.exitCode(), 0);
    // The window-close path skips the fade.
    EXPECT_LT(game.exitedAtMs() - sent, 900);
}

} // namespace

namespace {

// One line of the start-up trace: "startup <end> <took> <phase>".
struct TraceLine {
    double end, took; // ms
    std::string phase;
};

} // namespace

TEST_F(E2ETest, StartUpTraceTellsThePhasesFromExecToTheFirstTitleFrame) {
    // With the trace and --quit-after-title the program ends by itself once
    // the title is out (a start that could not reach the X server is tried again).
    GameProcess* game = nullptr;
    for (int attempt = 0; attempt < 5; attempt++) {
        game = &start({"VORLANE_STARTUP_TRACE=1", "SDL_AUDIODRIVER=dummy"}, true, {}, {"--quit-after-title"});
        ASSERT_TRUE(game->waitExit(20000)) << "still running after the title";
        std::string err = game->err();
        bool noX = err.find("Error opening the window") != std::string::npos ||
                   err.find("Error initializing SDL") != std::string::npos;
        if (game->exitCode() == 0 || !noX) break;
    }
    ASSERT_EQ(game->exitCode(), 0) << game->err();
    // The rest of start-up ran after the title frame, before the end.
    EXPECT_NE(game->out().find("Used texture memory:"), std::string::npos);

    std::vector<std::string> err = lines(game->err());
    ASSERT_FALSE(err.empty());
    // "1" is no time of exec: the kernel's process start is the origin.
    EXPECT_EQ(err[0], "startup origin proc");
    std::vector<TraceLine> trace;
    for (size_t i = 1; i < err.size(); i++) {
        if (!startsWith(err[i], "startup ")) continue; // the libraries' own messages
        std::smatch m;
        ASSERT_TRUE(std::regex_match(err[i], m, std::regex("startup ([0-9]+\\.[0-9]) ([0-9]+\\.[0-9]) (.+)")))
            << err[i];
        TraceLine t = {std::stod(m[1].str()), std::stod(m[2].str()), m[3].str()};
        EXPECT_LE(t.took, t.end + 0.1) << err[i] << ": began before exec";
        EXPECT_LT(t.end, 20000) << err[i];
        trace.push_back(t);
    }
    auto at = [&](char const* phase) {
        for (TraceLine const& t : trace)
            if (t.phase == phase) return t.end;
        ADD_FAILURE() << "no phase \"" << phase << "\"";
        return -1.0;
    };
    // In the order start-up runs them; decoding may begin before the window.
    char const* order[] = {"exec to main",
                           "SDL init",
                           "window and GL context",
                           "upload gfx/title.png",
                           "world scene and shaders",
                           "first title frame",
                           "enemy drawing warm-up",
                           "sound effects"};
    for (size_t i = 1; i < sizeof order / sizeof order[0]; i++)
        EXPECT_LT(at(order[i - 1]), at(order[i])) << order[i - 1] << " / " << order[i];
    EXPECT_LT(at("decode gfx/hud_score.png"), at("upload gfx/hud_score.png"));
    EXPECT_LT(at("decode gfx/minifont.png"), at("first title frame"));
}
