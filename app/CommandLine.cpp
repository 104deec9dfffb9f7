#include "app/CommandLine.h"

#include <cstring>

char const* const CommandLine::usage =
    "Usage: vorlane [OPTION]...\n"
    "Arcade space shooter in a wrapping arena.\n"
    "\n"
    "  --desktop                 full screen at the desktop's own resolution\n"
    "  --window[=WxH]            in a window, of W x H pixels if given\n"
    "  --fullscreen              full screen in the window size's video mode\n"
    "  --difficulty=LEVEL        easy, normal or hard\n"
    "  --data-dir=DIR            read gfx/, sfx/ and shaders/ from DIR\n"
    "  --scores                  print the high-score table and exit\n"
    "  --help                    print this help and exit\n"
    "  --version                 print the version and exit\n"
    "\n"
    "Display and difficulty given here hold for this run; the options menu\n"
    "changes them for good. Without --data-dir the data is looked for in the\n"
    "working directory, then in the installed data directory.\n";

CommandLine::CommandLine()
    : action(RUN), setDisplay(false), display(DISPLAY_DESKTOP), setWindowSize(false), windowWidth(0),
      windowHeight(0), setDifficulty(false), difficulty(DIFFICULTY_NORMAL), quitAfterTitle(false) {}

void CommandLine::misuse(std::string const& why) {
    if (action != MISUSE) error = why;
    action = MISUSE;
}

CommandLine::Action CommandLine::parse(int argc, char const* const* argv) {
    bool help = false, version = false, scores = false;
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        std::string name = arg, value;
        size_t eq = arg.find('=');
        bool hasValue = arg.compare(0, 2, "--") == 0 && eq != std::string::npos;
        if (hasValue) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        bool takesValue = name == "--difficulty" || name == "--data-dir";
        if (takesValue && !hasValue) {
            if (i + 1 >= argc) {
                misuse("option '" + name + "' needs a value");
                continue;
            }
            value = argv[++i];
            hasValue = true;
        }
        bool flag = name == "--help" || name == "-h" || name == "--version" || name == "--scores" ||
                    name == "--fullscreen" || name == "--desktop" || name == "--quit-after-title";
        if (flag && hasValue) {
            misuse("option '" + name + "' takes no value");
            continue;
        }

        if (name == "--help" || name == "-h") {
            help = true;
        } else if (name == "--version") {
            version = true;
        } else if (name == "--scores") {
            scores = true;
        } else if (name == "--quit-after-title") {
            quitAfterTitle = true;
        } else if (name == "--desktop" || name == "--fullscreen") {
            setDisplay = true;
            display = name == "--desktop" ? DISPLAY_DESKTOP : DISPLAY_FULLSCREEN;
        } else if (name == "--window") {
            setDisplay = true;
            display = DISPLAY_WINDOW;
            if (!hasValue) continue;
            Settings check;
            if (!check.set(Settings::WINDOW_SIZE, value)) {
                misuse("bad window size '" + value + "' (WxH, from 320x200 to 16384x16384)");
                continue;
            }
            setWindowSize = true;
            windowWidth = check.windowWidth;
            windowHeight = check.windowHeight;
        } else if (name == "--difficulty") {
            if (parseDifficulty(value.c_str(), difficulty))
                setDifficulty = true;
            else
                misuse("bad difficulty '" + value + "' (easy, normal or hard)");
        } else if (name == "--data-dir") {
            if (value.empty())
                misuse("option '--data-dir' needs a directory");
            else
                dataDir = value;
        } else if (arg.compare(0, 1, "-") == 0) {
            misuse("unknown option '" + name + "'");
        } else {
            misuse("unexpected argument '" + arg + "'");
        }
    }
    if (action != MISUSE) action = help ? HELP : version ? VERSION : scores ? SCORES : RUN;
    return action;
}

void CommandLine::applyTo(Settings& s) const {
    if (setDisplay) s.display = display;
    if (setWindowSize) {
        s.windowWidth = windowWidth;
        s.windowHeight = windowHeight;
    }
    if (setDifficulty) s.difficulty = difficulty;
}
