#include "app/StartUp.h"

#include "app/Display.h"
#include "engine/util/DataDir.h"
#include "game/base/Controls.h"
#include "game/base/Resources.h"
#include "game/scores/HighScores.h"

#include <cstdio>
#include <cstdlib>

// Set by the build: the program's version, and where the data is installed
// relative to the installed program and as an absolute path.
#ifndef VORLANE_VERSION
#define VORLANE_VERSION "unknown"
#endif
#ifndef VORLANE_DATA_REL
#define VORLANE_DATA_REL ""
#endif
#ifndef VORLANE_DATA_ABS
#define VORLANE_DATA_ABS ""
#endif

char const* const StartUp::dataSubdirs = "gfx shaders";

void StartUp::run(int argc, char** argv, char const* caption) {
    switch (commandLine.parse(argc, argv)) {
        case CommandLine::MISUSE:
            fprintf(stderr, "vorlane: %s\n%s", commandLine.error.c_str(), CommandLine::usage);
            exit(2);
        case CommandLine::HELP:
            fputs(CommandLine::usage, stdout);
            exit(0);
        case CommandLine::VERSION:
            printf("vorlane %s\n", VORLANE_VERSION);
            exit(0);
        case CommandLine::SCORES: {
            HighScores table;
            table.load();
            fputs(table.text().c_str(), stdout);
            exit(0);
        }
        case CommandLine::RUN:
            break;
    }

    std::string looked;
    if (!quenth::DataDir::find(dataSubdirs, commandLine.dataDir, quenth::DataDir::programDir(),
                               VORLANE_DATA_REL, VORLANE_DATA_ABS, quenth::DataDir::root, looked)) {
        fprintf(stderr, "vorlane: no game data (gfx/, sfx/, shaders/) in %s%s\n", looked.c_str(),
                commandLine.dataDir.empty() ? "; name its place with --data-dir=DIR" : "");
        exit(1);
    }

    // The images decode while the window opens.
    Resources::prefetch();
    saved.load();
    current = saved;
    commandLine.applyTo(current);
    g_controls.bindThrustKeys(current.keyUp, current.keyDown, current.keyLeft, current.keyRight);
    Display::open(current, caption);
}
