// The program: the command line, the player's settings, start-up, and the
// frame loop of the shell (title page, menus, play, pause, game over) until
// the player quits.

#include "app/Shell.h"
#include "app/StartUp.h"
#include "engine/core/Quenth.h"
#include "engine/util/StartupTrace.h"

#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
    using quenth::StartupTrace;
    // Loading the program and its libraries, and static initialisation.
    StartupTrace::note("exec to main", 0);
    // Line by line, so that the loading log shows as it happens also when
    // standard output is a pipe or a file.
    setvbuf(stdout, nullptr, _IOLBF, 0);

    // The command line, the data directory, the player's settings and the
    // window in the display mode they ask for; ends the process for --help
    // and the like.
    static StartUp startUp;
    double began = StartupTrace::now();
    startUp.run(argc, argv, "Vorlane - Unfinished KVT '11 version");
    StartupTrace::note("command line, settings and window", began);

    g_shell = new Shell();
    g_shell->settings = startUp.current;
    g_shell->quitAfterTitle = startUp.commandLine.quitAfterTitle;
    g_shell->saved = &startUp.saved;
    g_shell->openSound = true;
    g_shell->startUp((int)time(nullptr));

    g_shell->run();
    quenth::Quenth::quit();
    return 0;
}
