#include "tests/support/Xvfb.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

Xvfb::Xvfb(int timeoutMs, std::string const& screen) : pid(0) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid = fork();
    if (pid == 0) {
        // A test that dies must not leave its server behind.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(fds[0]);
        int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, 0);
        dup2(devnull, 1);
        dup2(devnull, 2);
        std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               "-noreset", (char*)nullptr);
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        pid = 0;
        close(fds[0]);
        return;
    }
    // The server writes its display number once it accepts connections.
    std::string number;
    struct pollfd p = {fds[0], POLLIN, 0};
    int waited = 0;
    while (waited < timeoutMs) {
        int r = poll(&p, 1, 100);
        waited += 100;
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) continue;
        char buf[32];
        ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0) break;
        number.append(buf, n);
        if (number.find('\n') != std::string::npos) break;
    }
    close(fds[0]);
    size_t nl = number.find('\n');
    if (nl == std::string::npos || nl == 0) return;
    displayName = ":" + number.substr(0, nl);
}

Xvfb::~Xvfb() {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; i++) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace testsupport
