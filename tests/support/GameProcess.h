#ifndef TESTSUPPORT_GAMEPROCESS_H
#define TESTSUPPORT_GAMEPROCESS_H

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

class RunDir;

// Milliseconds of a monotonic clock, for measuring how long things take.
long nowMs();

// Polls cond every stepMs until it holds (true) or timeoutMs passes (false).
bool waitUntil(std::function<bool()> const& cond, int timeoutMs, int stepMs = 10);

// Lets time pass, for states the program does not show from outside (a fade
// in progress). Prefer waitUntil wherever there is something to observe.
void sleepMs(int ms);

// Runs argv to the end (at most timeoutMs, then it is killed) with DISPLAY set
// to display (or unset when display is empty). Returns the exit status, -1
// when it could not run or was killed; out receives its standard output.
int runCommand(std::vector<std::string> const& argv, std::string const& display, std::string* out = nullptr,
               int timeoutMs = 10000);

// Writes a picture of the whole screen of display to path as BMP.
bool grabScreen(std::string const& display, std::string const& path);

// One run of the real game program in a scratch directory, on a given display,
// with standard output and error captured. The destructor kills it if it is
// still running.
//
//     Xvfb x;
//     RunDir dir;
//     GameProcess game(dir, x.display());
//     ASSERT_TRUE(game.waitForStart());
//     game.key("Escape");
//     ASSERT_TRUE(game.waitExit(5000));
//     EXPECT_EQ(game.exitCode(), 0);
class GameProcess {
public:
    // env entries are "NAME=value" to set or "NAME" to unset, applied on top of
    // this process's environment (DISPLAY is set to display, or unset when it
    // is empty; with a display SDL_VIDEODRIVER is x11 unless env says otherwise). The player's files
    // go to the scratch directory: XDG_CONFIG_HOME is its "config", XDG_DATA_HOME its "data", unless env
    // says otherwise. prefix is put before the program on the command line (e.g.
    // {"strace", "-f", "-o", "trace.txt"}), args after it.
    GameProcess(RunDir const& dir, std::string const& display, std::vector<std::string> const& env = {},
                std::vector<std::string> const& prefix = {}, std::vector<std::string> const& args = {});
    ~GameProcess();

    GameProcess(GameProcess const&) = delete;
    GameProcess& operator=(GameProcess const&) = delete;

    pid_t pid() const { return child; }
    long startedAtMs() const { return startMs; }

    // Captured standard output and error so far.
    std::string out() const;
    std::string err() const;

    // Each waits until its condition holds or timeoutMs passes (or the
    // program ends without it); true when the condition holds.
    bool waitForOutput(std::string const& text, int timeoutMs = 10000);
    bool waitForError(std::string const& text, int timeoutMs = 10000);
    bool waitForFile(std::string const& name, int timeoutMs = 10000);
    // A top-level window whose name contains "Vorlane".
    bool waitForWindow(int timeoutMs = 10000);
    // The window is open and start-up has printed the texture-memory line: the
    // main loop is running and takes input. A start that failed only because
    // the X server refused the connection is tried again.
    bool waitForStart(int timeoutMs = 20000);

    // True while the program runs; collects the exit status once it ended.
    bool running();
    bool waitExit(int timeoutMs);
    long exitedAtMs() const { return endMs; }
    // Valid once ended: exit code, or -1 when killed by a signal.
    int exitCode() const;
    // The signal that killed it, 0 when it exited.
    int exitSignal() const;

    void signal(int sig);

    // Input through xdotool on the program's display. A key or button is held
    // for holdMs so that a frame sees it down: a press and release between two
    // input snapshots is not seen. The same key again is pressed no sooner
    // than 300 ms after its release, or a frame would see one long press.
    bool key(std::string const& keysym, int holdMs = 300);
    // Holds the key until cond holds (at most timeoutMs), then lets it go:
    // for keys whose effect can be seen, e.g. F1 and its screenshot file.
    bool keyUntil(std::string const& keysym, std::function<bool()> const& cond, int timeoutMs = 10000);
    bool keyDown(std::string const& keysym);
    bool keyUp(std::string const& keysym);
    bool mouseMove(int x, int y);
    bool click(int button, int holdMs = 300);
    bool xdotool(std::vector<std::string> const& args);

    std::string const& display() const { return displayName; }

private:
    std::string lastKey;  // the keysym key() let up last
    long lastKeyUpMs = 0; // when, monotonic ms

    void launch();
    // The run ended with status 1 because SDL could not reach the X server.
    bool failedToReachX();

    RunDir const& dir;                    // scratch directory the program runs in
    std::vector<std::string> argv;        // command line: prefix and program
    std::vector<std::string> environment; // changes to this process's environment
    std::string displayName;              // ":N", or empty for no display
    pid_t child;                          // the program (or its prefix command)
    long startMs;                         // nowMs() at start
    long endMs;                           // nowMs() when its end was seen, 0 before
    bool ended;                           // the status below is valid
    int status;                           // from waitpid
};

} // namespace testsupport

#endif
