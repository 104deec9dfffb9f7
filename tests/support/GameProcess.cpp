#include "tests/support/GameProcess.h"

#include "tests/support/RunDir.h"

#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testsupport {

namespace {

const char* OUT_FILE = "vorlane.stdout";
const char* ERR_FILE = "vorlane.stderr";

// This process's environment with the changes applied ("NAME=value" sets,
// "NAME" unsets).
std::vector<std::string> makeEnv(std::vector<std::string> const& changes) {
    std::map<std::string, std::string> vars;
    for (char** e = environ; *e; e++) {
        std::string s = *e;
        size_t eq = s.find('=');
        if (eq != std::string::npos) vars[s.substr(0, eq)] = s.substr(eq + 1);
    }
    for (auto const& c : changes) {
        size_t eq = c.find('=');
        if (eq == std::string::npos)
            vars.erase(c);
        else
            vars[c.substr(0, eq)] = c.substr(eq + 1);
    }
    std::vector<std::string> out;
    for (auto const& v : vars) out.push_back(v.first + "=" + v.second);
    return out;
}

std::vector<char*> cstrings(std::vector<std::string>& v) {
    std::vector<char*> p;
    for (auto& s : v) p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

std::string displayChange(std::string const& display) {
    return display.empty() ? "DISPLAY" : "DISPLAY=" + display;
}

// Forks argv with the environment env and the working directory cwd (empty:
// unchanged); stdout and stderr go to the given files (empty: /dev/null,
// "-": a pipe whose read end is returned in pipeFd).
pid_t spawn(std::vector<std::string> argv, std::vector<std::string> env, std::string const& cwd,
            std::string const& outPath, std::string const& errPath, int* pipeFd) {
    int fds[2] = {-1, -1};
    if (outPath == "-" && pipe(fds) != 0) return -1;
    std::vector<char*> av = cstrings(argv);
    std::vector<char*> ev = cstrings(env);
    pid_t pid = fork();
    if (pid == 0) {
        // Own process group, so that a prefix command and the program are
        // stopped together.
        setpgid(0, 0);
        // A test that dies must not leave the program running.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
        int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        int out = outPath == "-" ? fds[1]
                                 : open(outPath.empty() ? "/dev/null" : outPath.c_str(),
                                        O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath.empty() ? "/dev/null" : errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        if (fds[0] >= 0) close(fds[0]);
        execvpe(av[0], av.data(), ev.data());
        _exit(127);
    }
    if (fds[1] >= 0) close(fds[1]);
    if (pipeFd) *pipeFd = fds[0];
    return pid;
}

} // namespace

long nowMs() {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000L + ts.tv_nsec / 1000000L;
}

// A deadline already passed sleeps not at all (usleep takes an unsigned count).
void sleepMs(int ms) {
    if (ms > 0) usleep((useconds_t)ms * 1000);
}

bool waitUntil(std::function<bool()> const& cond, int timeoutMs, int stepMs) {
    long end = nowMs() + timeoutMs;
    for (;;) {
        if (cond()) return true;
        if (nowMs() > end) return false;
        usleep(stepMs * 1000);
    }
}

int runCommand(std::vector<std::string> const& argv, std::string const& display, std::string* out,
               int timeoutMs) {
    int fd = -1;
    pid_t pid = spawn(argv, makeEnv({displayChange(display)}), "", out ? "-" : "", "", out ? &fd : nullptr);
    if (pid < 0) return -1;
    if (fd >= 0) fcntl(fd, F_SETFL, O_NONBLOCK);
    long end = nowMs() + timeoutMs;
    int status = 0;
    for (;;) {
        if (fd >= 0) {
            char buf[4096];
            ssize_t n;
            while ((n = read(fd, buf, sizeof buf)) > 0) out->append(buf, n);
        }
        pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) break;
        if (nowMs() > end) {
            kill(-pid, SIGKILL);
            waitpid(pid, &status, 0);
            if (fd >= 0) close(fd);
            return -1;
        }
        usleep(5000);
    }
    if (fd >= 0) {
        char buf[4096];
        ssize_t n;
        while ((n = read(fd, buf, sizeof buf)) > 0) out->append(buf, n);
        close(fd);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool grabScreen(std::string const& display, std::string const& path) {
    for (int i = 0; i < 5; i++) {
        if (runCommand({"import", "-window", "root", "BMP3:" + path}, display, nullptr, 20000) == 0)
            return true;
        usleep(20000);
    }
    return false;
}

GameProcess::GameProcess(RunDir const& d, std::string const& display, std::vector<std::string> const& env,
                         std::vector<std::string> const& prefix, std::vector<std::string> const& args)
    : dir(d), displayName(display), child(-1), startMs(0), endMs(0), ended(false), status(0) {
    argv = prefix;
    argv.push_back(RunDir::program());
    argv.insert(argv.end(), args.begin(), args.end());
    // A player's own settings must not change what a test sees.
    environment.push_back("XDG_CONFIG_HOME=" + dir.file("config"));
    environment.push_back("XDG_DATA_HOME=" + dir.file("data"));
    // With a display, insist on SDL's X11 driver (see launch()); a test may
    // still choose another.
    environment.push_back(displayChange(display));
    if (!display.empty()) environment.push_back("SDL_VIDEODRIVER=x11");
    environment.insert(environment.end(), env.begin(), env.end());
    launch();
}

void GameProcess::launch() {
    startMs = nowMs();
    endMs = 0;
    ended = false;
    status = 0;
    child = spawn(argv, makeEnv(environment), dir.path(), dir.file(OUT_FILE), dir.file(ERR_FILE), nullptr);
    if (child < 0) {
        ended = true;
        status = 127 << 8;
    }
}

bool GameProcess::failedToReachX() {
    if (running() || exitCode() != 1) return false;
    std::string e = err();
    return e.find("X11 display") != std::string::npos;
}

GameProcess::~GameProcess() {
    if (!ended && child > 0) {
        kill(-child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
}

std::string GameProcess::out() const {
    return dir.read(OUT_FILE);
}
std::string GameProcess::err() const {
    return dir.read(ERR_FILE);
}

bool GameProcess::running() {
    if (ended) return false;
    if (waitpid(child, &status, WNOHANG) == child) {
        ended = true;
        endMs = nowMs();
        return false;
    }
    return true;
}

bool GameProcess::waitExit(int timeoutMs) {
    long end = nowMs() + timeoutMs;
    while (running()) {
        if (nowMs() > end) return false;
        usleep(5000);
    }
    return true;
}

int GameProcess::exitCode() const {
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
int GameProcess::exitSignal() const {
    return ended && WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

void GameProcess::signal(int sig) {
    if (!ended && child > 0) kill(child, sig);
}

bool GameProcess::waitForOutput(std::string const& text, int timeoutMs) {
    long end = nowMs() + timeoutMs;
    for (;;) {
        bool alive = running();
        if (out().find(text) != std::string::npos) return true;
        if (!alive || nowMs() > end) return false;
        usleep(10000);
    }
}

bool GameProcess::waitForError(std::string const& text, int timeoutMs) {
    long end = nowMs() + timeoutMs;
    for (;;) {
        bool alive = running();
        if (err().find(text) != std::string::npos) return true;
        if (!alive || nowMs() > end) return false;
        usleep(10000);
    }
}

bool GameProcess::waitForFile(std::string const& name, int timeoutMs) {
    long end = nowMs() + timeoutMs;
    for (;;) {
        if (dir.exists(name)) return true;
        if (!running() || nowMs() > end) return dir.exists(name);
        usleep(10000);
    }
}

bool GameProcess::waitForWindow(int timeoutMs) {
    long end = nowMs() + timeoutMs;
    for (;;) {
        if (!running()) return false;
        std::string ids;
        if (runCommand({"xdotool", "search", "--name", "Vorlane"}, displayName, &ids, 5000) == 0 &&
            !ids.empty())
            return true;
        if (nowMs() > end) return false;
        usleep(50000);
    }
}

bool GameProcess::waitForStart(int timeoutMs) {
    long end = nowMs() + timeoutMs;
    for (int attempt = 0;; attempt++) {
        long left = end - nowMs();
        if (waitForWindow(left > 0 ? (int)left : 1)) break;
        // This machine's X sockets now and then refuse a connection at once
        // (EAGAIN); that is the environment, not the program: start again.
        if (attempt < 5 && failedToReachX() && nowMs() < end) {
            usleep(50000);
            launch();
            continue;
        }
        return false;
    }
    long left = end - nowMs();
    return waitForOutput("Used texture memory:", left > 0 ? (int)left : 1);
}

bool GameProcess::xdotool(std::vector<std::string> const& args) {
    std::vector<std::string> cmd = {"xdotool"};
    cmd.insert(cmd.end(), args.begin(), args.end());
    // Retried: connecting to the X server fails now and then on this machine.
    for (int i = 0; i < 10; i++) {
        if (runCommand(cmd, displayName, nullptr, 10000) == 0) return true;
        usleep(20000);
    }
    return false;
}

bool GameProcess::keyDown(std::string const& keysym) {
    return xdotool({"keydown", keysym});
}
bool GameProcess::keyUp(std::string const& keysym) {
    return xdotool({"keyup", keysym});
}

bool GameProcess::key(std::string const& keysym, int holdMs) {
    // The same key let up and pressed again within one frame reads as one
    // press; under load a frame can take 300 ms.
    long since = nowMs() - lastKeyUpMs;
    if (keysym == lastKey && since < 300) usleep((useconds_t)(300 - since) * 1000);
    if (!keyDown(keysym)) return false;
    usleep(holdMs * 1000);
    bool up = keyUp(keysym);
    lastKey = keysym;
    lastKeyUpMs = nowMs();
    return up;
}

bool GameProcess::keyUntil(std::string const& keysym, std::function<bool()> const& cond, int timeoutMs) {
    if (!keyDown(keysym)) return false;
    bool held = waitUntil(cond, timeoutMs);
    return keyUp(keysym) && held;
}

bool GameProcess::mouseMove(int x, int y) {
    return xdotool({"mousemove", std::to_string(x), std::to_string(y)});
}

bool GameProcess::click(int button, int holdMs) {
    if (!xdotool({"mousedown", std::to_string(button)})) return false;
    usleep(holdMs * 1000);
    return xdotool({"mouseup", std::to_string(button)});
}

} // namespace testsupport
