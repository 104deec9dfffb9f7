#ifndef VORLANE_APP_COMMANDLINE_H
#define VORLANE_APP_COMMANDLINE_H

#include "game/settings/Settings.h"

#include <string>

// The program's options. Display and difficulty choices hold for this run
// only: they are applied over the player's settings and never saved.
//
//     CommandLine cl;
//     cl.parse(argc, argv);      // cl.action says what to do
//     cl.applyTo(settings);      // for RUN
class CommandLine {
public:
    enum Action {
        RUN,     // play
        HELP,    // --help: the usage on standard output, status 0
        VERSION, // --version: the version on standard output, status 0
        SCORES,  // --scores: the high-score table on standard output, status 0
        MISUSE   // an unknown option or a bad value: error and usage on standard error, status 2
    };

    Action action;         // what the arguments ask for; MISUSE wins over all, HELP over the rest
    std::string error;     // for MISUSE: what was wrong, one line without a line end
    bool setDisplay;       // --window, --fullscreen or --desktop was given (the last one counts)
    DisplayMode display;   // the mode it named
    bool setWindowSize;    // --window=WxH was given
    int windowWidth;       // pixels
    int windowHeight;      // pixels
    bool setDifficulty;    // --difficulty was given
    Difficulty difficulty; // the difficulty it named
    std::string dataDir;   // --data-dir; empty when not given
    // --quit-after-title, left out of the usage: the program ends once the
    // first title frame is shown, for timing start-up (tools/startup-time.sh).
    bool quitAfterTitle;

    static char const* const usage; // the text of --help, ending in a line end

    CommandLine();
    // Reads argv[1] to argv[argc - 1]. Options with a value take it after
    // "=" or, for --difficulty and --data-dir, as the next argument.
    // Returns action.
    Action parse(int argc, char const* const* argv);
    // The run's choices over s.
    void applyTo(Settings& s) const;

private:
    // Records a misuse (the first one is told).
    void misuse(std::string const& why);
};

#endif
