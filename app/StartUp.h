#ifndef VORLANE_APP_STARTUP_H
#define VORLANE_APP_STARTUP_H

#include "app/CommandLine.h"
#include "game/settings/Settings.h"

#include <string>

// What happens before the game's assets load: the command line is read, the
// data directory found, the image files set decoding on worker threads, the
// player's settings loaded with this run's choices over them, and the window
// opened. --help, --version, --scores, a misused command line and missing
// data end the process here.
//
//     static StartUp startUp;
//     startUp.run(argc, argv, caption); // the window is open
//     Resources::load();
class StartUp {
public:
    CommandLine commandLine; // the arguments as parsed
    Settings saved;          // the player's file as read: the options menu changes and saves these
    Settings current;        // saved with the command line's choices over them: what this run uses

    // Returns only when the game is to run, with the window open and
    // quenth::DataDir::root set.
    void run(int argc, char** argv, char const* caption);

    // The subdirectories by which a data directory is known.
    static char const* const dataSubdirs;
};

#endif
