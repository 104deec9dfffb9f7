#include "engine/util/StartupTrace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace quenth {

namespace {

double clockMs(clockid_t c) {
    timespec ts;
    clock_gettime(c, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec * 1e-6;
}

// The kernel's record of the process start, as CLOCK_BOOTTIME ms; negative
// when it cannot be read. Field 22 of /proc/self/stat, in clock ticks; the
// second field (the command) may hold spaces, so fields count from its ')'.
double processStartBootMs() {
    FILE* f = fopen("/proc/self/stat", "r");
    if (!f) return -1;
    char buf[1024];
    size_t n = fread(buf, 1, sizeof buf - 1, f);
    fclose(f);
    buf[n] = 0;
    char const* p = strrchr(buf, ')');
    if (!p) return -1;
    unsigned long long ticks = 0;
    // After ')': state (field 3) and 18 more fields before starttime.
    if (sscanf(p + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d %*d %*d %llu",
               &ticks) != 1)
        return -1;
    long hz = sysconf(_SC_CLK_TCK);
    return hz > 0 ? ticks * 1000.0 / hz : -1;
}

struct Origin {
    bool on;         // tracing asked for
    double realMs;   // the program's start as CLOCK_REALTIME ms
    char const* how; // "exec" or "proc"

    Origin() : on(false), realMs(clockMs(CLOCK_REALTIME)), how("none") {
        char const* v = getenv("VORLANE_STARTUP_TRACE");
        if (!v) return;
        on = true;
        char* end = nullptr;
        double given = strtod(v, &end);
        double nowReal = realMs;
        // A plausible exec time: a number alone, in the past minute.
        if (end != v && *end == 0 && given * 1e3 <= nowReal && given * 1e3 > nowReal - 60e3) {
            realMs = given * 1e3;
            how = "exec";
        } else {
            double start = processStartBootMs();
            if (start >= 0) realMs = nowReal - (clockMs(CLOCK_BOOTTIME) - start);
            how = start >= 0 ? "proc" : "first-call";
        }
        fprintf(stderr, "startup origin %s\n", how);
    }
};

Origin const& origin() {
    static Origin o;
    return o;
}

} // namespace

bool StartupTrace::on() {
    return origin().on;
}

double StartupTrace::now() {
    return clockMs(CLOCK_REALTIME) - origin().realMs;
}

void StartupTrace::note(char const* phase, double began) {
    note(phase, nullptr, began);
}

void StartupTrace::note(char const* phase, char const* detail, double began) {
    if (!on()) return;
    double end = now();
    // One call, so that lines of two threads do not mix.
    fprintf(stderr, "startup %.1f %.1f %s%s%s\n", end, end - began, phase, detail ? " " : "",
            detail ? detail : "");
}

} // namespace quenth
