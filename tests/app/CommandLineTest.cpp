#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

// Parses "vorlane" followed by args.
CommandLine parsed(std::initializer_list<char const*> args) {
    std::vector<char const*> argv = {"vorlane"};
    argv.insert(argv.end(), args);
    CommandLine cl;
    cl.parse((int)argv.size(), argv.data());
    return cl;
}

TEST(CommandLine, ChoicesForTheRunOverrideOnlyWhatTheyName) {
    CommandLine none = parsed({});
    EXPECT_EQ(none.action, CommandLine::RUN);
    Settings s;
    s.display = DISPLAY_FULLSCREEN;
    s.musicVolume = 12;
    Settings before = s;
    none.applyTo(s);
    EXPECT_EQ(s.display, DISPLAY_FULLSCREEN);

    CommandLine cl =
        parsed({"--fullscreen", "--window=800x600", "--difficulty", "hard", "--data-dir=/opt/v"});
    EXPECT_EQ(cl.action, CommandLine::RUN);
    cl.applyTo(s);
    EXPECT_EQ(s.display, DISPLAY_WINDOW); // the last display option counts
    EXPECT_EQ(s.windowWidth, 800);
    EXPECT_EQ(s.windowHeight, 600);
    EXPECT_EQ(s.difficulty, DIFFICULTY_HARD);
    EXPECT_EQ(s.musicVolume, 12);
    EXPECT_EQ(cl.dataDir, "/opt/v");

    // --window alone keeps the size of the settings; the other forms of values.
    Settings t = before;
    t.windowWidth = 1024;
    t.windowHeight = 768;
    CommandLine w =
        parsed({"--window", "--difficulty=easy", "--data-dir", "rel/dir", "--desktop", "--window"});
    w.applyTo(t);
    EXPECT_EQ(t.display, DISPLAY_WINDOW);
    EXPECT_EQ(t.windowWidth, 1024);
    EXPECT_EQ(t.difficulty, DIFFICULTY_EASY);
    EXPECT_EQ(w.dataDir, "rel/dir");
}

TEST(CommandLine, OptionsThatOnlyPrintWinOverPlayingAndMisuseOverAll) {
    EXPECT_EQ(parsed({"--help"}).action, CommandLine::HELP);
    EXPECT_EQ(parsed({"-h", "--window"}).action, CommandLine::HELP);
    EXPECT_EQ(parsed({"--version", "--help"}).action, CommandLine::HELP);
    EXPECT_EQ(parsed({"--scores", "--version"}).action, CommandLine::VERSION);
    EXPECT_EQ(parsed({"--desktop", "--scores"}).action, CommandLine::SCORES);
    EXPECT_EQ(parsed({"--help", "--bogus"}).action, CommandLine::MISUSE);
    EXPECT_NE(std::string(CommandLine::usage).find("--data-dir=DIR"), std::string::npos);
}

TEST(CommandLine, MisuseNamesTheFirstFault) {
    struct Case {
        std::vector<char const*> args;
        char const* says;
    };
    const Case cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--bogus=3"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
        {{"play"}, "unexpected argument 'play'"},
        {{"--window=800"}, "bad window size '800'"},
        {{"--window=800x"}, "bad window size '800x'"},
        {{"--window=100x100"}, "bad window size '100x100'"},
        {{"--window=99999x600"}, "bad window size '99999x600'"},
        {{"--window=axb"}, "bad window size 'axb'"},
        {{"--window="}, "bad window size ''"},
        {{"--difficulty=insane"}, "bad difficulty 'insane'"},
        {{"--difficulty=Hard"}, "bad difficulty 'Hard'"},
        {{"--difficulty"}, "option '--difficulty' needs a value"},
        {{"--data-dir="}, "option '--data-dir' needs a directory"},
        {{"--help=yes"}, "option '--help' takes no value"},
        {{"--desktop=1"}, "option '--desktop' takes no value"},
        {{"--quit-after-title=1"}, "option '--quit-after-title' takes no value"},
        {{"--fullscreen", "--window=1x1", "--nope"}, "bad window size '1x1'"},
    };
    for (Case const& c : cases) {
        std::vector<char const*> argv = {"vorlane"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        CommandLine cl;
        EXPECT_EQ(cl.parse((int)argv.size(), argv.data()), CommandLine::MISUSE) << c.says;
        EXPECT_EQ(cl.error.rfind(c.says, 0), 0u) << cl.error;
    }
}

} // namespace
