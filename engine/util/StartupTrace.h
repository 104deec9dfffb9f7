#ifndef QUENTH_UTIL_STARTUPTRACE_H
#define QUENTH_UTIL_STARTUPTRACE_H

namespace quenth {

// Where the time between exec and the first picture goes, for maintainers
// (tools/startup-time.sh reads it). With VORLANE_STARTUP_TRACE set in the
// environment, each phase of start-up is told on standard error in one line
//
//     startup <end> <took> <phase>
//
// end: ms from the program's start to the end of the phase; took: ms the
// phase itself lasted (on whichever thread ran it); phase: free text to the
// line end. The first line, "startup origin exec" or "startup origin proc",
// tells where the times count from: when the variable holds a time in seconds
// since the epoch (bash's $EPOCHREALTIME, set as the program is exec'd) that
// moment, to the microsecond; otherwise the process start the kernel records,
// which is to its clock tick (10 ms) and may be up to a tick early. Without
// the variable nothing is written. Safe from any thread.
class StartupTrace {
public:
    // The variable is set (read once, at the first call).
    static bool on();
    // ms since the program's start (see above; without tracing the origin
    // is the first call).
    static double now();
    // Tells phase, which began at began (a now() value) and ends now.
    static void note(char const* phase, double began);
    // The same for "<phase> <detail>", e.g. ("decode", "gfx/title.png").
    static void note(char const* phase, char const* detail, double began);
};

} // namespace quenth

#endif
